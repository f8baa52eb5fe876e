#include "fakes/fake_desktop.h"

namespace qov::fakes {

void FakeDesktop::EnumerateWindows(const std::function<void(WindowHandle)>& visit) {
    ++enumerations;
    std::vector<WindowHandle> handles;  // `visit` may close windows
    for (auto it = windows.rbegin(); it != windows.rend(); ++it) handles.push_back(it->first);
    for (const WindowHandle window : handles) visit(window);
}

FakeWindow* FakeDesktop::Operate(WindowHandle window, Operation::Kind kind, int argument) {
    operations.push_back({kind, argument, window});
    if (duringOperation) duringOperation(window);
    const auto found = windows.find(window);
    return found == windows.end() ? nullptr : &found->second;
}

// Hiding or minimising a window passes activation on; here to nobody.
void FakeDesktop::SetState(WindowHandle window, FakeWindow& found, ShowState state) {
    found.state = state;
    found.visible = true;
    if (state == ShowState::Minimized && foreground == window) foreground = 0;
}

void FakeDesktop::Show(WindowHandle window, ShowCommand command) {
    FakeWindow* found = Operate(window, Operation::Show, static_cast<int>(command));
    if (!found) return;
    switch (command) {
    case ShowCommand::Hide:
        found->visible = false;
        if (foreground == window) foreground = 0;
        break;
    case ShowCommand::Show: found->visible = true; break;
    case ShowCommand::ShowNormal: SetState(window, *found, ShowState::Normal); break;
    case ShowCommand::Minimize: SetState(window, *found, ShowState::Minimized); break;
    }
}

void FakeDesktop::SendSystemCommand(WindowHandle window, SystemCommand command) {
    FakeWindow* found = Operate(window, Operation::SystemCommand, static_cast<int>(command));
    if (!found) return;
    if (command == SystemCommand::Minimize) SetState(window, *found, ShowState::Minimized);
    if (command == SystemCommand::Maximize) SetState(window, *found, ShowState::Maximized);
    if (command == SystemCommand::Close) {
        windows.erase(window);
        if (foreground == window) foreground = 0;
    }
    // Move and Size start a keyboard mode the user ends; nothing changes here.
}

void FakeDesktop::BringToFront(WindowHandle window) {
    if (Operate(window, Operation::BringToFront, 0)) foreground = window;
}

void FakeDesktop::MakeTopmost(WindowHandle window) {
    if (FakeWindow* found = Operate(window, Operation::MakeTopmost, 0)) found->topmost = true;
}

}  // namespace qov::fakes
