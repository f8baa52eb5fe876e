#pragma once
// The list's texts and icons: how a window record reads in its row and in
// the status bar. They are made here and nowhere else, and a row is written
// only where its texts differ from what it shows.

#include <array>
#include <string>

#include "core/window_list.h"
#include "core/window_record.h"

namespace qov {

// A listed window as its row shows it: the record, and whether it was the
// foreground window (marked "(Act)").
struct ListedWindow {
    WindowRecord record = {};
    bool foreground = false;
    bool operator==(const ListedWindow&) const = default;
};

// The row icons, by their place in the list's image list.
enum StatusIcon { NoIcon = 0, MaximizedIcon = 1, MinimizedIcon = 2, NormalIcon = 3, HiddenIcon = 4 };

// "通常", "最小化", "最大化", "非表示" or "" for an unreadable state.
std::string StatusWordOf(WindowStatus status);
StatusIcon IconOf(WindowStatus status);

std::string WindowRectText(const WindowRect& rect);  // "(left,top)-(right,bottom)"
std::string HandleText(WindowHandle window);         // decimal, a space before a non-negative one
std::string WindowCountText(std::size_t count);      // " N個のウィンドウが存在します"

// The five cells of the window's row, in column order.
std::array<std::string, 5> RowTexts(const ListedWindow& window);

// Writes `row` to show `now`: every cell of a new row (no `before`), else
// only the cells (and the icon) that differ from what `before` shows.
void WriteRow(WindowList& list, int row, const ListedWindow& now, const ListedWindow* before);

}  // namespace qov
