#include "core/watch_tracker.h"

#include <algorithm>
#include <utility>
#include <set>

namespace qov::cli {

void WatchTracker::Start(const Snapshot& matching) {
    foreground_ = matching.foreground;
    for (const WindowRecord& window : matching.windows) {
        Known& known = windows_[window.handle];
        known.window = window;
        Tell(WatchEvent::Present, known);
    }
}

void WatchTracker::SawAll(const Snapshot& matching, Clock::time_point now) {
    // Every matching window is looked at below, so a new one is told active
    // at once, and the window the foreground left is told changed.
    foreground_ = matching.foreground;
    std::set<WindowHandle> seen;
    for (const WindowRecord& window : matching.windows) {
        seen.insert(window.handle);
        Saw(window.handle, window, now);
    }
    std::vector<WindowHandle> gone;
    for (const auto& [handle, known] : windows_)
        if (!seen.contains(handle)) gone.push_back(handle);
    for (const WindowHandle handle : gone) Saw(handle, std::nullopt, now);
}

void WatchTracker::Saw(WindowHandle window, const std::optional<WindowRecord>& matching, Clock::time_point now) {
    const auto found = windows_.find(window);
    if (!matching) {
        if (found == windows_.end()) return;
        // The last values known: a gone window has none newer.
        Tell(WatchEvent::Disappeared, found->second);
        windows_.erase(found);
        return;
    }
    if (found == windows_.end()) {
        Known& known = windows_[window];
        known.window = *matching;
        Tell(WatchEvent::Appeared, known);
        return;
    }
    Update(found->second, *matching, now);
}

void WatchTracker::SawForeground(WindowHandle foreground, Clock::time_point now) {
    if (foreground == foreground_) return;
    const WindowHandle before = std::exchange(foreground_, foreground);
    for (const WindowHandle handle : {before, foreground})
        if (const auto found = windows_.find(handle); found != windows_.end())
            Update(found->second, found->second.window, now);
}

void WatchTracker::Update(Known& known, const WindowRecord& window, Clock::time_point now) {
    known.window = window;
    if (known.held || (window == known.told && Active(window) == known.toldActive)) return;
    if (known.lastChange && now - *known.lastChange < kChangeSpacing) {
        known.held = true;
        return;
    }
    known.lastChange = now;
    Tell(WatchEvent::Changed, known);
}

void WatchTracker::Tell(WatchEvent event, Known& known) {
    known.told = known.window;
    // A window gone is told as it was last seen, the foreground then included.
    if (event != WatchEvent::Disappeared) known.toldActive = Active(known.window);
    known.held = false;
    lines_.push_back({event, known.window, known.toldActive});
}

std::vector<WatchLine> WatchTracker::TakeLines(Clock::time_point now) {
    for (auto& [handle, known] : windows_) {
        if (!known.held || now - *known.lastChange < kChangeSpacing) continue;
        known.held = false;
        Update(known, known.window, now);
    }
    return std::exchange(lines_, {});
}

std::optional<WatchTracker::Clock::time_point> WatchTracker::NextDue() const {
    std::optional<Clock::time_point> next;
    for (const auto& [handle, known] : windows_)
        if (known.held && (!next || *known.lastChange + kChangeSpacing < *next))
            next = *known.lastChange + kChangeSpacing;
    return next;
}

std::vector<WindowRecord> WatchTracker::MatchingWindows() const {
    std::vector<WindowRecord> matching;
    for (const auto& [handle, known] : windows_) matching.push_back(known.window);
    return matching;
}

}  // namespace qov::cli
