#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "core/change_detection.h"
#include "core/refresh.h"
#include "fakes/fake_desktop.h"
#include "fakes/fake_list.h"
#include "fakes/text_match.h"

namespace qov {
namespace {

using namespace std::chrono_literals;
using Clock = PendingChanges::Clock;
using enum WindowList::Column;

class LiveList : public ::testing::Test {
protected:
    fakes::FakeDesktop desktop;
    Settings settings;
    WindowModel model{desktop, settings, fakes::TitleContains};
    ListedWindows listed;
    fakes::FakeList list;
    RefreshCycle refresh{model, listed, list, [] {}};

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
};

// Each step changes the desktop, reports what Windows would report, and the
// list then equals the desktop, having written only what the step says.
TEST_F(LiveList, ReportedChangesBringTheListToTheDesktopTouchingOnlyTheirRows) {
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
    };
    for (const Step& step : steps) {
        step.change();
        list.writes = {};
        ASSERT_EQ(refresh.RunChanges(step.reported), RefreshCycle::Outcome::Completed) << step.what;
        EXPECT_EQ(list.writes.rows, step.rowWrites) << step.what;
        EXPECT_EQ(list.writes.fields, step.fieldWrites) << step.what;
        ExpectListEqualsDesktop();
    }
    EXPECT_EQ(list.rows.back().cells[ClassColumn], "Other");
    EXPECT_EQ(list.status, " 2個のウィンドウが存在します");
}

// A foreground change is reported on the new window only; the old one loses its mark too.
TEST_F(LiveList, TheActiveMarkFollowsTheForeground) {
    const WindowHandle first = desktop.Add("first"), second = desktop.Add("second");
    desktop.foreground = first;
    refresh.Run();
    desktop.foreground = second;
    refresh.RunChanges({{second}});
    ExpectListEqualsDesktop();
    EXPECT_EQ(list.rows[0].cells[StatusColumn] + list.rows[1].cells[StatusColumn], "通常(Act)通常");
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
