#include "core/window_model.h"

namespace qov {
namespace {

bool SameFilters(const Settings& a, const Settings& b) {
    return a.showUntitled == b.showUntitled && a.showSystemWindows == b.showSystemWindows &&
           a.ignoreExclusions == b.ignoreExclusions && a.excludedTitles == b.excludedTitles &&
           a.systemTitles == b.systemTitles;
}

bool NeverListedClass(const std::string& className) {
    return className == kDialogOwnerClass || className == kEventProbeClass || className == kGhostClass;
}

}  // namespace

// Comparing a title with every system and excluded fragment is the costliest
// part of judging a window, and most titles stay the same from one refresh to
// the next, so verdicts are remembered while the filters stay as they were.
bool WindowModel::RememberedVerdict(const std::string& title) {
    if (const auto known = verdicts_.find(title); known != verdicts_.end()) return known->second;
    const bool passes = TitlePassesFilters(title);
    verdicts_.emplace(title, passes);
    return passes;
}

void WindowModel::ForgetVerdictsIfFiltersChanged(std::size_t windows) {
    // Verdicts and classes of windows long gone are dropped now and then, so the memory
    // stays in proportion to the desktop.
    if (classes_.size() > 2 * windows + 64) classes_.clear();
    if (SameFilters(settings_, verdictSettings_) && verdicts_.size() <= 2 * windows + 64) return;
    verdicts_.clear();
    verdictSettings_.showUntitled = settings_.showUntitled;
    verdictSettings_.showSystemWindows = settings_.showSystemWindows;
    verdictSettings_.ignoreExclusions = settings_.ignoreExclusions;
    verdictSettings_.excludedTitles = settings_.excludedTitles;
    verdictSettings_.systemTitles = settings_.systemTitles;
}

const std::string& WindowModel::ClassOf(WindowHandle window) {
    if (const auto known = classes_.find(window); known != classes_.end()) return known->second;
    return classes_.emplace(window, CutAtNull(windows_.ClassName(window))).first->second;
}

bool WindowModel::Lists(const WindowRecord& window) const {
    return !NeverListedClass(window.className) && TitlePassesFilters(window.title);
}

// The list reads a window's visibility only when its state is known, and its
// rectangle only when the row shows it.
void WindowModel::ReadDetails(WindowRecord& record, Detail detail) {
    const WindowHandle window = record.handle;
    record.state = windows_.GetShowState(window);
    const bool full = detail == Detail::Full;
    record.visibility = record.state != ShowState::Unknown || full ? windows_.GetVisibility(window)
                                                                    : Visibility::Hidden;
    record.rect = full || ShowsRectangle(StatusOf(record)) ? windows_.Rectangle(window) : WindowRect{};
    record.processId = full ? windows_.ProcessId(window) : 0;
    record.image = full ? windows_.ProcessImagePath(window) : std::string();
    record.topmost = full && windows_.IsTopmost(window);
}

// False when the window is gone, or is not listed and `filtered` asks for listed ones.
bool WindowModel::ReadWindow(WindowHandle window, WindowRecord& record, bool filtered, Detail detail) {
    record.handle = window;
    record.title = windows_.Title(window);
    if (const std::size_t nul = record.title.find('\0'); nul != std::string::npos) record.title.resize(nul);
    if (!windows_.Exists(window)) return false;
    if (filtered && !RememberedVerdict(record.title)) return false;
    record.className = ClassOf(window);
    if (filtered && NeverListedClass(record.className)) return false;
    ReadDetails(record, detail);
    // Gone while it was being read: what was read may be anyone's.
    return detail == Detail::List || (record.state != ShowState::Unknown && windows_.Exists(window));
}

std::optional<WindowRecord> WindowModel::Read(WindowHandle window, Detail detail, bool filtered) {
    ForgetVerdictsIfFiltersChanged(desktopSize_);
    WindowRecord record;
    if (!ReadWindow(window, record, filtered, detail)) return std::nullopt;
    return record;
}

void WindowModel::Forget(WindowHandle window) { classes_.erase(window); }

WindowHandle WindowModel::Foreground() { return windows_.Foreground(); }

Snapshot WindowModel::Enumerate(const EnumerationOptions& options) {
    Snapshot snapshot;
    Enumerate(snapshot, options);
    return snapshot;
}

// The records already in `snapshot` are written over: a refresh of an
// unchanged desktop makes no new ones.
void WindowModel::Enumerate(Snapshot& snapshot, const EnumerationOptions& options) {
    snapshot.stopped = false;
    std::size_t found = 0;
    // The system only lists the handles; each window is judged afterwards, so
    // `between` can let the caller's messages run on a crowded desktop. Those
    // may enumerate too (the add-title dialog opening): the list is this call's own.
    std::vector<WindowHandle> desktop;
    windows_.EnumerateWindows([&](WindowHandle window) { desktop.push_back(window); });
    desktopSize_ = desktop.size();
    for (const WindowHandle window : desktop) {
        if (options.between && !options.between()) {
            snapshot.stopped = true;
            break;
        }
        if (found >= options.limit) break;
        // A settings dialog may have changed the filters while `between` ran.
        ForgetVerdictsIfFiltersChanged(desktop.size());
        if (found == snapshot.windows.size()) snapshot.windows.emplace_back();
        if (!ReadWindow(window, snapshot.windows[found], options.filtered, options.detail)) continue;
        ++found;
    }
    snapshot.windows.resize(found);
    snapshot.foreground = windows_.Foreground();
}

std::vector<std::string> TitleChoices(WindowModel& model) {
    std::vector<std::string> titles;
    for (WindowRecord& window : model.Enumerate({.limit = kMaxWindows}).windows)
        titles.push_back(std::move(window.title));
    return titles;
}

}  // namespace qov
