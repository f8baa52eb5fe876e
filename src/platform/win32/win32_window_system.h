#pragma once
// The window-manager operations over USER32, for other programs' top-level
// windows. Nothing here may block on a target that has stopped answering.
#include <windows.h>

#include "platform/window_system.h"

namespace qov::win32 {

class Win32WindowSystem : public WindowSystem {
public:
    // Long enough for a busy program to answer a system command, short enough
    // that a hung one does not freeze the list.
    static constexpr UINT kSendTimeoutMs = 3000;

    explicit Win32WindowSystem(UINT send_timeout_ms = kSendTimeoutMs)
        : send_timeout_ms_(send_timeout_ms) {}

    void EnumerateWindows(const std::function<bool(WindowHandle)>& visit) override;

    std::string WindowTitle(WindowHandle window) override;
    std::string ClassName(WindowHandle window) override;
    bool IsWindow(WindowHandle window) override;
    bool IsVisible(WindowHandle window) override;
    int PlacementShowState(WindowHandle window) override;
    WindowHandle ForegroundWindow() override;
    WindowRect WindowRectangle(WindowHandle window) override;

    void ShowWindow(WindowHandle window, ShowCommand command) override;
    void SendSystemCommand(WindowHandle window, SystemCommand command) override;
    void SetForegroundWindow(WindowHandle window) override;
    void MakeTopmost(WindowHandle window) override;

private:
    UINT send_timeout_ms_;
};

}  // namespace qov::win32
