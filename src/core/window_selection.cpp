#include "core/window_selection.h"

namespace qov::cli {

const char* StatusWord(WindowStatus status) {
    switch (status) {
    case WindowStatus::Normal:
    case WindowStatus::Unknown: return "normal";
    case WindowStatus::Minimized: return "minimized";
    case WindowStatus::Maximized: return "maximized";
    case WindowStatus::Hidden: return "hidden";
    }
    return "";
}

// Two names that each contain the other are the same name, compared as the
// platform compares titles, so "any case" means what it means in the filters.
bool SameNameAnyCase(TitleMatch contains, const std::string& a, const std::string& b) {
    if (a.empty() || b.empty()) return a.empty() && b.empty();
    return contains(a, b) && contains(b, a);
}

bool Matches(const Selectors& selectors, const WindowRecord& window, TitleMatch contains) {
    const Selectors& s = selectors;
    if (s.handle && *s.handle != window.handle) return false;
    if (s.title && !contains(window.title, *s.title)) return false;
    if (s.className && !SameNameAnyCase(contains, window.className, *s.className)) return false;
    if (s.processId && *s.processId != window.processId) return false;
    if (s.process && !SameNameAnyCase(contains, FileNameOf(window.image), *s.process)) return false;
    // Visible as the target mode counts it: minimised windows are, hidden and
    // cloaked ones (both "hidden") are not.
    if (s.visibleOnly && StatusOf(window) == WindowStatus::Hidden) return false;
    return true;
}

Snapshot CollectWindows(WindowReads& windows, const Settings& settings, TitleMatch contains,
                        bool unfiltered, OwnWindows& own) {
    WindowModel model(windows, settings, contains);
    Snapshot snapshot = model.Enumerate({.filtered = false, .detail = Detail::Full});
    for (const WindowRecord& window : snapshot.windows)
        if (window.className.starts_with(kOwnClassPrefix)) own.processes.insert(window.processId);
    if (!unfiltered) std::erase_if(snapshot.windows, [&](const WindowRecord& w) { return !model.Lists(w); });
    return snapshot;
}

Snapshot MatchingWindows(WindowReads& windows, const Settings& settings, TitleMatch contains,
                         const Selectors& selectors, bool unfiltered, OwnWindows& own) {
    Snapshot found = CollectWindows(windows, settings, contains, unfiltered, own);
    std::erase_if(found.windows, [&](const WindowRecord& w) { return !Matches(selectors, w, contains); });
    return found;
}

}  // namespace qov::cli
