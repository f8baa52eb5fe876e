#include "win32/window_system.h"

#include <dwmapi.h>

#include <chrono>
#include <memory>
#include <optional>
#include <string_view>
#include <unordered_set>
#include <utility>
#include <vector>

#include "win32/handles.h"
#include "win32/message_pump.h"
#include "win32/text.h"

namespace qov::win32 {
namespace {

using Clock = std::chrono::steady_clock;

// Titles and class names are read into buffers of this many units, so at
// most one less comes back.
constexpr int kTextBufferUnits = 255;

// How long a target may leave our questions unanswered before it counts as
// hung. Windows calls a window hung when its thread has not looked at its
// messages for five seconds; Wine only says so after about seven, so the
// program keeps its own count with the same five seconds.
constexpr auto kSilenceLimit = std::chrono::seconds(5);
// How long Responds waits for a target's answer.
constexpr auto kRespondsLimit = std::chrono::seconds(1);
// How often we ask a target whether it is still answering.
constexpr auto kProbeInterval = std::chrono::milliseconds(250);
// The longest the wait sleeps before looking at the target again.
constexpr DWORD kWakeUpMs = 100;

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

// The target's reply to a message sent with SendMessageCallbackW. The reply
// can come long after the sender stopped waiting (a hung window that wakes up),
// so the callback holds a share of its own and the waiter may leave at any time.
struct Reply {
    bool arrived = false;
};
using SharedReply = std::shared_ptr<Reply>;

void CALLBACK OnReply(HWND, UINT, ULONG_PTR data, LRESULT) {
    const std::unique_ptr<SharedReply> share(reinterpret_cast<SharedReply*>(data));
    (*share)->arrived = true;
}

// Null when the message could not be sent. A window of this thread is called
// at once, so its reply has arrived when this returns.
SharedReply SendForReply(HWND window, UINT message, WPARAM wParam) {
    auto reply = std::make_shared<Reply>();
    auto share = std::make_unique<SharedReply>(reply);
    if (!::SendMessageCallbackW(window, message, wParam, 0, OnReply,
                                reinterpret_cast<ULONG_PTR>(share.get()))) {
        return nullptr;
    }
    (void)share.release();  // the callback owns it now
    return reply;
}

// Runs the messages waiting for this thread, so its windows paint and answer
// while a command waits, when the program gives no way of its own. False once
// the loop has been asked to end; the request is put back for the real loop.
bool RunWaitingMessagesPlainly(WindowHandle) {
    // Dialog keys for the program's dialogs, which are owned windows; the
    // main window is not one and would take Enter for IDOK.
    const auto dialogKeys = [](MSG& message) {
        const HWND active = ::GetActiveWindow();
        const bool isDialog = active && ::GetWindow(active, GW_OWNER);
        return isDialog && ::IsDialogMessageW(active, &message);
    };
    return !RunPendingMessages(dialogKeys);
}

// Waits for `handled` while the target keeps answering. A target handling a
// system command may rightly take long: it asks "save changes?" or runs the
// move loop until the user is done. Its thread then still takes messages, so
// it answers the small WM_NULL questions sent meanwhile; a thread stuck
// inside a handler answers none, and after kSilenceLimit we stop waiting.
// Done also when the wait is given up (the user pressed Esc, or the program is
// asked to end): the command has been handed on, its question stays with the
// target's user, and the caller reads back what became of it.
Outcome WaitForReply(HWND target, const Reply& handled,
                     const Win32WindowSystem::WaitingMessages& runWaitingMessages) {
    auto lastAnswer = Clock::now();
    auto lastProbe = Clock::now();
    SharedReply probe;
    while (!handled.arrived) {
        if (!::IsWindow(target)) return Outcome::Gone;
        if (::IsHungAppWindow(target)) return Outcome::Hung;
        const auto now = Clock::now();
        if (probe && probe->arrived) {
            lastAnswer = now;
            probe.reset();
        }
        if (now - lastAnswer > kSilenceLimit) return Outcome::Hung;
        if (!probe && now - lastProbe >= kProbeInterval) {
            probe = SendForReply(target, WM_NULL, 0);
            lastProbe = now;
        }
        if (!runWaitingMessages(ToWindowHandle(target)) || handled.arrived) return Outcome::Done;
        ::MsgWaitForMultipleObjectsEx(0, nullptr, kWakeUpMs, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    }
    return Outcome::Done;
}

// Another thread's window is only asked to move, so a hung one cannot hold us.
Outcome Place(HWND window, HWND insertAfter, const RECT& rect, UINT flags) {
    flags |= SWP_NOACTIVATE;
    if (!BelongsToThisThread(window)) flags |= SWP_ASYNCWINDOWPOS;
    if (::SetWindowPos(window, insertAfter, rect.left, rect.top, rect.right - rect.left,
                       rect.bottom - rect.top, flags))
        return Outcome::Done;
    return FailureOutcome(window);
}

Outcome PlaceInZOrder(HWND window, HWND insertAfter) {
    return Place(window, insertAfter, {}, SWP_NOMOVE | SWP_NOSIZE);
}

}  // namespace

Win32WindowSystem::Win32WindowSystem(WaitingMessages runWaitingMessages)
    : runWaitingMessages_(runWaitingMessages ? std::move(runWaitingMessages)
                                             : WaitingMessages(RunWaitingMessagesPlainly)) {}

// EnumWindows asks the system whether each window still exists before calling
// back; under Wine every such question is a round trip to the server, and
// with a thousand windows the call takes tens of milliseconds in one piece
// that the message loop cannot interrupt. EnumDesktopWindows lists the same
// windows in one request. Wine's list also holds the message-only windows,
// which EnumWindows leaves out, so those are taken away (on Windows the list
// never has them).
void Win32WindowSystem::EnumerateWindows(const std::function<void(WindowHandle)>& visit) {
    std::vector<HWND> windows;
    windows.reserve(512);
    if (!::EnumDesktopWindows(nullptr, CollectWindow, reinterpret_cast<LPARAM>(&windows))) {
        windows.clear();
        ::EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&windows));
    }
    const std::unordered_set<HWND> messageOnly = MessageOnlyWindows();
    for (const HWND window : windows) {
        if (!messageOnly.contains(window)) visit(ToWindowHandle(window));
    }
}

