#include "win32/window_events.h"

#include <optional>
#include <utility>

#include "win32/window_system.h"

namespace qov::win32 {
namespace {

thread_local WindowEventHooks::Receiver* tReceiver = nullptr;

struct EventRange {
    DWORD first, last;
};
// Narrow ranges: a range spanning the focus and selection reports would wake
// the program at every keystroke anywhere.
constexpr EventRange kRanges[] = {
    {EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_FOREGROUND},
    {EVENT_SYSTEM_MINIMIZESTART, EVENT_SYSTEM_MINIMIZEEND},
    {EVENT_OBJECT_CREATE, EVENT_OBJECT_HIDE},
    {EVENT_OBJECT_LOCATIONCHANGE, EVENT_OBJECT_NAMECHANGE},
    {EVENT_OBJECT_CLOAKED, EVENT_OBJECT_UNCLOAKED},
};

std::optional<WindowEvent> EventOf(DWORD event) {
    switch (event) {
    case EVENT_OBJECT_CREATE: return WindowEvent::Created;
    case EVENT_OBJECT_DESTROY: return WindowEvent::Destroyed;
    case EVENT_OBJECT_SHOW: return WindowEvent::Shown;
    case EVENT_OBJECT_HIDE: return WindowEvent::Hidden;
    case EVENT_OBJECT_NAMECHANGE: return WindowEvent::NameChanged;
    case EVENT_OBJECT_LOCATIONCHANGE: return WindowEvent::Moved;
    case EVENT_SYSTEM_MINIMIZESTART: return WindowEvent::MinimizeStarted;
    case EVENT_SYSTEM_MINIMIZEEND: return WindowEvent::MinimizeEnded;
    case EVENT_SYSTEM_FOREGROUND: return WindowEvent::Foreground;
    case EVENT_OBJECT_CLOAKED: return WindowEvent::Cloaked;
    case EVENT_OBJECT_UNCLOAKED: return WindowEvent::Uncloaked;
    default: return std::nullopt;
    }
}

constexpr const wchar_t* kProbeClass = L"QOV.EventProbe";  // never listed

}  // namespace

WindowEventHooks::WindowEventHooks(Receiver receiver) : receiver_(std::move(receiver)) {
    hooked_ = true;
    for (const EventRange& range : kRanges) {
        UniqueWinEventHook hook{::SetWinEventHook(range.first, range.last, nullptr, &OnEvent, 0, 0,
                                                  WINEVENT_OUTOFCONTEXT)};
        hooked_ = hooked_ && hook;
        if (hook) hooks_.push_back(std::move(hook));
    }
    tReceiver = &receiver_;
}

WindowEventHooks::~WindowEventHooks() {
    hooks_.clear();
    tReceiver = nullptr;
}

// Only reports about a top-level window itself are passed on: not its
// controls, the caret or the mouse pointer. A destroyed window cannot be
// asked where it was, and comes through as it is.
void CALLBACK WindowEventHooks::OnEvent(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child,
                                        DWORD, DWORD) {
    if (!tReceiver || !window || object != OBJID_WINDOW || child != CHILDID_SELF) return;
    const std::optional<WindowEvent> kind = EventOf(event);
    if (!kind) return;
    if (*kind != WindowEvent::Destroyed && ::GetAncestor(window, GA_PARENT) != ::GetDesktopWindow()) return;
    (*tReceiver)(*kind, ToWindowHandle(window));
}

WindowHandle RunEventProbe() {
    const HINSTANCE instance = ::GetModuleHandleW(nullptr);
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = ::DefWindowProcW;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kProbeClass;
    if (!::RegisterClassExW(&windowClass) && ::GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return 0;
    constexpr DWORD kUnseen = WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE | WS_EX_TRANSPARENT | WS_EX_LAYERED;
    UniqueWindow probe{::CreateWindowExW(kUnseen, kProbeClass, L"", WS_POPUP, -32000, -32000, 0, 0, nullptr,
                                         nullptr, instance, nullptr)};
    if (!probe) return 0;
    ::SetLayeredWindowAttributes(probe.get(), 0, 0, LWA_ALPHA);  // wholly transparent
    ::SetWindowTextW(probe.get(), L"QOV");
    ::ShowWindow(probe.get(), SW_SHOWNA);
    ::ShowWindow(probe.get(), SW_HIDE);
    const WindowHandle handle = ToWindowHandle(probe.get());
    probe.reset();
    return handle;
}

}  // namespace qov::win32
