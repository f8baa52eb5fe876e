#include "window_model/window_status.h"

#include <array>
#include <utility>

#include "platform/window_system.h"

namespace qov {

std::string StatusText(int showState, bool visible, bool foreground) {
    std::string status;
    switch (showState) {
        case kShowStateNormal: status = kStatusNormal; break;
        case kShowStateMinimized: status = kStatusMinimized; break;
        case kShowStateMaximized: status = kStatusMaximized; break;
        default: break;
    }
    if (!status.empty() && !visible) status = kStatusHidden;
    if (foreground) status += kForegroundMark;
    return status;
}

std::int16_t StatusIconIndex(std::string_view status) {
    static const std::array<std::pair<std::string_view, std::int16_t>, 4> words{{
        {kStatusNormal, 3}, {kStatusHidden, 4}, {kStatusMinimized, 2}, {kStatusMaximized, 1},
    }};
    for (const auto& [word, icon] : words) {
        if (status == word) return icon;
        if (status.size() == word.size() + kForegroundMark.size() && status.starts_with(word) &&
            status.ends_with(kForegroundMark))
            return icon;
    }
    return 0;
}

bool StatusShowsRectangle(std::string_view status) {
    const std::int16_t icon = StatusIconIndex(status);
    return icon == 3 || icon == 1;
}

}  // namespace qov
