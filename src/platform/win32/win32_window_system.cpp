#include "platform/win32/win32_window_system.h"

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

bool Win32WindowSystem::IsVisible(WindowHandle window) {
    return ::IsWindowVisible(ToHwnd(window)) == TRUE;
}

int Win32WindowSystem::PlacementShowState(WindowHandle window) {
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof(placement);
    if (!::GetWindowPlacement(ToHwnd(window), &placement)) return kShowStateUnknown;
    return static_cast<int>(placement.showCmd);
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
