#pragma once
// The window model: describes one top-level window (status, icon) and
// decides whether it belongs in the list, reading the window system and the
// settings afresh at every call so a changed setting acts at the next use.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/window_system.h"
#include "settings/settings.h"
#include "window_model/window_table.h"

namespace qov {

// The text before the first NUL character.
std::string CutAtNull(std::string_view text);

enum class EnumerationResult {
    Complete,
    // A window past the table's capacity passed the filters; the table holds
    // the first MaxWindows windows taken.
    Overflow,
    // The caller's `between` asked to stop.
    Stopped,
};

class WindowProc {
public:
    WindowProc(WindowSystem& windows, const Settings& settings)
        : windows_(windows), settings_(settings) {}

    std::string WindowTitle(WindowHandle window);
    std::string GetWindowStatus(WindowHandle window);
    // The same with the foreground window already known, for callers that
    // describe many windows at once.
    std::string GetWindowStatus(WindowHandle window, WindowHandle foreground);

    bool IsSystemWindow(WindowHandle window);
    bool IsExcludedWindow(WindowHandle window);
    bool PassesFilters(WindowHandle window);

    // Title rules on a title already read.
    bool IsSystemTitle(std::string_view title) const;
    bool IsExcludedTitle(std::string_view title) const;
    bool TitlePassesFilters(std::string_view title) const;

    // Fills `found` from empty with the windows that pass the filters, in the
    // window system's order. When `titles` is given, it receives each taken
    // window's title at the same 1-based position (index 0 unused).
    // The window system only lists the handles; each window is judged after
    // that, with `between` called before each one (returning false stops),
    // so a caller can keep its user interface responsive on a crowded desktop.
    EnumerationResult Enumerate(WindowTable& found, std::vector<std::string>* titles = nullptr,
                                const std::function<bool()>& between = {});

    WindowSystem& Windows() { return windows_; }

private:
    static bool TitleMatchesAny(std::string_view title, const std::vector<std::string>& fragments);

    WindowSystem& windows_;
    const Settings& settings_;
};

}  // namespace qov
