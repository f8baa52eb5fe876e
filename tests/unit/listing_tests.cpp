#include <gtest/gtest.h>

#include <algorithm>
#include <thread>

#include "core/change_detection.h"
#include "core/refresh.h"
#include "core/window_model.h"
#include "fakes/fake_desktop.h"
#include "fakes/fake_list.h"
#include "fakes/text_match.h"

namespace qov {
namespace {

using Outcome = RefreshCycle::Outcome;
using enum WindowList::Column;
using namespace std::chrono_literals;
using Clock = PendingChanges::Clock;

class Listing : public ::testing::Test {
protected:
    fakes::FakeDesktop desktop;
    Settings settings;
    WindowModel model{desktop, settings, fakes::TitleContains};
    ListedWindows listed;
    fakes::FakeList list;
    std::function<void()> atYield;
    RefreshCycle refresh{model, listed, list, [this] { if (atYield) atYield(); }};

    void Refresh() { ASSERT_EQ(refresh.Run(), Outcome::Completed); }
    // Each title read outlasts a yield slice, so the refresh yields soon after one.
    void SlowDown() { desktop.duringTitleRead = [] { std::this_thread::sleep_for(5ms); }; }
    void AddWindows(int n) { for (int i = 0; i < n; ++i) desktop.Add("w" + std::to_string(i)); }
    static std::vector<WindowHandle> Handles(const Snapshot& found) {
        std::vector<WindowHandle> handles;
        for (const WindowRecord& window : found.windows) handles.push_back(window.handle);
        return handles;
    }
    std::vector<WindowHandle> Listed() const {
        std::vector<WindowHandle> handles;
        for (const ListedWindow& row : listed) handles.push_back(row.record.handle);
        return handles;
    }
    // After the reported changes the list shows exactly what a full read of the desktop lists.
    void ExpectListEqualsDesktop() {
        std::vector<WindowRecord> shown, desktopNow = model.Enumerate().windows;
        for (const ListedWindow& row : listed) shown.push_back(row.record);
        const auto byHandle = [](const WindowRecord& a, const WindowRecord& b) { return a.handle < b.handle; };
        std::ranges::sort(shown, byHandle), std::ranges::sort(desktopNow, byHandle);
        EXPECT_EQ(shown, desktopNow);
        ASSERT_EQ(list.rows.size(), listed.size());
        for (std::size_t row = 0; row < listed.size(); ++row)
            EXPECT_EQ(list.rows[row].cells, RowTexts(listed[row])) << "row " << row;
    }
    void ExpectRowsMatchTable() {
        std::vector<WindowHandle> rows;
        for (const auto& row : list.rows) rows.push_back(std::stoi(row.cells[HandleColumn]));
        EXPECT_EQ(rows, Listed()) << "rows and table disagree";
    }
};

// A cloaked window keeps WS_VISIBLE, yet it is hidden.
TEST(ListRows, ShowStateVisibilityAndForegroundGiveStatusIconAndRectangle) {
    using enum ShowState;
    using enum Visibility;
    const std::tuple<ShowState, Visibility, bool, const char*, StatusIcon, bool> cases[] = {
        {Normal, Visible, true, "通常(Act)", NormalIcon, true},
        {Minimized, Visible, false, "最小化", MinimizedIcon, false},
        {Maximized, Visible, true, "最大化(Act)", MaximizedIcon, true},
        {Minimized, Hidden, true, "非表示(Act)", HiddenIcon, false},
        {Normal, CloakedByApp, false, "非表示", HiddenIcon, false},
        {Unknown, Hidden, true, "(Act)", NoIcon, false},
    };
    for (const auto& [state, visibility, foreground, text, icon, showsRectangle] : cases) {
        const ListedWindow window{{.state = state, .visibility = visibility, .rect = {1, 2, 3, 4}}, foreground};
        const auto texts = RowTexts(window);
        EXPECT_EQ(texts[StatusColumn], text);
        EXPECT_EQ(IconOf(StatusOf(window.record)), icon) << text;
        EXPECT_EQ(texts[RectColumn], showsRectangle ? "(1,2)-(3,4)" : "-") << text;
    }
}

// Verdicts are remembered by title; a changed filter acts at the next
// enumeration, and during one on the windows after the change.
TEST_F(Listing, EnumerationsFollowEveryFilterSettingAsItChanges) {
    // Never listed: the window that owns QOV's dialogs, and the ghost Windows
    // shows over a hung program, which is listed itself.
    desktop.Add("", {.className = "QOV.DialogOwner"});
    desktop.Add("calc (応答なし)", {.className = "Ghost"});
    const WindowHandle untitled = desktop.Add(""), calc = desktop.Add("calc");
    const WindowHandle console = desktop.Add("Console");  // "OLE" in any case, inside a word
    const WindowHandle memo = desktop.Add("My MEMO pad");  // enumerated first
    const std::pair<void (*)(Settings&), std::vector<WindowHandle>> steps[] = {
        {[](Settings&) {}, {memo, calc}},
        {[](Settings& s) { s.excludedTitles = {"x", "memo", "console"}; }, {calc}},
        {[](Settings& s) { s.ignoreExclusions = true; }, {memo, calc}},
        {[](Settings& s) { s.showUntitled = true; }, {memo, calc, untitled}},
        {[](Settings& s) { s.showSystemWindows = true; }, {memo, console, calc, untitled}},
        {[](Settings& s) { s.ignoreExclusions = false; }, {calc, untitled}},
    };
    for (const auto& [change, expected] : steps) {
        change(settings);
        EXPECT_EQ(Handles(model.Enumerate()), expected);
    }
    settings = Settings{};
    model.Enumerate();  // remembers "calc" passing
    const auto excludeCalc = [&] { return settings.excludedTitles = {"calc"}, true; };
    EXPECT_EQ(Handles(model.Enumerate({.between = excludeCalc})), std::vector<WindowHandle>{memo});
    EXPECT_TRUE(model.Enumerate({.between = [] { return false; }}).stopped);
}

TEST_F(Listing, RowsShowEveryColumnThenOnlyWhatChangedAndTitleChoicesTheListedTitles) {
    desktop.Add("Program Manager");
    const WindowHandle minimised = desktop.Add("C"), renamed = desktop.Add(std::string("B\0x", 3));
    const WindowHandle notepad =  // row 1: the newest window is enumerated first
        desktop.Add("メモ帳", {.className = "Notepad", .rect = {-800, 0, 0, 600}});
    desktop.foreground = notepad;
    Refresh();
    const std::array<std::string, 5> row{"メモ帳", "通常(Act)", "(-800,0)-(0,600)", "Notepad",
                                         " " + std::to_string(notepad)};
    EXPECT_EQ(list.rows.at(0).cells, row);
    EXPECT_EQ(list.rows.at(0).icon, NormalIcon);
    EXPECT_EQ(list.status, " 3個のウィンドウが存在します");
    EXPECT_EQ(HandleText(-66) + WindowCountText(0), "-66 0個のウィンドウが存在します");
    EXPECT_EQ(TitleChoices(model), (std::vector<std::string>{"メモ帳", "B", "C"}));  // cut at NUL
    list.writes = {}, desktop.reads = 0;
    Refresh();
    EXPECT_EQ(list.writes.rows + list.writes.fields + list.writes.status + list.bulkBegun, 0);
    EXPECT_LE(desktop.reads, 6 * 3) << "at most six reads per listed window";
    desktop.windows[renamed].title = "B2";
    desktop.windows[minimised].state = ShowState::Minimized;
    Refresh();
    EXPECT_EQ(list.rows[1].cells[TitleColumn] + list.rows[2].cells[StatusColumn] + list.rows[2].cells[RectColumn],
              "B2最小化-");
    EXPECT_EQ(list.rows.at(2).icon, MinimizedIcon);
    EXPECT_EQ(list.writes.fields, 1 + 3);
    desktop.foreground = minimised;  // nothing else changes
    Refresh();
    EXPECT_EQ(list.rows[0].cells[StatusColumn] + list.rows[2].cells[StatusColumn], "通常最小化(Act)");
}

TEST_F(Listing, RowsAndTableStayInStepThroughRemovalsEvenWhenTheListRefuses) {
    std::vector<WindowHandle> w;
    for (const char* title : {"1", "2", "3", "4", "5"}) w.push_back(desktop.Add(title));
    Refresh();
    for (int i : {1, 2, 4}) desktop.windows.erase(w[i]);
    const WindowHandle six = desktop.Add("6");
    SlowDown();
    int yields = 0;
    atYield = [&] { ++yields, ExpectRowsMatchTable(); };
    Refresh();
    EXPECT_GE(yields, 3);  // two while enumerating, then one among the removals
    ExpectRowsMatchTable();
    EXPECT_EQ(Listed(), (std::vector{w[3], w[0], six}));
    desktop.windows.erase(w[3]);
    list.refuseRemoval = true;
    EXPECT_THROW(refresh.Run(), ListError);
    ExpectRowsMatchTable();
}

TEST_F(Listing, RefreshNeverNestsAndStopEndsItAtItsNextYield) {
    AddWindows(12);
    SlowDown();
    int ticks = 0, ran = 0, depth = 0;  // a nested refresh would yield too: nest once only
    atYield = [&] { if (depth++ == 0) ++ticks, ran += refresh.Run() != Outcome::Skipped; --depth; };
    Refresh();
    EXPECT_TRUE(ticks > 0 && ran == 0) << ran << " of " << ticks << " ticks started a refresh";
    EXPECT_EQ(list.bulkBegun, 1) << "more than eight rows changing repaint once";
    desktop.windows.clear();
    AddWindows(12);
    const int bulkBefore = list.bulkBegun;  // stop once rows are changing
    atYield = [&] { list.bulkBegun > bulkBefore ? refresh.Stop() : void(); };
    EXPECT_EQ(refresh.Run(), Outcome::Stopped);
    EXPECT_EQ(list.bulkEnded, bulkBefore + 1);
    ExpectRowsMatchTable();
    EXPECT_EQ(refresh.Run(), Outcome::Stopped);
    EXPECT_FALSE(refresh.Running());
}

// The add-title dialog may open, and enumerate, while a refresh lets messages run.
TEST_F(Listing, AnEnumerationInsideAnotherLeavesTheOuterOneItsOwnWindows) {
    AddWindows(3);
    bool nested = false;
    const Snapshot outer = model.Enumerate({.between = [&] {
        if (!std::exchange(nested, true)) {
            AddWindows(6);
            EXPECT_EQ(model.Enumerate().windows.size(), 9u);
        }
        return true;
    }});
    EXPECT_EQ(outer.windows.size(), 3u);
}

TEST_F(Listing, MoreThanAThousandWindowsListTheFirstThousand) {
    AddWindows(kMaxWindows + 5);
    Refresh();
    ExpectRowsMatchTable();
    ASSERT_EQ(listed.size(), kMaxWindows);
    // Newest first: the five oldest windows are left out.
    EXPECT_EQ(listed.back().record.handle, std::next(desktop.windows.begin(), 5)->first);
    EXPECT_EQ(list.rows.back().cells[TitleColumn], "w5");
    EXPECT_EQ(list.status, " 1000個のウィンドウが存在します");
}

// Each step changes the desktop, reports what Windows would report, and the
// list then equals the desktop, having written only what the step says.
TEST_F(Listing, ReportedChangesBringTheListToTheDesktopTouchingOnlyTheirRows) {
    const WindowHandle memo = desktop.Add("memo"), untitled = desktop.Add(""), calc = desktop.Add("calc");
    ASSERT_EQ(refresh.Run(), RefreshCycle::Outcome::Completed);
    struct Step {
        const char* what;
        std::function<void()> change;
        std::vector<WindowChange> reported;
        int rowWrites, fieldWrites;
    };
    const Step steps[] = {
        {"a rename rewrites one cell", [&] { desktop.windows[memo].title = "memo 2"; }, {{memo}}, 0, 1},
        {"a rename makes an unlisted window listed, last", [&] { desktop.windows[untitled].title = "named"; },
         {{untitled}}, 1, 6},
        {"a change to a window the list leaves out writes nothing",
         [&] { desktop.windows[desktop.Add("")].state = ShowState::Minimized; }, {{desktop.windows.rbegin()->first}}, 0, 0},
        {"a destroyed window's row goes", [&] { desktop.windows.erase(calc); }, {{calc, true}}, 1, 0},
        {"a handle given to a new window is a new window, read in full",
         [&] { desktop.windows[memo] = {.title = "memo 2", .className = "Other"}; }, {{memo, true}}, 2, 6},
        {"a report on a window already gone and never listed does nothing", [] {}, {{0x7777, true}}, 0, 0},
        {"the foreground moved: only the new one reports it, both marks move",
         [&] { desktop.foreground = untitled; }, {{untitled}}, 0, 1},
        {"and again", [&] { desktop.foreground = memo; }, {{memo}}, 0, 2},
    };
    for (const Step& step : steps) {
        step.change();
        list.writes = {};
        ASSERT_EQ(refresh.RunChanges(step.reported), RefreshCycle::Outcome::Completed) << step.what;
        EXPECT_EQ(list.writes.rows, step.rowWrites) << step.what;
        EXPECT_EQ(list.writes.fields, step.fieldWrites) << step.what;
        ExpectListEqualsDesktop();
    }
    EXPECT_EQ(list.rows.back().cells[ClassColumn] + list.rows.back().cells[StatusColumn], "Other通常(Act)");
    EXPECT_EQ(list.status, " 2個のウィンドウが存在します");
}

TEST(PendingChanges, AFloodIsOneLookPerWindowAndANewWindowIsLookedAtAgain) {
    PendingChanges pending;
    const Clock::time_point start{};
    for (int i = 0; i < 50; ++i) pending.Note(7, WindowEvent::Moved, start + i * 1ms);
    pending.Note(9, WindowEvent::Created, start + 10ms);
    pending.Note(9, WindowEvent::NameChanged, start + 11ms);
    EXPECT_EQ(pending.NextDue(), start + PendingChanges::kGathering);
    EXPECT_TRUE(pending.TakeDue(start + 1ms).empty());
    EXPECT_EQ(pending.TakeDue(start + 100ms), (std::vector<WindowChange>{{7, false}, {9, true}}));
    pending.Note(7, WindowEvent::Destroyed, start + 120ms);
    EXPECT_EQ(pending.TakeDue(start + 200ms), (std::vector<WindowChange>{{7, true}}));
    EXPECT_EQ(pending.NextDue(), start + 10ms + PendingChanges::kSecondLook);
    EXPECT_EQ(pending.TakeDue(start + 1s), (std::vector<WindowChange>{{9, false}}));
    EXPECT_FALSE(pending.NextDue());
}

// A stream of reports must never keep the look from being taken.
TEST(PendingChanges, ALookOwedIsPostedNeverPutOffAndSpacedUnderAFlood) {
    const Clock::time_point now = Clock::time_point{} + 1s;
    using enum LookPlan::Kind;
    const struct {
        std::optional<Clock::duration> due;  // from now
        LookSetUp setUp;
        LookPlan plan;
    } cases[] = {
        {std::nullopt, {}, {}},
        {20ms, {}, {SetTimer, 20ms}},
        {20ms, {.timerDue = now + 10ms}, {}},  // a later report does not put the timer off
        {20ms, {.timerDue = now + 50ms}, {SetTimer, 20ms}},
        {-5ms, {}, {Post}},
        {-5ms, {.timerDue = now - 1ms}, {Post}},  // the timer is late: the stream keeps it from firing
        {-5ms, {.posted = true}, {}},
        {-5ms, {.refreshRunning = true}, {}},
        {-5ms, {.lastLookEnded = now - 40ms}, {SetTimer, 60ms}},
    };
    for (const auto& c : cases) {
        const auto due = c.due ? std::optional(now + *c.due) : std::nullopt;
        EXPECT_EQ(PlanLook(due, now, c.setUp), c.plan) << (c.due ? c.due->count() : 0);
    }
}

TEST(ChangeDetection, AutoTrustsReportsOnlyWhenAllThatTheListNeedsArrive) {
    using enum WindowEvent;
    using Finding = ChangeDetection::Finding;
    const struct {
        Detection setting;
        bool hooked;
        std::vector<WindowEvent> seen;
        bool patienceRunsOut;
        bool usesReports;
        Finding found;
    } cases[] = {
        {Detection::Auto, true, {Created, NameChanged, Shown, Hidden, Destroyed}, false, true, Finding::ReportsArrive},
        {Detection::Auto, true, {Created}, true, false, Finding::ReportsMissing},  // Wine 8
        {Detection::Auto, true, {NameChanged, Shown, Hidden}, false, false, Finding::Looking},
        {Detection::Auto, false, {}, true, false, Finding::NoReports},
        {Detection::Events, true, {}, true, true, Finding::ReportsArrive},
        {Detection::Events, false, {}, false, false, Finding::NoReports},
    };
    for (const auto& c : cases) {
        ChangeDetection detection(c.setting, c.hooked);
        for (const WindowEvent event : c.seen) detection.SawOnProbe(event);
        if (c.patienceRunsOut) detection.PatienceRanOut();
        EXPECT_EQ(detection.UsesReports(), c.usesReports) << FormatDetection(c.setting) << c.seen.size();
        EXPECT_EQ(detection.Found(), c.found) << FormatDetection(c.setting) << c.seen.size();
        EXPECT_EQ(detection.ScanIntervalMs(1000), c.usesReports ? kSafetyScanMs : 1000);
    }
    EXPECT_EQ(ChangeDetection(Detection::Events, true).ScanIntervalMs(60000), 60000);
    EXPECT_EQ(ChangeDetection(Detection::Scan, true).ScanIntervalMs(100), 100);
}

}  // namespace
}  // namespace qov
