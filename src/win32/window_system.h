#pragma once
// The real window system, on USER32. Reads never send the target a message;
// operations cannot freeze the program (see WindowSystem).
#include <windows.h>

#include "core/window_operations.h"

namespace qov::win32 {

inline HWND ToHwnd(WindowHandle window) {
    return reinterpret_cast<HWND>(static_cast<INT_PTR>(window));
}
inline WindowHandle ToWindowHandle(HWND window) {
    return static_cast<WindowHandle>(reinterpret_cast<INT_PTR>(window));
}

// Why a request for an existing window failed: Windows refused it (UIPI
// denies a program that is not elevated any change to an elevated one's
// windows), unless the window has gone meanwhile.
inline Outcome FailureOutcome(HWND window) {
    return ::IsWindow(window) ? Outcome::Refused : Outcome::Gone;
}

class Win32WindowSystem final : public WindowSystem {
public:
    // `runWaitingMessages` runs this thread's waiting messages while a system
    // command waits for `target`, as the program's own loop would (shortcut
    // keys, dialog keys); false to stop waiting (the user gave up, or the
    // program is asked to end). Without one they are run plainly.
    using WaitingMessages = std::function<bool(WindowHandle target)>;
    explicit Win32WindowSystem(WaitingMessages runWaitingMessages = {});

    void EnumerateWindows(const std::function<void(WindowHandle)>& visit) override;
    std::string Title(WindowHandle window) override;
    std::string ClassName(WindowHandle window) override;
    bool Exists(WindowHandle window) override;
    // Asks DWM about cloaking only for windows with WS_VISIBLE.
    Visibility GetVisibility(WindowHandle window) override;
    ShowState GetShowState(WindowHandle window) override;
    WindowHandle Foreground() override;
    WindowRect Rectangle(WindowHandle window) override;
    bool IsTopmost(WindowHandle window) override;
    std::uint32_t ProcessId(WindowHandle window) override;
    std::string ProcessImagePath(WindowHandle window) override;

    Outcome Show(WindowHandle window, ShowCommand command) override;
    // Waits, pumping this thread's messages, until the target has handled the
    // command, is gone or is hung.
    Outcome SendSystemCommand(WindowHandle window, SystemCommand command) override;
    Outcome BringToFront(WindowHandle window) override;
    Outcome MakeTopmost(WindowHandle window) override;
    Outcome RemoveTopmost(WindowHandle window) override;
    Outcome SetRectangle(WindowHandle window, const WindowRect& outer) override;
    bool Responds(WindowHandle window) override;
    std::vector<Monitor> Monitors() override;
    std::optional<WindowPlacement> Placement(WindowHandle window) override;
    // Windows honours WPF_ASYNCWINDOWPLACEMENT, and a window it refuses is
    // Refused; Wine refuses another process's window, which is then placed
    // in asynchronous steps (under Wine only), and waits
    // for another thread of this process, whose window is placed from a
    // short-lived thread of its own (see window_placement.cpp).
    Outcome SetPlacement(WindowHandle window, const WindowPlacement& placement) override;
    WindowRect VisibleFrame(WindowHandle window) override;
    Outcome MoveMaximized(WindowHandle window, const WindowRect& normal) override;

private:
    WaitingMessages runWaitingMessages_;
};

}  // namespace qov::win32
