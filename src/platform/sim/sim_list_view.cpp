#include "platform/sim/sim_list_view.h"

#include <cmath>

namespace qov::sim {
namespace {

int TwipsToPixels(int twips) {
    return static_cast<int>(std::lround(twips / static_cast<double>(SimListView::kTwipsPerPixel)));
}

}  // namespace

void SimListView::AddColumn(std::string_view header, int widthTwips) {
    columns_.push_back({std::string(header), TwipsToPixels(widthTwips), widthTwips});
}

std::string SimListView::ColumnHeader(int column) const {
    return column >= 1 && column <= ColumnCount() ? columns_[column - 1].header : std::string();
}

int SimListView::ColumnWidth(int column) const {
    if (column < 1 || column > ColumnCount()) return 0;
    const Column& c = columns_[column - 1];
    if (c.widthPixels == TwipsToPixels(c.widthTwips)) return c.widthTwips;
    return c.widthPixels * kTwipsPerPixel;
}

void SimListView::DragColumn(int column, int widthPixels) {
    columns_.at(column - 1).widthPixels = widthPixels;
}

void SimListView::SetColumnWidth(int column, int widthTwips) {
    if (column < 1 || column > ColumnCount()) {
        throw ToolkitError("ListView.SetColumnWidth: no column " + std::to_string(column));
    }
    columns_[column - 1].widthPixels = TwipsToPixels(widthTwips);
    columns_[column - 1].widthTwips = widthTwips;
    Changed();
}

int SimListView::AddRow() {
    failAddRow_.Check("ListView.AddRow");
    ++writes_.addRow;
    rows_.emplace_back();
    Changed();
    return RowCount();
}

void SimListView::RemoveRow(int row) {
    At(row, "ListView.RemoveRow");
    ++writes_.removeRow;
    rows_.erase(rows_.begin() + (row - 1));
    if (row == selected_) {
        selected_ = 0;
    } else if (row < selected_) {
        --selected_;
    }
    Changed();
}

std::string SimListView::Text(int row, int column) const {
    if (row < 1 || row > RowCount() || column < 0 || column >= kTextColumns) return {};
    return rows_[row - 1].texts[column];
}

void SimListView::SetText(int row, int column, std::string_view text) {
    Row& target = At(row, "ListView.SetText");
    if (column < 0 || column >= kTextColumns) {
        throw ToolkitError("ListView.SetText: no column " + std::to_string(column));
    }
    failSetText_.Check("ListView.SetText");
    ++writes_.setText;
    target.texts[column] = std::string(text);
    Changed();
}

int SimListView::Icon(int row) const {
    return row >= 1 && row <= RowCount() ? rows_[row - 1].icon : 0;
}

void SimListView::SetIcon(int row, int icon) {
    At(row, "ListView.SetIcon").icon = icon;
    ++writes_.setIcon;
    Changed();
}

void SimListView::SetSelectedIndex(int row) {
    if (row != 0) At(row, "ListView.SetSelectedIndex");
    ++writes_.setSelectedIndex;
    selected_ = row;
    Changed();
}

void SimListView::EndUpdate() {
    if (updateDepth_ == 0) throw ToolkitError("ListView.EndUpdate without BeginUpdate");
    if (--updateDepth_ == 0 && changedWhileSuspended_) {
        changedWhileSuspended_ = false;
        ++repaints_;
    }
}

std::array<std::string, SimListView::kTextColumns> SimListView::RowTexts(int row) const {
    if (row < 1 || row > RowCount()) return {};
    return rows_[row - 1].texts;
}

void SimListView::MouseDown(int button, float x, float y, int shift) {
    // A press on the empty area below the rows clears the selection; one on
    // the header leaves it alone.
    if (y >= kHeaderHeightTwips) selected_ = RowAt(y);
    if (onMouseDown) onMouseDown({button, shift, x, y});
}

void SimListView::MouseUp(int button, float x, float y, int shift) {
    if (onMouseUp) onMouseUp({button, shift, x, y});
}

void SimListView::ClickRow(int row, int button) {
    const int shownRow = row >= 1 ? row : RowCount() + 1;
    const float x = 300;
    const float y = static_cast<float>(kHeaderHeightTwips + (shownRow - 1) * kRowHeightTwips +
                                       kRowHeightTwips / 2);
    MouseDown(button, x, y);
    MouseUp(button, x, y);
}

int SimListView::RowAt(float y) const {
    if (y < kHeaderHeightTwips) return 0;
    const int row = static_cast<int>((y - kHeaderHeightTwips) / kRowHeightTwips) + 1;
    return row <= RowCount() ? row : 0;
}

SimListView::Row& SimListView::At(int row, const char* operation) {
    if (row < 1 || row > RowCount()) {
        throw ToolkitError(std::string(operation) + ": no row " + std::to_string(row));
    }
    return rows_[row - 1];
}

void SimListView::Changed() {
    if (updateDepth_ > 0) {
        changedWhileSuspended_ = true;
    } else {
        ++repaints_;
    }
}

}  // namespace qov::sim
