#include <gtest/gtest.h>

#include "platform/sim/sim_list_view.h"

namespace qov::sim {
namespace {

class SimListViewTest : public ::testing::Test {
protected:
    void Fill(int rows) {
        for (int row = 1; row <= rows; ++row) {
            list.AddRow();
            list.SetText(row, 0, "row" + std::to_string(row));
        }
        list.ResetWrites();
    }
    SimListView list{{0, 0, 6000, 3000}};
};

TEST_F(SimListViewTest, CountsEachKindOfWrite) {
    Fill(2);
    list.SetText(1, 2, "x");
    list.SetIcon(2, 3);
    list.RemoveRow(1);
    list.AddRow();
    list.SetSelectedIndex(1);
    EXPECT_EQ(list.Writes().setText, 1);
    EXPECT_EQ(list.Writes().setIcon, 1);
    EXPECT_EQ(list.Writes().removeRow, 1);
    EXPECT_EQ(list.Writes().addRow, 1);
    EXPECT_EQ(list.Writes().setSelectedIndex, 1);
    EXPECT_EQ(list.Writes().Total(), 5);
}

TEST_F(SimListViewTest, SuspendedChangesCostOneRepaint) {
    Fill(3);
    list.BeginUpdate();
    list.BeginUpdate();
    list.SetText(1, 1, "a");
    list.EndUpdate();
    list.RemoveRow(2);
    EXPECT_EQ(list.Repaints(), 0);
    list.EndUpdate();
    EXPECT_EQ(list.Repaints(), 1);
    list.BeginUpdate();
    list.EndUpdate();
    EXPECT_EQ(list.Repaints(), 1) << "no change, no repaint";
    list.SetText(1, 1, "b");
    EXPECT_EQ(list.Repaints(), 2);
    EXPECT_THROW(list.EndUpdate(), ToolkitError);
}

TEST_F(SimListViewTest, InjectedFailuresHitTheChosenCall) {
    Fill(1);
    list.FailNextSetText(1);
    EXPECT_NO_THROW(list.SetText(1, 1, "first"));
    EXPECT_THROW(list.SetText(1, 1, "second"), ToolkitError);
    EXPECT_EQ(list.Text(1, 1), "first") << "a failed write changes nothing";
    EXPECT_NO_THROW(list.SetText(1, 1, "third")) << "only one call fails";
    list.FailNextAddRow();
    EXPECT_THROW(list.AddRow(), ToolkitError);
    EXPECT_EQ(list.RowCount(), 1);
}

TEST_F(SimListViewTest, RowsOutsideTheListAreErrorsForWritesOnly) {
    Fill(2);
    EXPECT_THROW(list.SetText(3, 0, "x"), ToolkitError);
    EXPECT_THROW(list.SetText(1, 5, "x"), ToolkitError);
    EXPECT_THROW(list.RemoveRow(0), ToolkitError);
    EXPECT_THROW(list.SetSelectedIndex(3), ToolkitError);
    EXPECT_EQ(list.Text(3, 0), "");
    EXPECT_EQ(list.Icon(0), 0);
    EXPECT_EQ(list.Writes().Total(), 0);
}

TEST_F(SimListViewTest, PressOnARowSelectsItBeforeTheEvent) {
    Fill(3);
    int selectedAtDown = -1;
    MouseEventArgs up;
    list.onMouseDown = [&](const MouseEventArgs&) { selectedAtDown = list.SelectedIndex(); };
    list.onMouseUp = [&](const MouseEventArgs& args) { up = args; };
    list.ClickRow(2, kRightButton);
    EXPECT_EQ(selectedAtDown, 2);
    EXPECT_EQ(up.button, kRightButton);
    EXPECT_EQ(list.RowAt(up.y), 2);
    list.ClickRow(0);
    EXPECT_EQ(list.SelectedIndex(), 0) << "a press below the rows clears the selection";
    list.SetSelectedIndex(1);
    list.MouseDown(kLeftButton, 100, 10);  // on the header
    EXPECT_EQ(list.SelectedIndex(), 1);
}

TEST_F(SimListViewTest, ColumnWidthsReadBackAsSetUntilDragged) {
    list.AddColumn("a", 1000);  // 66.7 pixels
    EXPECT_EQ(list.ColumnWidth(1), 1000);
    list.DragColumn(1, 80);
    EXPECT_EQ(list.ColumnWidth(1), 80 * 15);
    EXPECT_EQ(list.ColumnWidth(2), 0);
    EXPECT_THROW(list.SetColumnWidth(2, 100), ToolkitError);
}

}  // namespace
}  // namespace qov::sim