// InternalGetWindowText reads the caption the system keeps for the window and
// never sends a message. GetWindowTextW sends WM_GETTEXT to windows of our own
// process, so a busy thread of ours would stall the list, and a window may
// answer WM_GETTEXT with something other than its caption.
std::string Win32WindowSystem::Title(WindowHandle window) {
    wchar_t buffer[kTextBufferUnits] = {};
    const int units = ::InternalGetWindowText(ToHwnd(window), buffer, kTextBufferUnits);
    return units > 0 ? WideToUtf8({buffer, static_cast<size_t>(units)}) : std::string{};
}

std::string Win32WindowSystem::ClassName(WindowHandle window) {
    wchar_t buffer[kTextBufferUnits] = {};
    const int units = ::GetClassNameW(ToHwnd(window), buffer, kTextBufferUnits);
    return units > 0 ? WideToUtf8({buffer, static_cast<size_t>(units)}) : std::string{};
}

bool Win32WindowSystem::Exists(WindowHandle window) { return ::IsWindow(ToHwnd(window)) != FALSE; }

// Both read the window's style, which alone says how a top-level window is
// shown: it is visible when its own WS_VISIBLE is set (its parent, the
// desktop, always is), and the placement's show state is minimised or
// maximised exactly when WS_MINIMIZE or WS_MAXIMIZE is. IsWindowVisible also
// walks the parents and GetWindowPlacement also reads the rectangles: under
// Wine each costs more server round trips for another process's window.
Visibility Win32WindowSystem::GetVisibility(WindowHandle window) {
    const HWND hwnd = ToHwnd(window);
    const std::optional<LONG> style = WindowStyle(hwnd);
    if (!style || (*style & WS_VISIBLE) == 0) return Visibility::Hidden;
    DWORD cloaked = 0;
    if (FAILED(::DwmGetWindowAttribute(hwnd, DWMWA_CLOAKED, &cloaked, sizeof(cloaked))) || cloaked == 0)
        return Visibility::Visible;
    if (cloaked & DWM_CLOAKED_SHELL) return Visibility::CloakedByShell;
    if (cloaked & DWM_CLOAKED_APP) return Visibility::CloakedByApp;
    return Visibility::CloakedWithOwner;  // DWM_CLOAKED_INHERITED, or a reason newer than this program
}

ShowState Win32WindowSystem::GetShowState(WindowHandle window) {
    const std::optional<LONG> style = WindowStyle(ToHwnd(window));
    if (!style) return ShowState::Unknown;
    if (*style & WS_MINIMIZE) return ShowState::Minimized;
    if (*style & WS_MAXIMIZE) return ShowState::Maximized;
    return ShowState::Normal;
}

WindowHandle Win32WindowSystem::Foreground() { return ToWindowHandle(::GetForegroundWindow()); }

WindowRect Win32WindowSystem::Rectangle(WindowHandle window) {
    RECT rect = {};
    if (!::GetWindowRect(ToHwnd(window), &rect)) return {};
    return {rect.left, rect.top, rect.right, rect.bottom};
}

