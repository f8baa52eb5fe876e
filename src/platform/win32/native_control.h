#pragma once
// The native side every toolkit control shares: its window, its place in
// twips, and the way its parent hands it the notifications it sends.
#include <windows.h>

#include <functional>
#include <string_view>

#include "platform/forms.h"
#include "platform/win32/ui_scale.h"

namespace qov::win32::ui {

// What the controls of one form share: the form's window, its resolution and
// its dialog font. Owned by the form; outlives every control in it.
struct FormContext {
    HWND form = nullptr;
    UINT dpi = 96;
    HFONT dialogFont = nullptr;
    std::function<void()> relayout;  // re-docks the form's docked controls
    int nextControlId = 100;         // clear of IDOK/IDCANCEL and the menu ids

    int Pixels(int twips) const { return TwipsToPixels(twips, dpi); }
    float Twips(int pixels) const { return PixelsToTwips(pixels, dpi); }
};

// Window creation arguments of one control.
struct NativeCreateArgs {
    const wchar_t* className = nullptr;
    std::wstring_view text;
    DWORD style = 0;
    DWORD exStyle = 0;
};

class NativeControl {
public:
    NativeControl(FormContext& context, HWND parent, const TwipsRect& bounds,
                  const NativeCreateArgs& args);
    NativeControl(const NativeControl&) = delete;
    NativeControl& operator=(const NativeControl&) = delete;
    virtual ~NativeControl() = default;

    HWND Window() const { return window_; }
    bool Alive() const { return window_ != nullptr; }

    // Notifications the control sent to its parent (WM_COMMAND, WM_NOTIFY).
    virtual void OnCommand(WORD /*code*/) {}
    virtual LRESULT OnNotify(const NMHDR& /*header*/) { return 0; }
    // The form is going away: keep the last state readable, forget the window.
    virtual void Detach();
    // The form moved to a screen of another resolution (the context already
    // holds the new one and the new dialog font): place and dress again.
    virtual void Rescale(UINT oldDpi);

    // Routes a parent's WM_COMMAND or WM_NOTIFY to the control that sent it.
    static bool RouteFromParent(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

    void SetVisibleImpl(bool visible);
    bool VisibleImpl() const { return visible_; }
    void SetBoundsImpl(const TwipsRect& bounds);
    virtual TwipsRect BoundsImpl() const { return bounds_; }

protected:
    FormContext& Context() const { return context_; }
    // Height in pixels of the window for a control `heightPixels` high; a
    // combo box's window also holds its drop-down list.
    virtual int WindowHeight(int heightPixels) const { return heightPixels; }
    void Place();
    // Pixel rectangle of the control in its parent's client area.
    RECT PixelRect() const;
    // Sets the remembered bounds after a layout moved the control.
    void RememberPixelRect(const RECT& rect);

private:
    FormContext& context_;
    HWND window_ = nullptr;
    TwipsRect bounds_;
    bool visible_ = true;
};

// Implements the Control part of a toolkit interface over NativeControl.
template <typename Interface>
class ControlBase : public Interface, public NativeControl {
public:
    using NativeControl::NativeControl;
    void SetVisible(bool visible) override { SetVisibleImpl(visible); }
    bool Visible() const override { return VisibleImpl(); }
    void SetBounds(const TwipsRect& bounds) override { SetBoundsImpl(bounds); }
    TwipsRect Bounds() const override { return BoundsImpl(); }
};

// Runs an event handler through a copy, so a handler that unloads the form
// (and with it the control that holds the handler) stays valid while it runs.
template <typename Handler, typename... Args>
void Raise(const Handler& handler, Args&&... args) {
    if (!handler) return;
    Handler copy = handler;
    copy(std::forward<Args>(args)...);
}

}  // namespace qov::win32::ui
