#pragma once
// The window commands: what each command ID does to the selected row's window
// or to every target window, and which command each toolbar position gives.

#include <optional>
#include <span>

#include "core/command_ids.h"
#include "core/settings.h"
#include "core/window_model.h"

namespace qov {

// Positions of the main toolbar's buttons, separators counted, and their
// commands (0 for a separator).
inline constexpr int kToolbarPositions = 19;
int CommandAtToolbarPosition(int position);  // 0 outside 0..18 and for separators

// What the command (a window command's ID) does to one window, as it does it
// to the selected row's or to each target; Refused for any other ID.
Outcome ApplyToWindow(WindowSystem& windows, int commandId, WindowHandle window);

// Whether a listed window is a target of the multi-window commands: every
// one, or only the visible ones, as the target mode says. Its visibility is
// asked whatever the mode, as the program has always done.
bool IsTargetWindow(WindowSystem& windows, const Settings& settings, WindowHandle window);

class WindowCommands {
public:
    WindowCommands(WindowSystem& windows, const WindowTable& listed, const WindowList& list,
                   Settings& settings)
        : windows_(windows), listed_(listed), list_(list), settings_(settings) {}

    // Runs a window command or a target-mode choice. False for an ID that is
    // not one of them. While a command waits for a window, a second one is
    // ignored (true is returned and nothing is done).
    bool Run(int commandId);
    bool Busy() const { return busy_; }

    // The selected row's window; nothing when no row is selected.
    std::optional<WindowHandle> SelectedWindow() const;

private:
    // The listed windows when the command starts: the table may change while
    // a target is being waited for.
    std::vector<WindowHandle> ListedWindows() const;

    WindowSystem& windows_;
    const WindowTable& listed_;
    const WindowList& list_;
    Settings& settings_;
    bool busy_ = false;
};

}  // namespace qov
