#pragma once
// The window commands: what each command ID does to the selected row's window
// or to every target window, and which command each toolbar position gives.

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/command_ids.h"
#include "core/command_sequence.h"
#include "core/settings.h"
#include "core/refresh.h"
#include "core/window_protection.h"

namespace qov {

// Positions of the main toolbar's buttons, separators counted, and their
// commands (0 for a separator).
inline constexpr int kToolbarPositions = 19;
int CommandAtToolbarPosition(int position);  // 0 outside 0..18 and for separators

// What the command (a window command's ID) does to one window, as it does it
// to the selected row's or to each target; Refused for any other ID.
Outcome ApplyToWindow(WindowSystem& windows, int commandId, WindowHandle window);

// Whether a window is a target of the multi-window commands: never QOV's own
// or the shell's; else every one, or only the visible ones, as the target
// mode says.
bool IsTarget(const WindowRecord& window, const Settings& settings, const OwnWindows& own);
// The same, read through the window system just before the window is acted on.
bool IsTargetWindow(WindowReads& windows, const Settings& settings, const OwnWindows& own,
                    WindowHandle window);

// The window of the list's selected row (row 0 first); nothing when no row
// is selected (a negative row).
std::optional<WindowHandle> SelectedWindow(int selectedRow, const ListedWindows& listed);

// What became of a command that the user should be told: a box for a window
// that is never acted on, a line in the status bar for windows that Windows
// refused, that did not answer, or that cannot be seen here.
struct CommandReport {
    std::string box;
    std::string notice;
    bool operator==(const CommandReport&) const = default;
};

// The status bar's line while a command waits for a window that keeps
// answering (its "save changes?" box open, say).
std::string WaitingNotice(const std::string& title);

class WindowCommands {
public:
    WindowCommands(WindowSystem& windows, const ListedWindows& listed, Settings& settings,
                   const OwnWindows& own)
        : windows_(windows), listed_(listed), settings_(settings), own_(own) {}

    // Runs a window command on the window selected when it was given, or on
    // every target, or a target-mode choice. Nothing for an ID that is not
    // one of them. A window gone by the command's turn is skipped quietly.
    std::optional<CommandReport> Run(const GivenCommand& command);

    // The listed windows that are targets now, in the list's order.
    std::vector<WindowHandle> Targets() const;
    bool IsTarget(const WindowRecord& window) const { return qov::IsTarget(window, settings_, own_); }

private:
    CommandReport RunOnSelected(int commandId, WindowHandle window);
    CommandReport RunOnTargets(int commandId);

    WindowSystem& windows_;
    const ListedWindows& listed_;
    Settings& settings_;
    const OwnWindows& own_;
};

}  // namespace qov
