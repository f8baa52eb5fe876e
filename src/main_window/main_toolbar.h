#pragma once
// The main window's toolbar: nineteen positions, one button per window
// command in two groups, reported to the command dispatcher by position.

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string_view>

#include "platform/forms.h"

namespace qov {

struct MainToolbarButton {
    std::string_view key;
    std::string_view text;  // tooltip and caption
    int style;              // 0 button, 3 separator
    std::int16_t image;     // position in ImageList1; -1 for separators
};

inline constexpr std::array<MainToolbarButton, 19> kMainToolbarButtons{{
    {"Restore1", "元のサイズに戻す", 0, 0},
    {"IDO1", "移動", 0, 1},
    {"Size1", "サイズ変更", 0, 2},
    {"Min1", "最小化", 0, 3},
    {"Max1", "最大化", 0, 4},
    {"SEP1", "", 3, -1},
    {"Hide1", "非表示", 0, 5},
    {"Show1", "表示", 0, 6},
    {"SEP2", "", 3, -1},
    {"Close1", "閉じる", 0, 7},
    {"SEP3", "", 3, -1},
    {"Restore2", "元のサイズに戻す", 0, 8},
    {"Min2", "最小化", 0, 11},
    {"Max2", "最大化", 0, 12},
    {"SEP4", "", 3, -1},
    {"Hide2", "非表示", 0, 13},
    {"Show2", "表示", 0, 14},
    {"SEP6", "", 3, -1},
    {"Close2", "閉じる", 0, 15},
}};

// Creates the toolbar in `host`: images only, wrappable, docked to the top,
// flat, with the nineteen buttons. Clicks go to `onButtonClick`.
std::unique_ptr<ToolBar> CreateMainToolbar(Toolkit& toolkit, PictureBox& host, ImageList& images,
                                           std::function<void(std::int16_t)> onButtonClick);

}  // namespace qov
