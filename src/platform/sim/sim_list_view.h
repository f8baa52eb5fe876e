#pragma once
// A report-view list held in memory. Column widths are kept in whole pixels
// at 96 dpi (15 twips each), as the native list does, so a width read back
// is the written one rounded to the nearest pixel, unless the width is still
// the one the program set, which reads back exactly (as the native list
// view's wrapper does, so stored widths do not drift). The selection belongs to
// the row: removing a row above it moves the selected index up by one,
// removing the selected row leaves nothing selected.

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "platform/sim/sim_controls.h"

namespace qov::sim {

// How many changing calls the list received since the last ResetWrites().
struct ListViewWrites {
    int addRow = 0;
    int removeRow = 0;
    int setText = 0;
    int setIcon = 0;
    int setSelectedIndex = 0;
    int Total() const { return addRow + removeRow + setText + setIcon + setSelectedIndex; }
};

class SimListView : public SimControlBase<ListView> {
public:
    static constexpr int kTwipsPerPixel = 15;
    static constexpr int kTextColumns = 5;  // item text and four sub-items
    // Where the rows are drawn, for the mouse helpers: a header, then rows.
    static constexpr int kHeaderHeightTwips = 20 * kTwipsPerPixel;
    static constexpr int kRowHeightTwips = 17 * kTwipsPerPixel;

    explicit SimListView(const TwipsRect& bounds) : SimControlBase(bounds) {}

    void AddColumn(std::string_view header, int widthTwips) override;
    int ColumnCount() const override { return static_cast<int>(columns_.size()); }
    std::string ColumnHeader(int column) const override;
    int ColumnWidth(int column) const override;
    void SetColumnWidth(int column, int widthTwips) override;
    void SetSmallIcons(ImageList& images) override { smallIcons_ = &images; }

    int AddRow() override;
    void RemoveRow(int row) override;
    int RowCount() const override { return static_cast<int>(rows_.size()); }
    std::string Text(int row, int column) const override;
    void SetText(int row, int column, std::string_view text) override;
    int Icon(int row) const override;
    void SetIcon(int row, int icon) override;

    int SelectedIndex() const override { return selected_; }
    void SetSelectedIndex(int row) override;

    void BeginUpdate() override { ++updateDepth_; }
    void EndUpdate() override;

    // ---- for tests -----------------------------------------------------------
    const ListViewWrites& Writes() const { return writes_; }
    void ResetWrites() { writes_ = {}; repaints_ = 0; }
    // Visible repaints: one per change outside BeginUpdate/EndUpdate, one per
    // outermost EndUpdate that follows changes.
    int Repaints() const { return repaints_; }
    int UpdateDepth() const { return updateDepth_; }
    ImageList* SmallIcons() const { return smallIcons_; }
    // All five texts of a row, for compact assertions.
    std::array<std::string, kTextColumns> RowTexts(int row) const;

    // The N-th next call (after `callsToSkip` good ones) throws ToolkitError.
    void FailNextAddRow(int callsToSkip = 0) { failAddRow_.FailAfter(callsToSkip); }
    void FailNextSetText(int callsToSkip = 0) { failSetText_.FailAfter(callsToSkip); }

    // The user presses and releases a mouse button over the list; the events
    // carry the position in twips. A press selects the row under it first (or
    // clears the selection on the empty area), as the native list does for
    // either button.
    void MouseDown(int button, float x, float y, int shift = 0);
    void MouseUp(int button, float x, float y, int shift = 0);
    // Press and release on a row (0: below the last row, where nothing is hit).
    void ClickRow(int row, int button = kLeftButton);
    int RowAt(float y) const;  // 0 for the header or the empty area
    // The user drags the column's right edge to this width.
    void DragColumn(int column, int widthPixels);

private:
    struct Row {
        std::array<std::string, kTextColumns> texts;
        int icon = 0;
    };
    struct Column {
        std::string header;
        int widthPixels = 0;
        int widthTwips = 0;  // as last set by the program
    };
    Row& At(int row, const char* operation);
    void Changed();

    std::vector<Column> columns_;
    std::vector<Row> rows_;
    int selected_ = 0;
    int updateDepth_ = 0;
    bool changedWhileSuspended_ = false;
    int repaints_ = 0;
    ImageList* smallIcons_ = nullptr;
    ListViewWrites writes_;
    FailureInjection failAddRow_;
    FailureInjection failSetText_;
};

}  // namespace qov::sim
