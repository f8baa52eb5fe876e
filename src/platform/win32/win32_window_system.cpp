#include "platform/win32/win32_window_system.h"

#include <optional>
#include <unordered_set>
#include <vector>

#include "platform/win32/text_conversion.h"
#include "platform/win32/window_handle.h"

namespace qov::win32 {
namespace {

// Titles and class names are read into buffers of this many units, so at
// most one less comes back.
constexpr int kTextBufferUnits = 255;

bool BelongsToThisThread(HWND window) {
    return ::GetWindowThreadProcessId(window, nullptr) == ::GetCurrentThreadId();
}

// Nothing when the window is gone.
std::optional<LONG> WindowStyle(HWND window) {
    ::SetLastError(ERROR_SUCCESS);
    const LONG style = ::GetWindowLongW(window, GWL_STYLE);
    if (style == 0 && ::GetLastError() != ERROR_SUCCESS) return std::nullopt;
    return style;
}

BOOL CALLBACK CollectWindow(HWND window, LPARAM list) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
}

std::unordered_set<HWND> MessageOnlyWindows() {
    std::unordered_set<HWND> windows;
    for (HWND window = ::FindWindowExW(HWND_MESSAGE, nullptr, nullptr, nullptr); window;
         window = ::FindWindowExW(HWND_MESSAGE, window, nullptr, nullptr)) {
        if (!windows.insert(window).second) break;  // the list changed under us
    }
    return windows;
}

}  // namespace

// EnumWindows asks the system whether each window still exists before calling
// back; under Wine every such question is a round trip to the server, and
// with a thousand windows the call takes tens of milliseconds in one piece
// that the message loop cannot interrupt. EnumDesktopWindows lists the same
// windows in one request. Wine's list also holds the message-only windows,
// which EnumWindows leaves out, so those are taken away (on Windows the list
// never has them). A window may go before it is visited: callers check.
void Win32WindowSystem::EnumerateWindows(const std::function<bool(WindowHandle)>& visit) {
    std::vector<HWND> windows;
    windows.reserve(512);
    if (!::EnumDesktopWindows(nullptr, CollectWindow, reinterpret_cast<LPARAM>(&windows))) {
        windows.clear();
        ::EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&windows));
    }
    const std::unordered_set<HWND> messageOnly = MessageOnlyWindows();
    for (const HWND window : windows) {
        if (messageOnly.contains(window)) continue;
        if (!visit(ToWindowHandle(window))) return;
    }
}

// InternalGetWindowText reads the caption the system keeps for the window and
// never sends a message. GetWindowTextW sends WM_GETTEXT to windows of our own
// process, so a busy thread of ours would stall the list, and a window may
// answer WM_GETTEXT with something other than its caption.
std::string Win32WindowSystem::WindowTitle(WindowHandle window) {
    wchar_t buffer[kTextBufferUnits] = {};
    const int units = ::InternalGetWindowText(ToHwnd(window), buffer, kTextBufferUnits);
    return units > 0 ? WideToUtf8({buffer, static_cast<size_t>(units)}) : std::string{};
}

std::string Win32WindowSystem::ClassName(WindowHandle window) {
    wchar_t buffer[kTextBufferUnits] = {};
    const int units = ::GetClassNameW(ToHwnd(window), buffer, kTextBufferUnits);
    return units > 0 ? WideToUtf8({buffer, static_cast<size_t>(units)}) : std::string{};
}

bool Win32WindowSystem::IsWindow(WindowHandle window) {
    return ::IsWindow(ToHwnd(window)) != FALSE;
}

// Both read the window's style, the one thing the system keeps that says how
// a top-level window is shown: it is visible when its own WS_VISIBLE is set
// (its parent is the desktop, always visible), and the placement's show state
// is minimised or maximised exactly when WS_MINIMIZE or WS_MAXIMIZE is.
// IsWindowVisible also walks the window's parents, and GetWindowPlacement
// also reads its rectangles: under Wine each costs more round trips to the
// server for another process's window, and Wine itself answers the
// placement's show state of such a window from these two style bits.
bool Win32WindowSystem::IsVisible(WindowHandle window) {
    const std::optional<LONG> style = WindowStyle(ToHwnd(window));
    return style && (*style & WS_VISIBLE) != 0;
}

int Win32WindowSystem::PlacementShowState(WindowHandle window) {
    const std::optional<LONG> style = WindowStyle(ToHwnd(window));
    if (!style) return kShowStateUnknown;
    if (*style & WS_MINIMIZE) return kShowStateMinimized;
    if (*style & WS_MAXIMIZE) return kShowStateMaximized;
    return kShowStateNormal;
}

WindowHandle Win32WindowSystem::ForegroundWindow() {
    return ToWindowHandle(::GetForegroundWindow());
}

WindowRect Win32WindowSystem::WindowRectangle(WindowHandle window) {
    RECT rect = {};
    if (!::GetWindowRect(ToHwnd(window), &rect)) return {};
    return {rect.left, rect.top, rect.right, rect.bottom};
}

// ShowWindow on another thread's window waits for that thread to carry out
// the change; the asynchronous form only queues it. Our own thread's windows
// must change at once, since the caller reads them back right away.
void Win32WindowSystem::ShowWindow(WindowHandle window, ShowCommand command) {
    const HWND hwnd = ToHwnd(window);
    const int show = static_cast<int>(command);
    if (BelongsToThisThread(hwnd)) {
        ::ShowWindow(hwnd, show);
    } else {
        ::ShowWindowAsync(hwnd, show);
    }
}

// SMTO_BLOCK is left out on purpose: while we wait, our own thread must keep
// answering messages sent to it, or two programs waiting on each other hang.
// A window that hung only moments ago is not yet "hung" to the system, so the
// timeout is what really bounds the wait.
void Win32WindowSystem::SendSystemCommand(WindowHandle window, SystemCommand command) {
    DWORD_PTR result = 0;
    ::SendMessageTimeoutW(ToHwnd(window), WM_SYSCOMMAND, static_cast<WPARAM>(command), 0,
                          SMTO_NORMAL | SMTO_ABORTIFHUNG, send_timeout_ms_, &result);
}

void Win32WindowSystem::SetForegroundWindow(WindowHandle window) {
    ::SetForegroundWindow(ToHwnd(window));
}

void Win32WindowSystem::MakeTopmost(WindowHandle window) {
    const HWND hwnd = ToHwnd(window);
    UINT flags = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;
    if (!BelongsToThisThread(hwnd)) flags |= SWP_ASYNCWINDOWPOS;
    ::SetWindowPos(hwnd, HWND_TOPMOST, 0, 0, 0, 0, flags);
}

}  // namespace qov::win32
