#include "win32/dialog_frame.h"

#include <string>
#include <utility>

#include "core/command_ids.h"
#include "core/settings.h"
#include "core/window_model.h"
#include "win32/layout.h"
#include "win32/text.h"

namespace qov::win32 {
namespace {

// Shared icons from the program's resources: the system frees them, and a
// program without the resource (a test) simply shows none.
HICON ProgramIcon(int sizeMetric) {
    const int size = ::GetSystemMetrics(sizeMetric);
    return static_cast<HICON>(::LoadImageW(::GetModuleHandleW(nullptr),
                                           MAKEINTRESOURCEW(IDI_PROGRAM), IMAGE_ICON, size, size,
                                           LR_SHARED));
}

void RegisterFrameClass(const wchar_t* className, WNDPROC windowProc) {
    const HINSTANCE instance = ::GetModuleHandleW(nullptr);
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    if (::GetClassInfoExW(instance, className, &windowClass)) return;
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = ProgramIcon(SM_CXICON);
    windowClass.hIconSm = ProgramIcon(SM_CXSMICON);
    windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = className;
    if (!::RegisterClassExW(&windowClass))
        ThrowLastError("cannot register a dialog class");
}

// The caption and taskbar icons at the window's DPI (the class's are at the
// system's). The window owns them: the ones it showed before are freed here,
// and with no `dpi` none are loaded, which frees the last ones.
void ShowIconsAtDpi(HWND window, UINT dpi) {
    const std::pair<WPARAM, int> kinds[] = {{ICON_SMALL, SM_CXSMICON}, {ICON_BIG, SM_CXICON}};
    for (const auto& [kind, metric] : kinds) {
        const int size = dpi ? ::GetSystemMetricsForDpi(metric, dpi) : 0;
        HANDLE icon = dpi ? ::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_PROGRAM),
                                         IMAGE_ICON, size, size, 0)
                          : nullptr;
        const UniqueIcon previous{reinterpret_cast<HICON>(
            ::SendMessageW(window, WM_SETICON, kind, reinterpret_cast<LPARAM>(icon)))};
    }
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

UniqueWindow CreateDialogFrame(const DialogFrame& frame, WNDPROC windowProc, HWND mainWindow) {
    RegisterFrameClass(frame.className, windowProc);
    // Made at the DPI of the monitor it opens on, so it starts at its final size.
    const UINT dpi = mainWindow ? ::GetDpiForWindow(mainWindow) : ::GetDpiForSystem();
    const SIZE size = WindowSizeForClient(frame.clientWidth, frame.clientHeight, frame.style,
                                          frame.exStyle, false, dpi);
    const POINT at = CentredOnMonitorOf(mainWindow, size);
    UniqueWindow window(::CreateWindowExW(frame.exStyle, frame.className, frame.caption,
                                          frame.style, at.x, at.y, size.cx, size.cy,
                                          HiddenOwner(), nullptr, ::GetModuleHandleW(nullptr),
                                          nullptr));
    if (!window)
        ThrowLastError("cannot create a dialog window");
    ShowIconsAtDpi(window.get(), dpi);
    return window;
}

void AttachFrameObject(HWND window, void* object) {
    ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(object));
}

void DestroyDialogFrame(UniqueWindow& window) {
    if (!window) return;
    ::SetWindowLongPtrW(window.get(), GWLP_USERDATA, 0);
    ShowIconsAtDpi(window.get(), 0);
    window.reset();
}


void ShowOnMonitorOf(HWND window, HWND mainWindow) {
    RECT rect{};
    if (mainWindow && MonitorOf(mainWindow) != MonitorOf(window) && ::GetWindowRect(window, &rect)) {
        const SIZE size{rect.right - rect.left, rect.bottom - rect.top};
        const POINT at = CentredOnMonitorOf(mainWindow, size);
        ::SetWindowPos(window, nullptr, at.x, at.y, 0, 0,
                       SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    ::ShowWindow(window, SW_SHOW);
    ::SetForegroundWindow(window);
}

// Windows gives a reactivated window the focus itself, not the control that
// had it, so the control is remembered on the way out.
static void KeepFocusAcrossActivation(HWND window, WPARAM activation, HWND& lastFocus) {
    if (LOWORD(activation) == WA_INACTIVE) {
        HWND focus = ::GetFocus();
        if (focus && ::IsChild(window, focus)) lastFocus = focus;
        return;
    }
    // A control of the tab page no longer shown cannot take the focus back.
    HWND target = lastFocus && ::IsChild(window, lastFocus) && ::IsWindowVisible(lastFocus)
                      ? lastFocus
                      : ::GetNextDlgTabItem(window, nullptr, FALSE);
    ::SetFocus(target ? target : window);
}

LRESULT HandleFrameMessage(UniqueWindow& window, HWND& lastFocus, UINT message, WPARAM wParam,
                           LPARAM lParam) {
    switch (message) {
    case WM_CLOSE:
        ::ShowWindow(window.get(), SW_HIDE);
        return 0;
    case WM_ACTIVATE:
        KeepFocusAcrossActivation(window.get(), wParam, lastFocus);
        return 0;
    case WM_NCDESTROY: {
        ShowIconsAtDpi(window.get(), 0);
        HWND gone = window.release();
        ::SetWindowLongPtrW(gone, GWLP_USERDATA, 0);
        return ::DefWindowProcW(gone, message, wParam, lParam);
    }
    default:
        return ::DefWindowProcW(window.get(), message, wParam, lParam);
    }
}

void FinishDpiChange(HWND window, LPARAM suggestedRect) {
    ShowIconsAtDpi(window, ::GetDpiForWindow(window));
    const RECT& suggested = *reinterpret_cast<const RECT*>(suggestedRect);
    ::SetWindowPos(window, nullptr, suggested.left, suggested.top,
                   suggested.right - suggested.left, suggested.bottom - suggested.top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    // The controls took their new fonts without redrawing.
    ::RedrawWindow(window, nullptr, nullptr,
                   RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

void ShowMessage(HWND owner, const std::string& text, UINT icon) {
    ::MessageBoxW(owner, Utf8ToWide(text).c_str(), Utf8ToWide(kMessageTitle).c_str(), MB_OK | icon);
}

}  // namespace qov::win32
