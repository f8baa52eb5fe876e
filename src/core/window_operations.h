#pragma once
// What the core does to the desktop's windows, and the window system that
// both reads and operates.

#include "core/window_reads.h"

namespace qov {

class WindowOperations {
public:
    virtual ~WindowOperations() = default;

    // Operations. None may freeze the caller on a hung target: a system
    // command waits while the target still responds (its questions answered),
    // keeping the caller's own windows painting, and gives up on a hung one
    // within a few seconds; show and topmost changes to other threads'
    // windows are asynchronous.
    virtual Outcome Show(WindowHandle window, ShowCommand command) = 0;
    virtual Outcome SendSystemCommand(WindowHandle window, SystemCommand command) = 0;
    virtual Outcome BringToFront(WindowHandle window) = 0;
    virtual Outcome MakeTopmost(WindowHandle window) = 0;
    virtual Outcome RemoveTopmost(WindowHandle window) = 0;
    // Moves and sizes the window to `outer` (its outer rectangle, screen pixels).
    virtual Outcome SetRectangle(WindowHandle window, const WindowRect& outer) = 0;
    // Done when the change was made or handed on, as for the other operations.
    virtual Outcome SetPlacement(WindowHandle window, const WindowPlacement& placement) = 0;
    // Maximises a window that is maximised on another monitor on the monitor
    // of `normal` (screen coordinates), its normal rectangle: SetPlacement
    // would leave it maximised where it is. It is restored without being
    // activated, moved and maximised, in steps its thread carries out in
    // order; other windows are given the placement.
    virtual Outcome MoveMaximized(WindowHandle window, const WindowRect& normal) = 0;
};

// The platform's windows: the Win32 half implements it for real, tests/fakes/
// holds a stand-in.
class WindowSystem : public WindowReads, public WindowOperations {};

}  // namespace qov
