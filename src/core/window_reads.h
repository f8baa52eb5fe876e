#pragma once
// What the core reads of the desktop's windows. Reads never change a window
// and never wait for one.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/window_types.h"

namespace qov {

class WindowReads {
public:
    virtual ~WindowReads() = default;

    // Calls `visit` once per top-level window, in the system's z-order, before
    // returning. A window may be gone by the time it is visited.
    virtual void EnumerateWindows(const std::function<void(WindowHandle)>& visit) = 0;

    // Titles and class names: at most 254 UTF-16 units, "" when unreadable.
    virtual std::string Title(WindowHandle window) = 0;
    virtual std::string ClassName(WindowHandle window) = 0;
    virtual bool Exists(WindowHandle window) = 0;
    virtual Visibility GetVisibility(WindowHandle window) = 0;
    virtual ShowState GetShowState(WindowHandle window) = 0;
    virtual WindowHandle Foreground() = 0;
    virtual WindowRect Rectangle(WindowHandle window) = 0;
    virtual bool IsTopmost(WindowHandle window) = 0;
    // The process that owns the window; 0 when the window is gone.
    virtual std::uint32_t ProcessId(WindowHandle window) = 0;
    // The full path of that process's image file; "" when Windows will not say
    // (a process of another user, or one that has ended).
    virtual std::string ProcessImagePath(WindowHandle window) = 0;

    // Whether the window's thread still takes its messages: asked without
    // blocking, and given up on within about a second.
    virtual bool Responds(WindowHandle window) = 0;

    // Monitors and placements, all in screen coordinates (the Win32 half
    // converts the placement's workspace coordinates). No placement when the
    // window is gone, or when the system will not tell its normal rectangle
    // (Wine, for another process's minimised or maximised window). Setting
    // a placement never activates a normal or minimised window, nor a
    // maximised one that stays maximised, and never shows a hidden one (a
    // hidden window only gets its normal rectangle); for another thread's
    // window it is asynchronous.
    virtual std::vector<Monitor> Monitors() = 0;
    virtual std::optional<WindowPlacement> Placement(WindowHandle window) = 0;
    // The part of the window's outer rectangle that is drawn: Windows 10 and
    // 11 count invisible resize borders in the outer rectangle. The outer
    // rectangle where the system does not say.
    virtual WindowRect VisibleFrame(WindowHandle window) = 0;
};

}  // namespace qov
