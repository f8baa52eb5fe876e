#include <array>
#include <utility>

#include "core/window_model.h"

namespace qov {
namespace {

constexpr std::string_view kNormal = "通常";
constexpr std::string_view kMinimized = "最小化";
constexpr std::string_view kMaximized = "最大化";
constexpr std::string_view kHidden = "非表示";
constexpr std::string_view kForegroundMark = "(Act)";

// Each status word and the row icon it selects, with or without the mark.
constexpr std::array<std::pair<std::string_view, StatusIcon>, 4> kIconOfWord{{
    {kNormal, NormalIcon},
    {kHidden, HiddenIcon},
    {kMinimized, MinimizedIcon},
    {kMaximized, MaximizedIcon},
}};

}  // namespace

std::string CutAtNull(std::string_view text) {
    return std::string(text.substr(0, text.find('\0')));
}

std::string StatusText(ShowState state, bool visible, bool foreground) {
    std::string status;
    switch (state) {
    case ShowState::Normal: status = kNormal; break;
    case ShowState::Minimized: status = kMinimized; break;
    case ShowState::Maximized: status = kMaximized; break;
    case ShowState::Unknown: break;
    }
    if (!status.empty() && !visible) status = kHidden;
    if (foreground) status += kForegroundMark;
    return status;
}

StatusIcon StatusIconFor(std::string_view status) {
    const bool marked = status.ends_with(kForegroundMark);
    const std::string_view word =
        marked ? status.substr(0, status.size() - kForegroundMark.size()) : status;
    for (const auto& [known, icon] : kIconOfWord)
        if (word == known) return icon;
    return NoIcon;
}

bool StatusShowsRectangle(std::string_view status) {
    const StatusIcon icon = StatusIconFor(status);
    return icon == NormalIcon || icon == MaximizedIcon;
}

std::string WindowModel::Title(WindowHandle window) { return CutAtNull(windows_.Title(window)); }

std::string WindowModel::Status(WindowHandle window, WindowHandle foreground) {
    const ShowState state = windows_.GetShowState(window);
    // Visibility matters only for a known show state, so only then is it read.
    const bool visible =
        state != ShowState::Unknown && CountsAsVisible(windows_.GetVisibility(window));
    return StatusText(state, visible, foreground == window);
}

}  // namespace qov
