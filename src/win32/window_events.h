#pragma once
// The window system's reports of changes to top-level windows, as they
// happen, and a window of the program's own that finds out whether they come.
#include <windows.h>

#include <functional>
#include <vector>

#include "core/window_changes.h"
#include "win32/handles.h"

namespace qov::win32 {

// Asks for the reports on the calling thread: they arrive through its message
// loop, out of the reporting programs' processes, so a hung program holds
// nothing up. One object per thread at a time.
class WindowEventHooks {
public:
    using Receiver = std::function<void(WindowEvent, WindowHandle)>;
    explicit WindowEventHooks(Receiver receiver);
    ~WindowEventHooks();
    WindowEventHooks(const WindowEventHooks&) = delete;
    WindowEventHooks& operator=(const WindowEventHooks&) = delete;

    // Every report the list relies on was granted.
    bool Hooked() const { return hooked_; }

private:
    static void CALLBACK OnEvent(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child, DWORD,
                                 DWORD);

    Receiver receiver_;
    std::vector<UniqueWinEventHook> hooks_;
    bool hooked_ = false;
};

// Puts a window of the program's own through the changes the list relies on:
// titled, shown, hidden and destroyed, all at once. It is never seen: it has
// no size, sits off every screen, takes no taskbar button and no activation.
// The reports about it, if any come, arrive later under the handle returned;
// 0 when no such window could be made.
WindowHandle RunEventProbe();

}  // namespace qov::win32
