#include "window_model/window_proc.h"

#include "platform/text_compare.h"
#include "window_model/window_status.h"

namespace qov {

std::string CutAtNull(std::string_view text) {
    return std::string(text.substr(0, text.find('\0')));
}

std::string WindowProc::WindowTitle(WindowHandle window) {
    return CutAtNull(windows_.WindowTitle(window));
}

std::string WindowProc::GetWindowStatus(WindowHandle window) {
    return GetWindowStatus(window, windows_.ForegroundWindow());
}

std::string WindowProc::GetWindowStatus(WindowHandle window, WindowHandle foreground) {
    const int showState = windows_.PlacementShowState(window);
    const bool known = showState >= kShowStateNormal && showState <= kShowStateMaximized;
    // Visibility only matters for the three known show states.
    const bool visible = known && windows_.IsVisible(window);
    return StatusText(showState, visible, foreground == window);
}

bool WindowProc::TitleMatchesAny(std::string_view title,
                                 const std::vector<std::string>& fragments) {
    if (title.empty()) return false;
    for (const std::string& fragment : fragments)
        if (TitleContains(title, fragment)) return true;
    return false;
}

bool WindowProc::IsSystemTitle(std::string_view title) const {
    return TitleMatchesAny(title, settings_.SystemTitles);
}

bool WindowProc::IsExcludedTitle(std::string_view title) const {
    return TitleMatchesAny(title, settings_.ExcludedTitles);
}

bool WindowProc::TitlePassesFilters(std::string_view title) const {
    if (title.empty()) return settings_.ShowNoname;
    if (!settings_.SystemWindow && IsSystemTitle(title)) return false;
    if (!settings_.NotVWindow && IsExcludedTitle(title)) return false;
    return true;
}

bool WindowProc::IsSystemWindow(WindowHandle window) { return IsSystemTitle(WindowTitle(window)); }

bool WindowProc::IsExcludedWindow(WindowHandle window) {
    return IsExcludedTitle(WindowTitle(window));
}

bool WindowProc::PassesFilters(WindowHandle window) {
    const std::string title = WindowTitle(window);
    return windows_.IsWindow(window) && TitlePassesFilters(title);
}

EnumerationResult WindowProc::Enumerate(WindowTable& found, std::vector<std::string>* titles,
                                       const std::function<bool()>& between) {
    found.Clear();
    if (titles) titles->assign(1, std::string());
    std::vector<WindowHandle> desktop;
    windows_.EnumerateWindows([&](WindowHandle window) {
        desktop.push_back(window);
        return true;
    });
    for (const WindowHandle window : desktop) {
        if (between && !between()) return EnumerationResult::Stopped;
        std::string title = WindowTitle(window);
        if (!windows_.IsWindow(window) || !TitlePassesFilters(title)) continue;
        if (!found.Append(window)) return EnumerationResult::Overflow;
        if (titles) titles->push_back(std::move(title));
    }
    return EnumerationResult::Complete;
}

}  // namespace qov
