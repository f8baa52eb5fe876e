#pragma once
// A plain child window as the toolbar's host. Twips follow the window's own
// DPI, so the conversions stay right after a move to another screen. Align
// is only remembered: the owner docks the host (MainToolbar::FitWidth).
#include <windows.h>

#include <cmath>

#include "win32/toolbar/toolbar_host.h"

namespace qov::win32::toolbar {

class WindowHost final : public ToolBarHost {
public:
    explicit WindowHost(HWND window) : window_(window) {}

    HWND hwnd() const override { return window_; }
    int Align() const override { return align_; }
    void SetAlign(int align) override { align_ = align; }
    bool Enabled() const override { return IsWindowEnabled(window_) != FALSE; }
    void SetEnabled(bool enabled) override { EnableWindow(window_, enabled ? TRUE : FALSE); }
    // The host's own flag, whether or not its parent is shown.
    bool Visible() const override { return (Style() & WS_VISIBLE) != 0; }
    void SetVisible(bool visible) override { ShowWindow(window_, visible ? SW_SHOWNA : SW_HIDE); }

    float Width() const override { return Twips(Bounds().right - Bounds().left); }
    void SetWidth(float twips) override { Resize(Pixels(twips), Bounds().bottom - Bounds().top); }
    float Height() const override { return Twips(Bounds().bottom - Bounds().top); }
    void SetHeight(float twips) override { Resize(Bounds().right - Bounds().left, Pixels(twips)); }
    float Top() const override { return Twips(Bounds().top); }
    void SetTop(float twips) override { MoveTo(Bounds().left, Pixels(twips)); }
    float Left() const override { return Twips(Bounds().left); }
    void SetLeft(float twips) override { MoveTo(Pixels(twips), Bounds().top); }

    void SetBorderStyle(int borderStyle) override {
        if (borderStyle != 0) return;  // the host only ever loses its border
        SetWindowLongPtrW(window_, GWL_STYLE, Style() & ~static_cast<LONG_PTR>(WS_BORDER));
        const LONG_PTR exStyle = GetWindowLongPtrW(window_, GWL_EXSTYLE);
        SetWindowLongPtrW(window_, GWL_EXSTYLE,
                          exStyle & ~static_cast<LONG_PTR>(WS_EX_CLIENTEDGE | WS_EX_STATICEDGE));
        SetWindowPos(window_, nullptr, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    }
    void SetTabStop(bool tabStop) override {
        const auto bit = static_cast<LONG_PTR>(WS_TABSTOP);
        SetWindowLongPtrW(window_, GWL_STYLE, tabStop ? (Style() | bit) : (Style() & ~bit));
    }

    float TwipsPerPixelX() const override { return 1440.0f / static_cast<float>(Dpi()); }
    float TwipsPerPixelY() const override { return TwipsPerPixelX(); }

private:
    UINT Dpi() const {
        const UINT dpi = GetDpiForWindow(window_);
        return dpi != 0 ? dpi : USER_DEFAULT_SCREEN_DPI;
    }
    LONG_PTR Style() const { return GetWindowLongPtrW(window_, GWL_STYLE); }
    float Twips(int pixels) const { return static_cast<float>(pixels) * TwipsPerPixelX(); }
    long Pixels(float twips) const { return std::lround(twips / TwipsPerPixelX()); }
    // In the parent's client coordinates.
    RECT Bounds() const {
        RECT rect{};
        GetWindowRect(window_, &rect);
        MapWindowPoints(nullptr, GetParent(window_), reinterpret_cast<POINT*>(&rect), 2);
        return rect;
    }
    void Resize(int width, int height) {
        SetWindowPos(window_, nullptr, 0, 0, width, height,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    void MoveTo(int x, int y) {
        SetWindowPos(window_, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }

    HWND window_;
    int align_ = 0;
};

}  // namespace qov::win32::toolbar
