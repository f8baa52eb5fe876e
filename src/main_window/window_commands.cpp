#include "main_window/window_commands.h"

#include <array>

namespace qov {
namespace {

enum class Target { Selected, AllTargets };
enum class Call { Show, SystemCommand };

struct CommandEntry {
    std::int16_t position;
    Target target;
    Call call;
    int argument;  // a ShowCommand or a SystemCommand
};

constexpr int Arg(ShowCommand c) { return static_cast<int>(c); }
constexpr int Arg(SystemCommand c) { return static_cast<int>(c); }

// Positions 5, 8, 10, 14 and 17 are separators.
constexpr std::array<CommandEntry, 14> kCommands{{
    {0, Target::Selected, Call::Show, Arg(ShowCommand::ShowNormal)},
    {1, Target::Selected, Call::SystemCommand, Arg(SystemCommand::Move)},
    {2, Target::Selected, Call::SystemCommand, Arg(SystemCommand::Size)},
    {3, Target::Selected, Call::SystemCommand, Arg(SystemCommand::Minimize)},
    {4, Target::Selected, Call::SystemCommand, Arg(SystemCommand::Maximize)},
    {6, Target::Selected, Call::Show, Arg(ShowCommand::Hide)},
    {7, Target::Selected, Call::Show, Arg(ShowCommand::Show)},
    {9, Target::Selected, Call::SystemCommand, Arg(SystemCommand::Close)},
    {11, Target::AllTargets, Call::Show, Arg(ShowCommand::ShowNormal)},
    {12, Target::AllTargets, Call::Show, Arg(ShowCommand::Minimize)},
    {13, Target::AllTargets, Call::SystemCommand, Arg(SystemCommand::Maximize)},
    {15, Target::AllTargets, Call::Show, Arg(ShowCommand::Hide)},
    {16, Target::AllTargets, Call::Show, Arg(ShowCommand::Show)},
    {18, Target::AllTargets, Call::SystemCommand, Arg(SystemCommand::Close)},
}};

}  // namespace

void WindowCommands::Dispatch(std::int16_t buttonIndex) {
    for (const CommandEntry& entry : kCommands) {
        if (entry.position != buttonIndex) continue;
        const auto show = static_cast<ShowCommand>(entry.argument);
        const auto system = static_cast<SystemCommand>(entry.argument);
        if (entry.target == Target::AllTargets) {
            if (entry.call == Call::Show) ShowWindowOnTargets(show);
            else SendMessageToTargets(system);
        } else if (const auto window = SelectedWindow()) {
            if (entry.call == Call::Show) windows_.ShowWindow(*window, show);
            else windows_.SendSystemCommand(*window, system);
        }
        return;
    }
}

std::optional<WindowHandle> WindowCommands::SelectedWindow() const {
    const int row = list_.SelectedIndex();
    if (row < 1 || row > listed_.Count()) return std::nullopt;
    return listed_[row];
}

void WindowCommands::BringToFront() {
    if (const auto window = SelectedWindow()) windows_.SetForegroundWindow(*window);
}

void WindowCommands::MakeTopmost() {
    if (const auto window = SelectedWindow()) windows_.MakeTopmost(*window);
}

template <typename Operation>
void WindowCommands::ForEachTarget(Operation operation) {
    // The count is read once: a window closed on the way (the program's own
    // main window among them) does not shorten the walk.
    const int count = listed_.Count();
    for (int i = 1; i <= count; ++i) {
        const WindowHandle window = listed_[i];
        const bool visible = windows_.IsVisible(window);
        if (visible || !settings_.ShowOnly) operation(window);
    }
}

void WindowCommands::SendMessageToTargets(SystemCommand command) {
    ForEachTarget([&](WindowHandle window) { windows_.SendSystemCommand(window, command); });
}

void WindowCommands::ShowWindowOnTargets(ShowCommand command) {
    ForEachTarget([&](WindowHandle window) { windows_.ShowWindow(window, command); });
}

}  // namespace qov
