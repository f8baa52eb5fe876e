// The window system's monitors and placements: WINDOWPLACEMENT's workspace
// coordinates turned into screen coordinates and back, and a placement set
// without letting a hung window hold the program.
#include <windows.h>
#include <dwmapi.h>
#include <shellscalingapi.h>

#include <system_error>
#include <thread>

#include "core/into_view.h"
#include "win32/text.h"
#include "win32/window_system.h"

namespace qov::win32 {
namespace {

WindowRect FromRect(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }
RECT ToRect(const WindowRect& r) { return {r.left, r.top, r.right, r.bottom}; }

Monitor MonitorFromInfo(const MONITORINFO& info) {
    return {FromRect(info.rcMonitor), FromRect(info.rcWork)};
}

// The DPI the user's scale gives the monitor: what a per-monitor aware
// program (this one) is told.
int DpiOf(HMONITOR monitor) {
    UINT x = 0, y = 0;
    return SUCCEEDED(::GetDpiForMonitor(monitor, MDT_EFFECTIVE_DPI, &x, &y)) && x > 0
               ? static_cast<int>(x)
               : USER_DEFAULT_SCREEN_DPI;
}

BOOL CALLBACK CollectMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM list) {
    MONITORINFOEXW info{};
    info.cbSize = sizeof(info);
    if (!::GetMonitorInfoW(monitor, &info)) return TRUE;
    Monitor found = MonitorFromInfo(info);
    found.device = WideToUtf8(info.szDevice);
    found.dpi = DpiOf(monitor);
    reinterpret_cast<std::vector<Monitor>*>(list)->push_back(std::move(found));
    return TRUE;
}

// A placement's workspace coordinates are relative to the work area of the
// window's own monitor. For a minimised window MonitorFromWindow takes its
// place before it was minimised.
Monitor WorkspaceMonitor(HMONITOR monitor) {
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    ::GetMonitorInfoW(monitor, &info);
    return MonitorFromInfo(info);
}

// The monitor a window goes to with that normal rectangle (the core puts it
// in view of one).
HMONITOR MonitorOfPlace(const WindowRect& normal) {
    const RECT r = ToRect(normal);
    return ::MonitorFromRect(&r, MONITOR_DEFAULTTONEAREST);
}

// Wine's answers differ from Windows' in two ways the placement code works
// around; the work-arounds are guesses that would be wrong on Windows, so
// they apply under Wine alone. Its ntdll exports wine_get_version; Windows'
// does not.
bool UnderWine() {
    static const bool wine =
        ::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
    return wine;
}

// The placement of a top-level window is in workspace coordinates unless it
// is a tool window.
bool UsesWorkspace(HWND window) {
    return (::GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) == 0;
}

ShowState StateOf(UINT showCommand) {
    switch (showCommand) {
    case SW_SHOWMINIMIZED: return ShowState::Minimized;
    case SW_SHOWMAXIMIZED: return ShowState::Maximized;
    default: return ShowState::Normal;
    }
}

// No command maximises without activating; SW_SHOWNA keeps a shown window
// as it is, so a window maximised already is left inactive.
UINT ShowCommandFor(ShowState state, ShowState now) {
    if (state == ShowState::Maximized && now == ShowState::Maximized) return SW_SHOWNA;
    switch (state) {
    case ShowState::Minimized: return SW_SHOWMINNOACTIVE;
    case ShowState::Maximized: return SW_SHOWMAXIMIZED;
    default: return SW_SHOWNOACTIVATE;
    }
}

bool IsShown(HWND window) { return (::GetWindowLongW(window, GWL_STYLE) & WS_VISIBLE) != 0; }

// Wine's SetWindowPlacement refuses another process's window. The same change
// is then asked for in asynchronous steps that its thread carries out in
// order: a minimised or maximised window is restored, moved, and given its
// state again (seen for a moment), and a hidden one is only moved when that
// does not show it: a hidden minimised or maximised window is refused.
Outcome PlaceInSteps(HWND window, const WindowPlacement& wanted) {
    const bool shown = IsShown(window);
    const bool restored = !::IsIconic(window) && !::IsZoomed(window);
    if (!shown && !restored) return FailureOutcome(window);
    if (!restored && !::ShowWindowAsync(window, SW_SHOWNOACTIVATE)) return FailureOutcome(window);
    const WindowRect& r = wanted.normal;
    if (!::SetWindowPos(window, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                        SWP_NOZORDER | SWP_NOACTIVATE | SWP_ASYNCWINDOWPOS))
        return FailureOutcome(window);
    if (shown && wanted.state != ShowState::Normal)
        ::ShowWindowAsync(window, static_cast<int>(ShowCommandFor(wanted.state, ShowState::Normal)));
    return Outcome::Done;
}

// On Windows a refusal is final: UIPI keeps a program that is not elevated
// from placing an elevated one's windows, in steps or not. A window that
// goes to a monitor of another DPI resizes itself for it on the way
// (WM_DPICHANGED), so the placement is asked for again, to be carried out
// once it is there. (Wine gives every monitor one DPI.)
Outcome Place(HWND window, const WINDOWPLACEMENT& placement, const WindowPlacement& wanted, bool changesDpi) {
    if (::SetWindowPlacement(window, &placement)) {
        if (changesDpi) ::SetWindowPlacement(window, &placement);
        return Outcome::Done;
    }
    return UnderWine() ? PlaceInSteps(window, wanted) : FailureOutcome(window);
}

bool ChangesDpi(HWND window, const WindowRect& normal) {
    return DpiOf(::MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST)) != DpiOf(MonitorOfPlace(normal));
}

