#include "core/commands.h"

#include <algorithm>
#include <array>

namespace qov {
namespace {

enum class Target { SelectedWindow, EveryTarget };
enum class Operation { Show, SystemCommand, BringToFront, MakeTopmost };

struct CommandEntry {
    int id;
    Target target;
    Operation operation;
    int argument;  // the ShowCommand or SystemCommand; 0 otherwise
};

constexpr int Arg(ShowCommand c) { return static_cast<int>(c); }
constexpr int Arg(SystemCommand c) { return static_cast<int>(c); }

// The menus ignore the operations' outcomes: the list shows what happened.
// Minimising one window sends the system command, minimising all of them uses
// ShowWindow: the program has always done it so.
constexpr std::array<CommandEntry, 16> kCommands{{
    {IDM_RESTORE, Target::SelectedWindow, Operation::Show, Arg(ShowCommand::ShowNormal)},
    {IDM_MOVE, Target::SelectedWindow, Operation::SystemCommand, Arg(SystemCommand::Move)},
    {IDM_SIZE, Target::SelectedWindow, Operation::SystemCommand, Arg(SystemCommand::Size)},
    {IDM_MINIMIZE, Target::SelectedWindow, Operation::SystemCommand, Arg(SystemCommand::Minimize)},
    {IDM_MAXIMIZE, Target::SelectedWindow, Operation::SystemCommand, Arg(SystemCommand::Maximize)},
    {IDM_BRING_TO_FRONT, Target::SelectedWindow, Operation::BringToFront, 0},
    {IDM_MAKE_TOPMOST, Target::SelectedWindow, Operation::MakeTopmost, 0},
    {IDM_HIDE, Target::SelectedWindow, Operation::Show, Arg(ShowCommand::Hide)},
    {IDM_SHOW, Target::SelectedWindow, Operation::Show, Arg(ShowCommand::Show)},
    {IDM_CLOSE, Target::SelectedWindow, Operation::SystemCommand, Arg(SystemCommand::Close)},
    {IDM_ALL_RESTORE, Target::EveryTarget, Operation::Show, Arg(ShowCommand::ShowNormal)},
    {IDM_ALL_MINIMIZE, Target::EveryTarget, Operation::Show, Arg(ShowCommand::Minimize)},
    {IDM_ALL_MAXIMIZE, Target::EveryTarget, Operation::SystemCommand, Arg(SystemCommand::Maximize)},
    {IDM_ALL_HIDE, Target::EveryTarget, Operation::Show, Arg(ShowCommand::Hide)},
    {IDM_ALL_SHOW, Target::EveryTarget, Operation::Show, Arg(ShowCommand::Show)},
    {IDM_ALL_CLOSE, Target::EveryTarget, Operation::SystemCommand, Arg(SystemCommand::Close)},
}};

// The main toolbar's buttons from left to right, separators (0) counted.
constexpr std::array<int, kToolbarPositions> kToolbarCommands{
    IDM_RESTORE, IDM_MOVE, IDM_SIZE, IDM_MINIMIZE, IDM_MAXIMIZE, 0, IDM_HIDE,
    IDM_SHOW, 0, IDM_CLOSE, 0, IDM_ALL_RESTORE, IDM_ALL_MINIMIZE, IDM_ALL_MAXIMIZE,
    0, IDM_ALL_HIDE, IDM_ALL_SHOW, 0, IDM_ALL_CLOSE,
};

Outcome Apply(WindowSystem& windows, const CommandEntry& command, WindowHandle window) {
    switch (command.operation) {
    case Operation::Show: return windows.Show(window, static_cast<ShowCommand>(command.argument));
    case Operation::SystemCommand:
        return windows.SendSystemCommand(window, static_cast<SystemCommand>(command.argument));
    case Operation::BringToFront: return windows.BringToFront(window);
    case Operation::MakeTopmost: return windows.MakeTopmost(window);
    }
    return Outcome::Refused;
}

const CommandEntry* FindCommand(int commandId) {
    const auto found = std::find_if(kCommands.begin(), kCommands.end(),
                                    [&](const CommandEntry& c) { return c.id == commandId; });
    return found == kCommands.end() ? nullptr : &*found;
}

class BusyScope {
public:
    explicit BusyScope(bool& busy) : busy_(busy) { busy_ = true; }
    ~BusyScope() { busy_ = false; }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    bool& busy_;
};

}  // namespace

int CommandAtToolbarPosition(int position) {
    if (position < 0 || position >= kToolbarPositions) return 0;
    return kToolbarCommands[static_cast<std::size_t>(position)];
}

bool WindowCommands::Run(int commandId) {
    const bool targetMode = commandId == IDM_TARGET_VISIBLE || commandId == IDM_TARGET_ALL;
    const CommandEntry* command = FindCommand(commandId);
    if (!targetMode && !command) return false;
    // A system command lets messages run while it waits, and with them menus,
    // accelerators and the toolbar.
    if (busy_) return true;
    if (targetMode) {
        settings_.showOnlyVisible = commandId == IDM_TARGET_VISIBLE;
        return true;
    }
    BusyScope busy(busy_);
    if (command->target == Target::SelectedWindow) {
        if (const auto selected = SelectedWindow()) Apply(windows_, *command, *selected);
        return true;
    }
    // A target's visibility is asked just before it is acted on (every
    // listed window is asked, whatever the target mode): waiting for one
    // window may hide or show another.
    for (const WindowHandle window : ListedWindows())
        if (IsTargetWindow(windows_, settings_, window)) Apply(windows_, *command, window);
    return true;
}

Outcome ApplyToWindow(WindowSystem& windows, int commandId, WindowHandle window) {
    const CommandEntry* command = FindCommand(commandId);
    return command ? Apply(windows, *command, window) : Outcome::Refused;
}

bool IsTargetWindow(WindowSystem& windows, const Settings& settings, WindowHandle window) {
    const bool visible = CountsAsVisible(windows.GetVisibility(window));
    return visible || !settings.showOnlyVisible;
}

std::optional<WindowHandle> WindowCommands::SelectedWindow() const {
    const int row = list_.SelectedRow();
    if (row < 1 || row > listed_.Count()) return std::nullopt;
    return listed_[row];
}

std::vector<WindowHandle> WindowCommands::ListedWindows() const {
    std::vector<WindowHandle> windows;
    for (int i = 1; i <= listed_.Count(); ++i) windows.push_back(listed_[i]);
    return windows;
}

}  // namespace qov
