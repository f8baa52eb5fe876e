#include "win32/dialog_frame.h"

#include <string>
#include <utility>

#include "core/command_ids.h"
#include "core/settings.h"
#include "core/window_model.h"
#include "win32/failure.h"
#include "win32/layout.h"
#include "win32/text.h"

namespace qov::win32 {
namespace {

// The program's icon from its resources at `size` pixels; a program without
// the resource (a test) simply shows none. Shared icons are the system's to
// free.
HICON ProgramIcon(int size, UINT flags) {
    return static_cast<HICON>(::LoadImageW(::GetModuleHandleW(nullptr),
                                           MAKEINTRESOURCEW(IDI_PROGRAM), IMAGE_ICON, size, size,
                                           flags));
}

HMONITOR MonitorOf(HWND window) { return ::MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST); }

// The secondary windows are owned by a window nobody sees, as they always
// were: they take no taskbar button, yet stay where the user puts them in
// the z-order and do not vanish when the main window is minimised.
// Its class tells the list to leave it out.
HWND HiddenOwner() {
    static const UniqueWindow owner = [] {
        WNDCLASSEXW ownerClass{};
        ownerClass.cbSize = sizeof(ownerClass);
        ownerClass.lpfnWndProc = ::DefWindowProcW;
        ownerClass.hInstance = ::GetModuleHandleW(nullptr);
        static const std::wstring className = Utf8ToWide(kDialogOwnerClass);
        ownerClass.lpszClassName = className.c_str();
        ::RegisterClassExW(&ownerClass);
        return UniqueWindow{::CreateWindowExW(0, ownerClass.lpszClassName, L"", WS_POPUP, 0, 0, 0, 0,
                                              nullptr, nullptr, ownerClass.hInstance, nullptr)};
    }();
    return owner.get();
}

}  // namespace

DialogFrame::DialogFrame(const DialogLook& look, HWND mainWindow) : mainWindow_(mainWindow) {
    // Made at the DPI of the monitor it opens on, so it starts at its final size.
    const UINT dpi = mainWindow ? ::GetDpiForWindow(mainWindow) : ::GetDpiForSystem();
    const SIZE size =
        WindowSizeForClient(look.clientWidth, look.clientHeight, look.style, look.exStyle, false, dpi);
    const WindowClass windowClass{look.className, nullptr,
                                  ProgramIcon(::GetSystemMetrics(SM_CXICON), LR_SHARED),
                                  ProgramIcon(::GetSystemMetrics(SM_CXSMICON), LR_SHARED)};
    const WindowShape shape{look.caption, look.style, look.exStyle,
                            CentredOnMonitorOf(mainWindow, size), size, HiddenOwner()};
    if (!Create(windowClass, shape)) ThrowLastError("cannot create a dialog window");
    ShowIconsAtDpi(dpi);
}

DialogFrame::~DialogFrame() { Destroy(); }

void DialogFrame::Show() {
    HWND window = Handle();
    RECT rect{};
    if (mainWindow_ && MonitorOf(mainWindow_) != MonitorOf(window) && ::GetWindowRect(window, &rect)) {
        const SIZE size{rect.right - rect.left, rect.bottom - rect.top};
        const POINT at = CentredOnMonitorOf(mainWindow_, size);
        ::SetWindowPos(window, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    ::ShowWindow(window, SW_SHOW);
    ::SetForegroundWindow(window);
}

HFONT DialogFrame::UiFont() {
    if (!font_) font_ = CreateUiFont(Dpi());
    return font_.get();
}

LRESULT DialogFrame::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CLOSE:
        ::ShowWindow(Handle(), SW_HIDE);
        return 0;
    case WM_ACTIVATE:
        KeepFocusAcrossActivation(wParam);
        return 0;
    default:
        return WindowScaffold::HandleMessage(message, wParam, lParam);
    }
}

// The controls keep the old font until they have taken the new one, and for
// good when no new one can be made.
void DialogFrame::OnDpiChanged(UINT dpi) {
    UniqueFont previous = std::move(font_);
    PlaceControls(dpi);
    if (!font_) font_ = std::move(previous);
    ShowIconsAtDpi(dpi);
}

// The caption and taskbar icons at the window's DPI (the class's are at the
// system's).
void DialogFrame::ShowIconsAtDpi(UINT dpi) {
    const auto icon = [dpi](int metric) {
        const int size = ::GetSystemMetricsForDpi(metric, dpi);
        return UniqueIcon{ProgramIcon(size, 0)};
    };
    ShowIcons(icon(SM_CXSMICON), icon(SM_CXICON));
}

// Windows gives a reactivated window the focus itself, not the control that
// had it, so the control is remembered on the way out.
void DialogFrame::KeepFocusAcrossActivation(WPARAM activation) {
    HWND window = Handle();
    if (LOWORD(activation) == WA_INACTIVE) {
        HWND focus = ::GetFocus();
        if (focus && ::IsChild(window, focus)) lastFocus_ = focus;
        return;
    }
    // A control of the tab page no longer shown cannot take the focus back.
    HWND target = lastFocus_ && ::IsChild(window, lastFocus_) && ::IsWindowVisible(lastFocus_)
                      ? lastFocus_
                      : ::GetNextDlgTabItem(window, nullptr, FALSE);
    ::SetFocus(target ? target : window);
}

void ShowMessage(HWND owner, const std::string& text, UINT icon) {
    ::MessageBoxW(owner, Utf8ToWide(text).c_str(), Utf8ToWide(kMessageTitle).c_str(), MB_OK | icon);
}

}  // namespace qov::win32
