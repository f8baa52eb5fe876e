#include "platform/sim/sim_desktop.h"

#include "platform/sim/utf8.h"

namespace qov::sim {

int DesktopCalls::Reads() const {
    return windowTitle + className + isWindow + isVisible + placementShowState +
           foregroundWindow + windowRectangle;
}

int DesktopCalls::Changes() const {
    return showWindow + systemCommand + setForegroundWindow + makeTopmost;
}

// ---- WindowSystem ----------------------------------------------------------

void SimDesktop::EnumerateWindows(const std::function<bool(WindowHandle)>& visit) {
    ++calls_.enumerations;
    for (WindowHandle handle : WindowsInOrder()) {
        if (!Exists(handle)) continue;
        if (onEnumerate) onEnumerate(handle);
        ++calls_.windowsVisited;
        if (!visit(handle)) break;
    }
}

std::string SimDesktop::WindowTitle(WindowHandle window) {
    ++calls_.windowTitle;
    const SimWindow* found = Window(window);
    return found ? TruncateToUtf16Units(found->title, kMaxTextUnits) : std::string();
}

std::string SimDesktop::ClassName(WindowHandle window) {
    ++calls_.className;
    const SimWindow* found = Window(window);
    return found ? TruncateToUtf16Units(found->className, kMaxTextUnits) : std::string();
}

bool SimDesktop::IsWindow(WindowHandle window) {
    ++calls_.isWindow;
    return Exists(window);
}

bool SimDesktop::IsVisible(WindowHandle window) {
    ++calls_.isVisible;
    const SimWindow* found = Window(window);
    return found && found->visible;
}

int SimDesktop::PlacementShowState(WindowHandle window) {
    ++calls_.placementShowState;
    const SimWindow* found = Window(window);
    return found ? found->showState : kShowStateUnknown;
}

WindowHandle SimDesktop::ForegroundWindow() {
    ++calls_.foregroundWindow;
    return foreground_;
}

WindowRect SimDesktop::WindowRectangle(WindowHandle window) {
    ++calls_.windowRectangle;
    const SimWindow* found = Window(window);
    return found ? found->rect : WindowRect{};
}

// ShowWindow is carried out by the window manager itself, so it works on a
// window whose thread does not respond.
void SimDesktop::ShowWindow(WindowHandle window, ShowCommand command) {
    ++calls_.showWindow;
    SimWindow* found = Find(window);
    Record(DesktopChange::Kind::ShowWindow, window, static_cast<int>(command), found != nullptr);
    if (!found) return;
    switch (command) {
    case ShowCommand::Hide:
        found->visible = false;
        if (foreground_ == window) foreground_ = 0;
        break;
    case ShowCommand::Show:
        found->visible = true;
        break;
    case ShowCommand::ShowNormal:
        found->showState = kShowStateNormal;
        found->visible = true;
        break;
    case ShowCommand::Minimize:
        Minimize(*found);
        break;
    }
}

// A system command is handled by the window's own thread: a hung window makes
// the sender wait for the whole timeout, and nothing happens.
void SimDesktop::SendSystemCommand(WindowHandle window, SystemCommand command) {
    ++calls_.systemCommand;
    SimWindow* found = Find(window);
    const bool responds = found && !found->notResponding;
    Record(DesktopChange::Kind::SystemCommand, window, static_cast<int>(command), responds);
    if (found && found->notResponding) waitedMs_ += kHungWindowTimeoutMs;
    if (!responds) return;
    switch (command) {
    case SystemCommand::Minimize:
        Minimize(*found);
        break;
    case SystemCommand::Maximize:
        found->showState = kShowStateMaximized;
        found->visible = true;
        break;
    case SystemCommand::Close:
        if (const auto handler = closeHandlers_.find(window); handler != closeHandlers_.end()) {
            const std::function<void()> close = handler->second;  // may destroy the window
            close();
        } else {
            Destroy(window);
        }
        break;
    case SystemCommand::Move:
    case SystemCommand::Size:
        found->moveSizeMode = static_cast<std::uint32_t>(command);
        break;
    }
}

void SimDesktop::SetForegroundWindow(WindowHandle window) {
    ++calls_.setForegroundWindow;
    const bool exists = Exists(window);
    Record(DesktopChange::Kind::SetForeground, window, 0, exists);
    if (exists) foreground_ = window;
}

void SimDesktop::MakeTopmost(WindowHandle window) {
    ++calls_.makeTopmost;
    SimWindow* found = Find(window);
    Record(DesktopChange::Kind::MakeTopmost, window, 0, found != nullptr);
    if (found) found->topmost = true;
}

// ---- test set-up -------------------------------------------------------------

WindowHandle SimDesktop::CreateWindow(std::string_view title, std::string_view className,
                                      const WindowRect& rect, int showState, bool visible) {
    const WindowHandle handle = nextHandle_;
    nextHandle_ += 4;
    SimWindow window;
    window.handle = handle;
    window.title = std::string(title);
    window.className = std::string(className);
    window.rect = rect;
    window.showState = showState;
    window.visible = visible;
    windows_.emplace(handle, std::move(window));
    return handle;
}

void SimDesktop::DestroyWindow(WindowHandle window) { Destroy(window); }

void SimDesktop::SetTitle(WindowHandle window, std::string_view title) {
    if (SimWindow* found = Find(window)) found->title = std::string(title);
}

void SimDesktop::SetShowState(WindowHandle window, int showState) {
    if (SimWindow* found = Find(window)) found->showState = showState;
}

void SimDesktop::SetVisible(WindowHandle window, bool visible) {
    if (SimWindow* found = Find(window)) found->visible = visible;
}

void SimDesktop::SetRect(WindowHandle window, const WindowRect& rect) {
    if (SimWindow* found = Find(window)) found->rect = rect;
}

void SimDesktop::SetForeground(WindowHandle window) {
    foreground_ = Exists(window) ? window : 0;
}

void SimDesktop::SetCloseHandler(WindowHandle window, std::function<void()> handler) {
    if (handler && Exists(window)) {
        closeHandlers_[window] = std::move(handler);
    } else {
        closeHandlers_.erase(window);
    }
}

void SimDesktop::SetNotResponding(WindowHandle window, bool notResponding) {
    if (SimWindow* found = Find(window)) found->notResponding = notResponding;
}

// ---- inspection ----------------------------------------------------------------

const SimWindow* SimDesktop::Window(WindowHandle window) const {
    const auto it = windows_.find(window);
    return it == windows_.end() ? nullptr : &it->second;
}

std::vector<WindowHandle> SimDesktop::WindowsInOrder() const {
    // Handles grow with creation, so the map's reverse order is newest first.
    std::vector<WindowHandle> order;
    order.reserve(windows_.size());
    for (auto it = windows_.rbegin(); it != windows_.rend(); ++it) order.push_back(it->first);
    return order;
}

// ---- private ---------------------------------------------------------------------

SimWindow* SimDesktop::Find(WindowHandle window) {
    const auto it = windows_.find(window);
    return it == windows_.end() ? nullptr : &it->second;
}

void SimDesktop::Record(DesktopChange::Kind kind, WindowHandle window, int command,
                        bool applied) {
    changes_.push_back({kind, window, command, applied});
}

// Minimising shows the window as an icon and passes activation on; the sim
// hands it to nobody rather than guessing the next window.
void SimDesktop::Minimize(SimWindow& window) {
    window.showState = kShowStateMinimized;
    window.visible = true;
    if (foreground_ == window.handle) foreground_ = 0;
}

void SimDesktop::Destroy(WindowHandle window) {
    windows_.erase(window);
    closeHandlers_.erase(window);
    if (foreground_ == window) foreground_ = 0;
}

}  // namespace qov::sim
