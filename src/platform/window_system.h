#pragma once
// What QOV needs of the window manager: enumerate, inspect and drive other
// programs' top-level windows. Text is UTF-8; handles are the 32-bit values of
// the system's window handles (lossless on 64-bit Windows).

#include <cstdint>
#include <functional>
#include <string>

namespace qov {

using WindowHandle = std::int32_t;

struct WindowRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool operator==(const WindowRect&) const = default;
};

// Show states as the window's placement reports them; 0 when it cannot be read.
enum ShowState : int {
    kShowStateUnknown = 0,
    kShowStateNormal = 1,
    kShowStateMinimized = 2,
    kShowStateMaximized = 3,
};

// Show commands handed to ShowWindow.
enum class ShowCommand : int {
    Hide = 0,
    ShowNormal = 1,
    Show = 5,
    Minimize = 6,
};

// System-menu commands sent as WM_SYSCOMMAND.
enum class SystemCommand : std::uint32_t {
    Size = 0xF000,
    Move = 0xF010,
    Minimize = 0xF020,
    Maximize = 0xF030,
    Close = 0xF060,
};

class WindowSystem {
public:
    virtual ~WindowSystem() = default;

    // Calls `visit` once per top-level window, in the system's order, before
    // returning. Returning false from `visit` ends the enumeration early.
    virtual void EnumerateWindows(const std::function<bool(WindowHandle)>& visit) = 0;

    // Titles and class names are read into 255-unit buffers: at most 254 units.
    virtual std::string WindowTitle(WindowHandle window) = 0;
    virtual std::string ClassName(WindowHandle window) = 0;
    virtual bool IsWindow(WindowHandle window) = 0;
    virtual bool IsVisible(WindowHandle window) = 0;
    virtual int PlacementShowState(WindowHandle window) = 0;
    virtual WindowHandle ForegroundWindow() = 0;
    virtual WindowRect WindowRectangle(WindowHandle window) = 0;

    // Operations that change a window. None of them can block for longer than
    // the layer's timeout, whatever the target's thread is doing.
    virtual void ShowWindow(WindowHandle window, ShowCommand command) = 0;
    virtual void SendSystemCommand(WindowHandle window, SystemCommand command) = 0;
    virtual void SetForegroundWindow(WindowHandle window) = 0;
    virtual void MakeTopmost(WindowHandle window) = 0;
};

}  // namespace qov
