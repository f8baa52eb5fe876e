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

// Windows refuses a program that is not elevated ShowWindowAsync on an
// elevated one's window, yet lets the system menu's restore and minimise
// through: a refused one is asked again that way.
std::optional<SystemCommand> SystemMenuEquivalent(ShowCommand command) {
    if (command == ShowCommand::ShowNormal) return SystemCommand::Restore;
    if (command == ShowCommand::Minimize) return SystemCommand::Minimize;
    return std::nullopt;
}

Outcome Show(WindowSystem& windows, WindowHandle window, ShowCommand command) {
    const Outcome outcome = windows.Show(window, command);
    const std::optional<SystemCommand> equivalent = SystemMenuEquivalent(command);
    if (outcome != Outcome::Refused || !equivalent) return outcome;
    return windows.SendSystemCommand(window, *equivalent);
}

Outcome Apply(WindowSystem& windows, const CommandEntry& command, WindowHandle window) {
    switch (command.operation) {
    case Operation::Show: return Show(windows, window, static_cast<ShowCommand>(command.argument));
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

std::string Quoted(const std::string& title) { return "「" + title + "」"; }

// What the status bar says of the windows a command could not change.
struct Tally {
    std::size_t refused = 0, hung = 0, unseen = 0;
    void Count(Outcome outcome, bool cloaked) {
        refused += outcome == Outcome::Refused;
        hung += outcome == Outcome::Hung;
        unseen += outcome == Outcome::Done && cloaked;
    }
    std::string Notice() const {
        std::string text;
        const auto add = [&](std::size_t n, const char* what) {
            if (n > 0) text += (text.empty() ? "" : "　") + std::to_string(n) + " 個のウィンドウ" + what;
        };
        add(refused, "は管理者として実行されているため、Windows に拒否されました。");
        add(hung, "は応答しないため、飛ばしました。");
        add(unseen, "は別の仮想デスクトップにあるか中断中のアプリのため、この画面には見えません。");
        return text;
    }
};

std::string SingleNotice(Outcome outcome, bool cloaked, const std::string& title) {
    switch (outcome) {
    case Outcome::Refused:
        return Quoted(title) + "は管理者として実行されているため、Windows に拒否されました。";
    case Outcome::Hung: return Quoted(title) + "は応答しないため、何もしませんでした。";
    case Outcome::Done:
        if (cloaked)
            return Quoted(title) + "は別の仮想デスクトップにあるか中断中のアプリのため、この画面には見えません。";
        return {};
    case Outcome::Gone: break;
    }
    return {};
}

}  // namespace

int CommandAtToolbarPosition(int position) {
    if (position < 0 || position >= kToolbarPositions) return 0;
    return kToolbarCommands[static_cast<std::size_t>(position)];
}

std::optional<CommandReport> WindowCommands::Run(const GivenCommand& given) {
    if (given.id == IDM_TARGET_VISIBLE || given.id == IDM_TARGET_ALL) {
        settings_.showOnlyVisible = given.id == IDM_TARGET_VISIBLE;
        return CommandReport{};
    }
    const CommandEntry* command = FindCommand(given.id);
    if (!command) return std::nullopt;
    if (command->target == Target::EveryTarget) return RunOnTargets(given.id);
    if (!given.selected) return CommandReport{};
    return RunOnSelected(given.id, *given.selected);
}

// The box explains a window that is never acted on; the user asked for that
// one window, so silence would look like a fault.
CommandReport WindowCommands::RunOnSelected(int commandId, WindowHandle window) {
    if (!windows_.Exists(window)) return {};
    if (const Protection protection = ProtectionOf(windows_, window, own_); protection != Protection::None)
        return {ProtectionReason(protection), {}};
    // A window closed on another desktop is closed all the same.
    const bool unseen = commandId != IDM_CLOSE && IsCloaked(windows_.GetVisibility(window));
    const Outcome outcome = Apply(windows_, *FindCommand(commandId), window);
    if (outcome == Outcome::Gone || (outcome == Outcome::Done && !unseen)) return {};
    return {{}, SingleNotice(outcome, unseen, CutAtNull(windows_.Title(window)))};
}

// A target's visibility is asked just before it is acted on (every listed
// window is asked, whatever the target mode): waiting for one window may hide
// or show another.
CommandReport WindowCommands::RunOnTargets(int commandId) {
    // A copy: a refresh may run while a target is waited for.
    std::vector<WindowHandle> listed;
    for (const ListedWindow& row : listed_) listed.push_back(row.record.handle);
    Tally tally;
    for (const WindowHandle window : listed) {
        if (!IsTargetWindow(windows_, settings_, own_, window)) continue;
        const bool cloaked = IsCloaked(windows_.GetVisibility(window));
        tally.Count(Apply(windows_, *FindCommand(commandId), window), cloaked && commandId != IDM_ALL_CLOSE);
    }
    return {{}, tally.Notice()};
}

std::vector<WindowHandle> WindowCommands::Targets() const {
    std::vector<WindowHandle> targets;
    for (const ListedWindow& row : listed_)
        if (IsTargetWindow(windows_, settings_, own_, row.record.handle)) targets.push_back(row.record.handle);
    return targets;
}

Outcome ApplyToWindow(WindowSystem& windows, int commandId, WindowHandle window) {
    const CommandEntry* command = FindCommand(commandId);
    return command ? Apply(windows, *command, window) : Outcome::Refused;
}

bool IsTargetWindow(WindowReads& windows, const Settings& settings, const OwnWindows& own,
                    WindowHandle window) {
    return IsTarget({.handle = window,
                     .visibility = windows.GetVisibility(window),
                     .className = CutAtNull(windows.ClassName(window)),
                     .processId = windows.ProcessId(window)},
                    settings, own);
}

bool IsTarget(const WindowRecord& window, const Settings& settings, const OwnWindows& own) {
    if (!CountsAsVisible(window.visibility) && settings.showOnlyVisible) return false;
    return ProtectionOf(window.handle, window.className, window.processId, own) == Protection::None;
}

std::optional<WindowHandle> SelectedWindow(int selectedRow, const ListedWindows& listed) {
    if (selectedRow < 0 || static_cast<std::size_t>(selectedRow) >= listed.size()) return std::nullopt;
    return listed[static_cast<std::size_t>(selectedRow)].record.handle;
}

std::string WaitingNotice(const std::string& title) {
    return Quoted(title) + "の応答を待っています。Esc キーで待つのをやめます。";
}

}  // namespace qov
