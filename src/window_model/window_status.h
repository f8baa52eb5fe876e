#pragma once
// Status texts of a window as the list shows them, and the row icon each
// status selects.

#include <cstdint>
#include <string>
#include <string_view>

namespace qov {

inline constexpr std::string_view kStatusNormal = "通常";
inline constexpr std::string_view kStatusMinimized = "最小化";
inline constexpr std::string_view kStatusMaximized = "最大化";
inline constexpr std::string_view kStatusHidden = "非表示";
inline constexpr std::string_view kForegroundMark = "(Act)";

// Builds the status text from the placement's show state, visibility and
// whether the window is the foreground window.
std::string StatusText(int showState, bool visible, bool foreground);

// Icon of the row-icon list for a status text (exact comparison): 1
// maximised, 2 minimised, 3 normal, 4 hidden, 0 none.
std::int16_t StatusIconIndex(std::string_view status);

// True for the statuses whose rows show the window rectangle.
bool StatusShowsRectangle(std::string_view status);

}  // namespace qov
