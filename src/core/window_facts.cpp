#include "core/window_facts.h"

#include "core/window_model.h"

namespace qov::cli {
namespace {

// QOV's status column decides; its words are mapped to the list's.
std::optional<Status> StatusOf(WindowSystem& windows, WindowHandle window, bool& cloaked) {
    const ShowState state = windows.GetShowState(window);
    if (state == ShowState::Unknown) return std::nullopt;
    const Visibility visibility = windows.GetVisibility(window);
    cloaked = visibility == Visibility::Cloaked;
    switch (StatusIconFor(StatusText(state, CountsAsVisible(visibility), false))) {
    case MinimizedIcon: return Status::Minimized;
    case MaximizedIcon: return Status::Maximized;
    case HiddenIcon: return Status::Hidden;
    default: return Status::Normal;
    }
}

}  // namespace

const char* StatusWord(Status status) {
    switch (status) {
    case Status::Normal: return "normal";
    case Status::Minimized: return "minimized";
    case Status::Maximized: return "maximized";
    case Status::Hidden: return "hidden";
    }
    return "";
}

std::optional<WindowFacts> ReadFacts(WindowSystem& windows, WindowHandle window,
                                     WindowHandle foreground) {
    WindowFacts facts;
    facts.handle = window;
    facts.title = CutAtNull(windows.Title(window));
    const std::optional<Status> status = StatusOf(windows, window, facts.cloaked);
    if (!status) return std::nullopt;
    facts.status = *status;
    facts.active = window == foreground;
    facts.topmost = windows.IsTopmost(window);
    facts.rect = windows.Rectangle(window);
    facts.className = CutAtNull(windows.ClassName(window));
    facts.processId = windows.ProcessId(window);
    facts.process = FileNameOf(windows.ProcessImagePath(window));
    // Gone while it was being read: what was read may be anyone's.
    if (!windows.Exists(window)) return std::nullopt;
    return facts;
}

std::string FileNameOf(const std::string& path) {
    const std::size_t separator = path.find_last_of("\\/");
    return separator == std::string::npos ? path : path.substr(separator + 1);
}

// Two names that each contain the other are the same name, compared as the
// platform compares titles, so "any case" means what it means in the filters.
bool SameNameAnyCase(const std::string& a, const std::string& b) {
    if (a.empty() || b.empty()) return a.empty() && b.empty();
    return TitleContains(a, b) && TitleContains(b, a);
}

bool Matches(const Selectors& selectors, const WindowFacts& window) {
    const Selectors& s = selectors;
    if (s.handle && *s.handle != window.handle) return false;
    if (s.title && !TitleContains(window.title, *s.title)) return false;
    if (s.className && !SameNameAnyCase(window.className, *s.className)) return false;
    if (s.processId && *s.processId != window.processId) return false;
    if (s.process && !SameNameAnyCase(window.process, *s.process)) return false;
    // Visible as the target mode counts it: minimised windows are, hidden and
    // cloaked ones (both "hidden") are not.
    if (s.visibleOnly && window.status == Status::Hidden) return false;
    return true;
}

std::vector<WindowFacts> CollectWindows(WindowSystem& windows, const Settings& settings,
                                        bool unfiltered, OwnWindows& own) {
    const WindowModel model(windows, settings);
    std::vector<WindowHandle> desktop;
    windows.EnumerateWindows([&](WindowHandle window) { desktop.push_back(window); });
    const WindowHandle foreground = windows.Foreground();
    std::vector<WindowFacts> found;
    for (const WindowHandle window : desktop) {
        std::optional<WindowFacts> facts = ReadFacts(windows, window, foreground);
        if (facts && facts->className.starts_with(kOwnClassPrefix)) own.processes.insert(facts->processId);
        if (facts && (unfiltered || model.TitlePassesFilters(facts->title)))
            found.push_back(std::move(*facts));
    }
    return found;
}

}  // namespace qov::cli
