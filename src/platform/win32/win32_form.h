#pragma once
// A top-level form: its window, its controls, menu bar and timers.
#include <windows.h>

#include <memory>
#include <vector>

#include "platform/forms.h"
#include "platform/win32/control_host.h"
#include "platform/win32/form_menu.h"
#include "platform/win32/form_timer.h"
#include "platform/win32/native_control.h"

namespace qov::win32::ui {

class Win32Form final : public HostedContainer<Form> {
public:
    // Fixed forms are owned by `owner` (a hidden window), which keeps them out
    // of the taskbar while their caption stays a normal one.
    Win32Form(const FormArgs& args, HWND owner);
    ~Win32Form() override;

    void Show() override;
    void Hide() override;
    bool Visible() const override;
    void Close() override;
    void Unload() override;
    bool Loaded() const override { return window_ != nullptr; }

    std::string Caption() const override { return args_.caption; }
    float Width() const override;
    float Height() const override;
    WindowHandle Handle() const override { return handle_; }

    void SetMenuBar(std::vector<MenuItem> menus) override;
    void SetMenuChecked(std::string_view name, bool checked) override;
    bool MenuChecked(std::string_view name) const override;
    void PopupMenu(std::string_view name, int x, int y) override;

    Timer& AddTimer(int intervalMilliseconds) override;

    HWND Window() const { return window_; }
    // The form a message's window belongs to, if it is one of ours.
    static Win32Form* FromMessage(const MSG& message);
    // Keyboard handling the message loop does before dispatching: the menu
    // shortcuts, and Tab and the arrow keys in dialogs.
    bool PreTranslate(MSG& message);

    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

protected:
    ControlHost& Host() override { return host_; }

private:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    bool AskToUnload(UnloadMode mode);
    void FitClientArea();
    void OnSize(int clientWidth);
    void OnTimer(UINT_PTR id);
    void OnActivate(bool active);
    void OnDpiChanged(UINT dpi, const RECT& suggested);
    void OnDestroy();
    void RememberSize() const;

    FormArgs args_;
    HWND window_;
    WindowHandle handle_;
    FormContext context_;
    unique_hfont dialogFont_;
    ControlHost host_;
    std::unique_ptr<FormMenu> menu_;
    std::vector<std::unique_ptr<Win32Timer>> timers_;
    HWND lastFocus_ = nullptr;
    mutable float width_ = 0;  // outer size in twips, kept for after the window is gone
    mutable float height_ = 0;
};

void RegisterFormClass();
// The hidden top-level window that owns the fixed forms.
HWND CreateOwnerWindow();

}  // namespace qov::win32::ui
