#include <gtest/gtest.h>

#include <thread>

#include "core/refresh.h"
#include "fakes/fake_desktop.h"
#include "fakes/fake_list.h"

namespace qov {
namespace {

using Outcome = RefreshCycle::Outcome;

void Pause() { std::this_thread::sleep_for(std::chrono::milliseconds(5)); }

struct SlowList : fakes::FakeList {
    bool slow = false;
    void RemoveRow(int row) override {
        if (slow) Pause();
        FakeList::RemoveRow(row);
    }
};

class RefreshTest : public ::testing::Test {
protected:
    fakes::FakeDesktop desktop;
    Settings settings;
    WindowModel model{desktop, settings};
    WindowTable listed;
    SlowList list;
    std::function<void()> atYield;
    RefreshCycle refresh{model, listed, list, [this] { if (atYield) atYield(); }};

    void Refresh() { ASSERT_EQ(refresh.Run(), Outcome::Completed); }
    // Title reads and row removals outlast a yield slice: the refresh yields at every chance.
    void SlowDown() { desktop.duringTitleRead = Pause, list.slow = true; }
    void AddWindows(int count) {
        for (int i = 0; i < count; ++i) desktop.Add("w" + std::to_string(i));
    }
    void ExpectRowsMatchTable() {
        ASSERT_EQ(list.rows.size(), std::size_t(listed.Count()));
        for (int i = 1; i <= listed.Count(); ++i)
            EXPECT_EQ(list.rows[i - 1].cells[WindowList::HandleColumn], HandleText(listed[i])) << i;
    }
};

TEST_F(RefreshTest, RowsShowEveryColumnThenOnlyWhatChanged) {
    desktop.Add("Program Manager");
    const WindowHandle minimised = desktop.Add("C"), renamed = desktop.Add("B");
    const WindowHandle notepad =  // row 1: the newest window is enumerated first
        desktop.Add("メモ帳", {.className = "Notepad", .rect = {-800, 0, 0, 600}});
    desktop.foreground = notepad;
    Refresh();
    const std::array<std::string, 5> row{"メモ帳", "通常(Act)", "(-800,0)-(0,600)", "Notepad",
                                         " " + std::to_string(notepad)};
    EXPECT_EQ(list.rows[0].cells, row);
    EXPECT_EQ(list.rows[0].icon, NormalIcon);
    EXPECT_EQ(list.status, " 3個のウィンドウが存在します");
    EXPECT_EQ(HandleText(-66) + WindowCountText(0), "-66 0個のウィンドウが存在します");
    list.writes = {}, desktop.reads = 0;
    Refresh();
    EXPECT_EQ(list.writes.Total(), 0);
    // Listed: title, existence, show state, visibility, rectangle. Left out:
    // title and existence. The foreground once.
    EXPECT_EQ(desktop.reads, 5 * 3 + 2 + 1);
    desktop.windows[renamed].title = "B2";
    desktop.windows[minimised].state = ShowState::Minimized;
    Refresh();
    EXPECT_EQ(list.rows[1].cells[0] + list.rows[2].cells[1] + list.rows[2].cells[2], "B2最小化-");
    EXPECT_EQ(list.rows[2].icon, MinimizedIcon);
    EXPECT_EQ(list.writes.fields, 1 + 3);
}

TEST_F(RefreshTest, RowsAndTableStayInStepAtEveryYieldThroughRemovals) {
    std::vector<WindowHandle> w;
    for (const char* title : {"1", "2", "3", "4", "5"}) w.push_back(desktop.Add(title));
    Refresh();
    for (int i : {1, 2, 4}) desktop.windows.erase(w[i]);
    desktop.Add("6");
    SlowDown();
    int yields = 0;
    atYield = [&] { ++yields, ExpectRowsMatchTable(); };
    Refresh();
    EXPECT_GT(yields, 3);
    ExpectRowsMatchTable();
    EXPECT_EQ(list.rows[0].cells[0] + list.rows[1].cells[0] + list.rows[2].cells[0], "416");
}

TEST_F(RefreshTest, MoreThanEightRowChangesAreOneBulkChange) {
    const std::pair<int, int> cases[] = {{8, 0}, {9, 1}, {-17, 2}, {1, 2}};  // rows added, bulks
    for (const auto& [added, bulkChanges] : cases) {
        added < 0 ? desktop.windows.clear() : AddWindows(added);
        Refresh();
        EXPECT_EQ(list.bulkBegun, bulkChanges) << added;
        EXPECT_EQ(list.bulkEnded, bulkChanges) << added;
    }
}

TEST_F(RefreshTest, RefreshNeverNestsAndStopEndsItAtItsNextYield) {
    AddWindows(12);
    SlowDown();
    std::vector<Outcome> nested;
    int depth = 0;  // a nested refresh would yield too: nest once only
    atYield = [&] { depth++ == 0 ? nested.push_back(refresh.Run()) : void(), --depth; };
    Refresh();
    ASSERT_FALSE(nested.empty());
    EXPECT_EQ(nested, std::vector<Outcome>(nested.size(), Outcome::Skipped));
    desktop.windows.clear();
    AddWindows(12);
    const int bulkBefore = list.bulkBegun;  // stop once rows are changing
    atYield = [&] { list.bulkBegun > bulkBefore ? refresh.Stop() : void(); };
    EXPECT_EQ(refresh.Run(), Outcome::Stopped);
    EXPECT_EQ(list.bulkEnded, bulkBefore + 1);
    EXPECT_EQ(list.rows.size(), 1u);
    ExpectRowsMatchTable();
    atYield = nullptr;
    EXPECT_EQ(refresh.Run(), Outcome::Stopped);
    EXPECT_FALSE(refresh.Running());
}

TEST_F(RefreshTest, MoreThanAThousandWindowsListTheFirstThousand) {
    AddWindows(kMaxWindows + 5);
    Refresh();
    EXPECT_EQ(list.rows.size(), std::size_t(kMaxWindows));
    EXPECT_EQ(list.status, " 1000個のウィンドウが存在します");
    Refresh();
    ExpectRowsMatchTable();
}

}  // namespace
}  // namespace qov
