#include <gtest/gtest.h>

#include <array>

#include "main_form_fixture.h"

namespace qov::testing {
namespace {

using Row = std::array<std::string, 5>;

class RefreshCycleTest : public MainFormTest {
protected:
    void SetUp() override { Start(); }
};

TEST_F(RefreshCycleTest, ListStaysEmptyUntilTheFirstTick) {
    Window("Notepad");
    EXPECT_EQ(List().RowCount(), 0);
    EXPECT_EQ(Form().Timers().front()->Interval(), 1000);
    Tick();
    EXPECT_EQ(List().RowCount(), 1);
}

TEST_F(RefreshCycleTest, RowsShowEveryColumn) {
    const WindowHandle w = desktop.CreateWindow("メモ帳", "Notepad", {-800, 0, 0, 600});
    desktop.SetForeground(w);
    Tick();
    ASSERT_EQ(List().RowCount(), 1);
    EXPECT_EQ(List().RowTexts(1),
              (Row{"メモ帳", "通常(Act)", "(-800,0)-(0,600)", "Notepad", HandleText(w)}));
    EXPECT_EQ(List().Icon(1), 3);
    EXPECT_EQ(List().Text(1, 4), " " + std::to_string(w));
    EXPECT_EQ(Status().SimpleText(), " 1個のウィンドウが存在します");
}

TEST_F(RefreshCycleTest, UnchangedDesktopWritesNothing) {
    for (const char* t : {"A", "B", "C"}) Window(t);
    Tick();
    List().ResetWrites();
    Status().ResetWrites();
    desktop.ResetCalls();
    Tick();
    EXPECT_EQ(List().Writes().Total(), 0);
    EXPECT_EQ(Status().Writes(), 0);
    EXPECT_EQ(Status().SimpleText(), " 3個のウィンドウが存在します");
    // Each listed window is read five times in the whole refresh, each
    // window left out (the program's own) twice, plus the foreground once.
    const int unlisted = static_cast<int>(desktop.WindowCount()) - 3;
    EXPECT_EQ(desktop.Calls().Reads(), 5 * 3 + 2 * unlisted + 1);
}

TEST_F(RefreshCycleTest, NewWindowsAreAppendedAtTheBottom) {
    Window("First");
    Tick();
    Window("Second");  // enumerated before "First" on this desktop
    Tick();
    EXPECT_EQ(RowTitles(), (std::vector<std::string>{"First", "Second"}));
    ExpectRowsMatchTable();
}

TEST_F(RefreshCycleTest, ClosedWindowsLeaveAndRowsBelowMoveUp) {
    std::vector<WindowHandle> w;
    for (const char* t : {"1", "2", "3", "4", "5"}) w.push_back(Window(t));
    Tick();
    const std::vector<std::string> before = RowTitles();
    List().SetSelectedIndex(5);
    desktop.DestroyWindow(tables.ListedWindows[2]);
    desktop.DestroyWindow(tables.ListedWindows[3]);
    desktop.DestroyWindow(tables.ListedWindows[5]);
    Tick();
    EXPECT_EQ(RowTitles(), (std::vector<std::string>{before[0], before[3]}));
    ExpectRowsMatchTable();
    EXPECT_EQ(List().SelectedIndex(), 0);
    desktop.DestroyWindow(tables.ListedWindows[1]);
    Tick();
    EXPECT_EQ(RowTitles(), (std::vector<std::string>{before[3]}));
}

TEST_F(RefreshCycleTest, MinimiseAndRestoreRewriteStatusIconAndRectangle) {
    const WindowHandle w = Window("A", {1, 2, 3, 4});
    Tick();
    desktop.SetShowState(w, kShowStateMinimized);
    Tick();
    EXPECT_EQ(List().Text(1, 1), "最小化");
    EXPECT_EQ(List().Text(1, 2), "-");
    EXPECT_EQ(List().Icon(1), 2);
    desktop.SetShowState(w, kShowStateNormal);
    Tick();
    EXPECT_EQ(List().Text(1, 1), "通常");
    EXPECT_EQ(List().Text(1, 2), "(1,2)-(3,4)");
    EXPECT_EQ(List().Icon(1), 3);
    desktop.SetVisible(w, false);
    Tick();
    EXPECT_EQ(List().RowTexts(1)[1] + List().RowTexts(1)[2], "非表示-");
    EXPECT_EQ(List().Icon(1), 4);
}

TEST_F(RefreshCycleTest, TitleChangeTouchesOnlyTheTitle) {
    const WindowHandle w = Window("Old");
    Tick();
    List().ResetWrites();
    desktop.SetTitle(w, "New");
    Tick();
    EXPECT_EQ(List().Text(1, 0), "New");
    EXPECT_EQ(List().Writes().setText, 1);
    EXPECT_EQ(List().Writes().Total(), 1);
}

TEST_F(RefreshCycleTest, SettingsActOnTheNextRefresh) {
    settings.ShowNoname = true;
    Window("");
    Window("Named");
    Tick();
    EXPECT_EQ(List().RowCount(), 2);
    settings.ShowNoname = false;
    Tick();
    EXPECT_EQ(RowTitles(), (std::vector<std::string>{"Named"}));
    settings.ExcludedTitles = {"name"};
    Tick();
    EXPECT_EQ(List().RowCount(), 0);
    EXPECT_EQ(Status().SimpleText(), " 0個のウィンドウが存在します");
}

TEST_F(RefreshCycleTest, OwnWindowIsListedOnlyWithSystemWindows) {
    Tick();
    EXPECT_EQ(List().RowCount(), 0);
    settings.SystemWindow = true;
    Tick();
    // The main window, and the settings dialog loaded hidden at start.
    ASSERT_EQ(RowTitles(), (std::vector<std::string>{"V O V　＜設定＞", "V O V"}));
    EXPECT_EQ(List().Text(1, 1), "非表示");
    EXPECT_EQ(List().Text(2, 1), "通常(Act)");
}

TEST_F(RefreshCycleTest, MoreThanCapacityListsTheFirstThousandAndGoesOn) {
    for (int i = 0; i < MaxWindows + 5; ++i) Window(("w" + std::to_string(i)).c_str());
    Tick();
    EXPECT_TRUE(Form().Loaded());
    EXPECT_EQ(List().RowCount(), MaxWindows);
    EXPECT_EQ(Status().SimpleText(), " 1000個のウィンドウが存在します");
    ExpectRowsMatchTable();
}

TEST_F(RefreshCycleTest, FailingListClosesTheProgramInOrder) {
    Window("A");
    List().FailNextAddRow();
    Tick();
    EXPECT_FALSE(Form().Loaded());
    EXPECT_TRUE(toolkit.QuitRequested());
    EXPECT_TRUE(store.Contains("Tamarind Desk", "QOV", "ShowOnly"));
}

TEST_F(RefreshCycleTest, TickArrivingDuringARefreshIsDropped) {
    for (const char* t : {"A", "B"}) Window(t);
    Tick();
    Window("C");
    int nested = 0;
    toolkit.QueueAtYield([&] {
        ++nested;
        Tick();
    });
    Tick();
    EXPECT_EQ(nested, 1);
    EXPECT_EQ(List().RowCount(), 3);
    ExpectRowsMatchTable();
}

// Events injected at each yield of a refresh that removes and appends rows:
// afterwards the rows still equal the table and every entry passes.
TEST_F(RefreshCycleTest, DisturbancesAtEveryYieldKeepRowsAndTableInStep) {
    for (int yieldAt = 1; yieldAt <= 8; ++yieldAt) {
        for (int i = 0; i < 4; ++i) Window(("keep" + std::to_string(i)).c_str());
        const WindowHandle doomed = Window("doomed");
        Tick();
        desktop.DestroyWindow(doomed);
        Window("fresh");
        toolkit.QueueAtYield(
            [&] {
                desktop.DestroyWindow(tables.ListedWindows[1]);
                settings.ExcludedTitles = {"keep1"};
                ExpectRowsMatchTable();
            },
            yieldAt);
        Tick();
        ExpectRowsMatchTable();
        Tick();
        ExpectRowsMatchTable();
        WindowProc proc(desktop, settings);
        for (WindowHandle w : Listed()) EXPECT_TRUE(proc.PassesFilters(w)) << "yield " << yieldAt;
        for (WindowHandle w : desktop.WindowsInOrder())
            if (desktop.Window(w)->className == "TestClass") desktop.DestroyWindow(w);
        settings.ExcludedTitles.clear();
        Tick();
        ASSERT_EQ(List().RowCount(), 0);
    }
}

TEST_F(RefreshCycleTest, ClosingDuringARefreshStopsItQuietly) {
    for (const char* t : {"A", "B", "C"}) Window(t);
    toolkit.QueueAtYield([&] { main->ExitProgram_Click(); });
    Tick();
    EXPECT_FALSE(Form().Loaded());
    EXPECT_TRUE(toolkit.QuitRequested());
}

}  // namespace
}  // namespace qov::testing
