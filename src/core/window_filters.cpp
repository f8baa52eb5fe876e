#include "core/window_model.h"

namespace qov {
namespace {

bool TitleMatchesAny(std::string_view title, const std::vector<std::string>& fragments) {
    if (title.empty()) return false;
    const std::string text(title);
    for (const std::string& fragment : fragments)
        if (TitleContains(text, fragment)) return true;
    return false;
}

bool SameFilters(const Settings& a, const Settings& b) {
    return a.showUntitled == b.showUntitled && a.showSystemWindows == b.showSystemWindows &&
           a.ignoreExclusions == b.ignoreExclusions && a.excludedTitles == b.excludedTitles &&
           a.systemTitles == b.systemTitles;
}

}  // namespace

bool WindowModel::IsSystemTitle(std::string_view title) const {
    return TitleMatchesAny(title, settings_.systemTitles);
}

bool WindowModel::IsExcludedTitle(std::string_view title) const {
    return TitleMatchesAny(title, settings_.excludedTitles);
}

bool WindowModel::TitlePassesFilters(std::string_view title) const {
    if (title.empty()) return settings_.showUntitled;
    if (!settings_.showSystemWindows && IsSystemTitle(title)) return false;
    if (!settings_.ignoreExclusions && IsExcludedTitle(title)) return false;
    return true;
}

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
    // Titles of windows long gone are dropped now and then, so the memory
    // stays in proportion to the desktop.
    if (neverListed_.size() > 2 * windows + 64) neverListed_.clear();
    if (SameFilters(settings_, verdictSettings_) && verdicts_.size() <= 2 * windows + 64) return;
    verdicts_.clear();
    verdictSettings_.showUntitled = settings_.showUntitled;
    verdictSettings_.showSystemWindows = settings_.showSystemWindows;
    verdictSettings_.ignoreExclusions = settings_.ignoreExclusions;
    verdictSettings_.excludedTitles = settings_.excludedTitles;
    verdictSettings_.systemTitles = settings_.systemTitles;
}

bool WindowModel::NeverListed(WindowHandle window) {
    if (const auto known = neverListed_.find(window); known != neverListed_.end()) return known->second;
    const std::string className = CutAtNull(windows_.ClassName(window));
    const bool never = className == kDialogOwnerClass || className == kGhostClass;
    neverListed_.emplace(window, never);
    return never;
}

EnumerationResult WindowModel::Enumerate(WindowTable& found, std::vector<std::string>* titles,
                                         const std::function<bool()>& between) {
    found.Clear();
    if (titles) titles->assign(1, std::string());
    // The system only lists the handles; each window is judged afterwards, so
    // `between` can let the caller's messages run on a crowded desktop.
    std::vector<WindowHandle> desktop;
    windows_.EnumerateWindows([&](WindowHandle window) { desktop.push_back(window); });
    for (const WindowHandle window : desktop) {
        if (between && !between()) return EnumerationResult::Stopped;
        // A settings dialog may have changed the filters while `between` ran.
        ForgetVerdictsIfFiltersChanged(desktop.size());
        std::string title = Title(window);
        if (!windows_.Exists(window) || !RememberedVerdict(title) || NeverListed(window)) continue;
        if (!found.Append(window)) return EnumerationResult::Overflow;
        if (titles) titles->push_back(std::move(title));
    }
    return EnumerationResult::Complete;
}

std::vector<std::string> TitleChoices(WindowModel& model) {
    // A table of its own: a refresh paused at a yield may still be reading the
    // one it filled.
    // On overflow the first kMaxWindows titles are as good an offer as any.
    WindowTable found;
    std::vector<std::string> titles;
    model.Enumerate(found, &titles);
    titles.erase(titles.begin());  // position 0 is unused
    return titles;
}

}  // namespace qov