bool Win32WindowSystem::IsTopmost(WindowHandle window) {
    return (::GetWindowLongW(ToHwnd(window), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

// A Store app's top-level window is a frame that ApplicationFrameHost.exe
// draws; the app itself runs in the process of the core window the frame
// hosts. A suspended app's frame may host none for a while: the frame's
// process is all there is to say then.
std::uint32_t Win32WindowSystem::ProcessId(WindowHandle window) {
    const HWND hwnd = ToHwnd(window);
    DWORD processId = 0;
    if (!::GetWindowThreadProcessId(hwnd, &processId)) return 0;
    wchar_t className[32] = {};
    if (!::GetClassNameW(hwnd, className, 32) || std::wstring_view(className) != L"ApplicationFrameWindow")
        return processId;
    for (HWND core = ::FindWindowExW(hwnd, nullptr, L"Windows.UI.Core.CoreWindow", nullptr); core;
         core = ::FindWindowExW(hwnd, core, L"Windows.UI.Core.CoreWindow", nullptr)) {
        DWORD app = 0;
        if (::GetWindowThreadProcessId(core, &app) && app != processId) return app;
    }
    return processId;
}

// The limited right is granted for most processes of other users too; an
// elevated process still refuses it to a program that is not.
std::string Win32WindowSystem::ProcessImagePath(WindowHandle window) {
    const std::uint32_t processId = ProcessId(window);
    if (processId == 0) return {};
    const UniqueKernelHandle process{
        ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId)};
    if (!process) return {};
    wchar_t path[MAX_PATH * 4] = {};
    DWORD units = static_cast<DWORD>(std::size(path));
    if (!::QueryFullProcessImageNameW(process.get(), 0, path, &units)) return {};
    return WideToUtf8({path, units});
}

// ShowWindow on another thread's window waits for that thread to carry out
// the change; the asynchronous form only queues it. Our own thread's windows
// must change at once, since the caller reads them back right away.
// ShowWindow's result is the earlier visibility, not success.
Outcome Win32WindowSystem::Show(WindowHandle window, ShowCommand command) {
    const HWND hwnd = ToHwnd(window);
    const int show = static_cast<int>(command);
    if (!::IsWindow(hwnd)) return Outcome::Gone;
    if (BelongsToThisThread(hwnd)) {
        ::ShowWindow(hwnd, show);
        return Outcome::Done;
    }
    return ::ShowWindowAsync(hwnd, show) ? Outcome::Done : FailureOutcome(hwnd);
}

// The command is sent without blocking and its reply awaited while this
// thread runs its messages, so the program paints and answers meanwhile and a
// program that asks before closing is given all the time its user needs. A
// window already known to be hung would only make us wait for nothing.
Outcome Win32WindowSystem::SendSystemCommand(WindowHandle window, SystemCommand command) {
    const HWND hwnd = ToHwnd(window);
    if (!::IsWindow(hwnd)) return Outcome::Gone;
    if (::IsHungAppWindow(hwnd)) return Outcome::Hung;
    const SharedReply handled = SendForReply(hwnd, WM_SYSCOMMAND, static_cast<WPARAM>(command));
    if (!handled) return FailureOutcome(hwnd);
    return WaitForReply(hwnd, *handled, runWaitingMessages_);
}

Outcome Win32WindowSystem::BringToFront(WindowHandle window) {
    const HWND hwnd = ToHwnd(window);
    return ::SetForegroundWindow(hwnd) ? Outcome::Done : FailureOutcome(hwnd);
}

Outcome Win32WindowSystem::MakeTopmost(WindowHandle window) {
    return PlaceInZOrder(ToHwnd(window), HWND_TOPMOST);
}

Outcome Win32WindowSystem::RemoveTopmost(WindowHandle window) {
    return PlaceInZOrder(ToHwnd(window), HWND_NOTOPMOST);
}

Outcome Win32WindowSystem::SetRectangle(WindowHandle window, const WindowRect& outer) {
    return Place(ToHwnd(window), nullptr, {outer.left, outer.top, outer.right, outer.bottom},
                 SWP_NOZORDER | SWP_NOOWNERZORDER);
}

// The same small question the system command's wait asks, with this
// thread's messages running meanwhile.
bool Win32WindowSystem::Responds(WindowHandle window) {
    const HWND hwnd = ToHwnd(window);
    if (!::IsWindow(hwnd) || ::IsHungAppWindow(hwnd)) return false;
    const SharedReply answer = SendForReply(hwnd, WM_NULL, 0);
    if (!answer) return false;
    for (const auto end = Clock::now() + kRespondsLimit; !answer->arrived && Clock::now() < end;) {
        if (!runWaitingMessages_(window)) break;
        if (answer->arrived) break;
        ::MsgWaitForMultipleObjectsEx(0, nullptr, kWakeUpMs, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    }
    return answer->arrived;
}

}  // namespace qov::win32