// Another thread of this process: Wine carries a placement out there
// synchronously, whatever WPF_ASYNCWINDOWPLACEMENT says.
bool BelongsToAnotherThreadOfThisProcess(HWND window) {
    DWORD process = 0;
    const DWORD thread = ::GetWindowThreadProcessId(window, &process);
    return process == ::GetCurrentProcessId() && thread != ::GetCurrentThreadId();
}

// Runs `place` here, or for another thread of this process on a thread of
// its own, so a hung window holds only that thread.
template <typename Place>
Outcome PlaceWithoutWaiting(HWND window, Place place) {
    if (!BelongsToAnotherThreadOfThisProcess(window)) return place();
    try {
        std::thread(place).detach();
        return Outcome::Done;
    } catch (const std::system_error&) {
        return Outcome::Refused;  // no thread to spare: left where it is rather than risk a freeze
    }
}

}  // namespace

std::vector<Monitor> Win32WindowSystem::Monitors() {
    std::vector<Monitor> monitors;
    ::EnumDisplayMonitors(nullptr, nullptr, CollectMonitor, reinterpret_cast<LPARAM>(&monitors));
    return monitors;
}

std::optional<WindowPlacement> Win32WindowSystem::Placement(WindowHandle window) {
    const HWND hwnd = ToHwnd(window);
    WINDOWPLACEMENT placement{};
    placement.length = sizeof(placement);
    if (!::GetWindowPlacement(hwnd, &placement)) return std::nullopt;
    const ShowState state = StateOf(placement.showCmd);
    RECT rect{};
    // Wine keeps the normal rectangle inside the window's own process and
    // gives another process the window's present one: a minimised or
    // maximised window's normal place is then unknown, not its icon or the
    // whole screen.
    if (UnderWine() && state != ShowState::Normal && ::GetWindowRect(hwnd, &rect) &&
        ::EqualRect(&rect, &placement.rcNormalPosition)) {
        return std::nullopt;
    }
    WindowRect normal = FromRect(placement.rcNormalPosition);
    if (!WithinReach(normal)) return std::nullopt;  // not converted: the sum could overflow
    if (UsesWorkspace(hwnd))
        normal = WorkspaceToScreen(normal, WorkspaceMonitor(::MonitorFromWindow(hwnd, MONITOR_DEFAULTTONEAREST)));
    return WindowPlacement{state, normal};
}

// Our own thread's windows change at once, since the caller may read them
// back right away; another process's are asked asynchronously (Windows posts
// the placement to the window's thread; Wine refuses it at once, and the
// steps are asynchronous). A placement that shows a window would also show a
// hidden one: a hidden window is given SW_HIDE, which only sets where it goes.
Outcome Win32WindowSystem::SetPlacement(WindowHandle window, const WindowPlacement& wanted) {
    const HWND hwnd = ToHwnd(window);
    WINDOWPLACEMENT placement{};
    placement.length = sizeof(placement);
    if (!::GetWindowPlacement(hwnd, &placement)) return FailureOutcome(hwnd);
    // A minimised window that was maximised before comes back maximised.
    const UINT restoreToMaximized =
        wanted.state == ShowState::Minimized ? placement.flags & WPF_RESTORETOMAXIMIZED : 0;
    placement.flags = restoreToMaximized | WPF_ASYNCWINDOWPLACEMENT;
    placement.showCmd =
        IsShown(hwnd) ? ShowCommandFor(wanted.state, StateOf(placement.showCmd)) : SW_HIDE;
    // Relative to the monitor the window will be on.
    const WindowRect normal = UsesWorkspace(hwnd)
                                  ? ScreenToWorkspace(wanted.normal, WorkspaceMonitor(MonitorOfPlace(wanted.normal)))
                                  : wanted.normal;
    placement.rcNormalPosition = ToRect(normal);
    const bool changesDpi = ChangesDpi(hwnd, wanted.normal);
    return PlaceWithoutWaiting(hwnd, [hwnd, placement, wanted, changesDpi] {
        return Place(hwnd, placement, wanted, changesDpi);
    });
}

// SetWindowPlacement keeps a maximised window maximised on its monitor,
// whatever its new normal place. The steps restore it (without activating
// it), move it and maximise it; on Windows its placement is then set once
// more, as it would be for a window that changes monitor.
Outcome Win32WindowSystem::MoveMaximized(WindowHandle window, const WindowRect& normal) {
    const HWND hwnd = ToHwnd(window);
    const WindowPlacement wanted{ShowState::Maximized, normal};
    if (!::IsZoomed(hwnd) || !IsShown(hwnd)) return SetPlacement(window, wanted);
    const Outcome moved = PlaceWithoutWaiting(hwnd, [hwnd, wanted] { return PlaceInSteps(hwnd, wanted); });
    if (moved != Outcome::Done || UnderWine()) return moved;
    return SetPlacement(window, wanted);
}

WindowRect Win32WindowSystem::VisibleFrame(WindowHandle window) {
    RECT frame{};
    if (SUCCEEDED(::DwmGetWindowAttribute(ToHwnd(window), DWMWA_EXTENDED_FRAME_BOUNDS, &frame,
                                          sizeof(frame))))
        return FromRect(frame);
    return Rectangle(window);
}

}  // namespace qov::win32
