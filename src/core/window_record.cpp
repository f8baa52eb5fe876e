#include "core/window_record.h"

namespace qov {

WindowStatus StatusOf(const WindowRecord& window) {
    if (window.state == ShowState::Unknown) return WindowStatus::Unknown;
    if (!CountsAsVisible(window.visibility)) return WindowStatus::Hidden;
    if (window.state == ShowState::Minimized) return WindowStatus::Minimized;
    if (window.state == ShowState::Maximized) return WindowStatus::Maximized;
    return WindowStatus::Normal;
}

bool ShowsRectangle(WindowStatus status) {
    return status == WindowStatus::Normal || status == WindowStatus::Maximized;
}

std::string CutAtNull(std::string_view text) { return std::string(text.substr(0, text.find('\0'))); }

std::string FileNameOf(const std::string& path) {
    const std::size_t separator = path.find_last_of("\\/");
    return separator == std::string::npos ? path : path.substr(separator + 1);
}

}  // namespace qov
