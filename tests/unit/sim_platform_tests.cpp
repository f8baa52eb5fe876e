// What the program's tests rely on the simulated platform for and nothing
// else checks: write counts, the 254-unit title cut, the show commands'
// effects and the yield queue that places an event at an exact point.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/sim/sim_desktop.h"
#include "platform/sim/sim_list_view.h"
#include "platform/sim/sim_toolkit.h"

namespace qov::sim {
namespace {

TEST(SimListView, CountsEachKindOfWriteAndRefusesRowsOutsideTheList) {
    SimListView list{{0, 0, 6000, 3000}};
    list.AddRow();
    list.AddRow();
    list.ResetWrites();
    list.SetText(1, 2, "x");
    list.SetIcon(2, 3);
    list.RemoveRow(1);
    list.AddRow();
    list.SetSelectedIndex(1);
    const auto& writes = list.Writes();
    EXPECT_EQ((std::vector<int>{writes.setText, writes.setIcon, writes.removeRow, writes.addRow,
                                writes.setSelectedIndex}),
              (std::vector<int>{1, 1, 1, 1, 1}));
    EXPECT_EQ(writes.Total(), 5);
    EXPECT_THROW(list.SetText(3, 0, "x"), ToolkitError);
    EXPECT_THROW(list.SetText(1, 5, "x"), ToolkitError);
    EXPECT_THROW(list.RemoveRow(0), ToolkitError);
    EXPECT_THROW(list.SetSelectedIndex(3), ToolkitError);
    EXPECT_EQ(list.Writes().Total(), 5) << "a refused write is no write";
}

TEST(SimDesktop, ShowWindowChangesStateAndVisibilityLikeTheSystem) {
    const struct {
        const char* name;
        int startState;
        bool startVisible;
        ShowCommand command;
        int expectedState;
        bool expectedVisible;
    } cases[] = {
        {"hide keeps the state", kShowStateMaximized, true, ShowCommand::Hide, 3, false},
        {"show keeps a minimised state", kShowStateMinimized, false, ShowCommand::Show, 2, true},
        {"show normal restores a maximised window", 3, true, ShowCommand::ShowNormal, 1, true},
        {"show normal shows a hidden minimised one", 2, false, ShowCommand::ShowNormal, 1, true},
        {"minimise shows a hidden window as icon", 1, false, ShowCommand::Minimize, 2, true},
    };
    for (const auto& c : cases) {
        SimDesktop desktop;
        const WindowHandle w = desktop.CreateWindow("w", "C", {}, c.startState, c.startVisible);
        desktop.ShowWindow(w, c.command);
        EXPECT_EQ(desktop.PlacementShowState(w), c.expectedState) << c.name;
        EXPECT_EQ(desktop.IsVisible(w), c.expectedVisible) << c.name;
    }
}

TEST(SimDesktop, TitlesAreCutAt254Utf16Units) {
    SimDesktop desktop;
    const std::string ascii(300, 'x');
    std::string japanese;
    for (int i = 0; i < 260; ++i) japanese += "あ";  // one unit, three bytes each
    std::string pairs = "a";
    for (int i = 0; i < 130; ++i) pairs += "\xF0\x9F\x98\x80";  // U+1F600: two units each
    const WindowHandle a = desktop.CreateWindow(ascii, ascii);
    const WindowHandle j = desktop.CreateWindow(japanese, "C");
    const WindowHandle p = desktop.CreateWindow(pairs, "C");
    EXPECT_EQ(desktop.WindowTitle(a), std::string(254, 'x'));
    EXPECT_EQ(desktop.ClassName(a), std::string(254, 'x'));
    EXPECT_EQ(desktop.WindowTitle(j), japanese.substr(0, 254 * 3));
    // 1 + 126 * 2 = 253 units; the next pair would not fit.
    EXPECT_EQ(desktop.WindowTitle(p), pairs.substr(0, 1 + 126 * 4));
}

TEST(SimToolkitYield, QueuedActionsRunAtTheirYield) {
    SimToolkit toolkit;
    std::vector<std::string> log;
    toolkit.QueueAtYield([&] { log.push_back("third"); }, 3);
    toolkit.QueueAtYield([&] {
        log.push_back("first");
        toolkit.QueueAtYield([&] { log.push_back("queued inside"); });
    });
    toolkit.QueueAtYield([&] { log.push_back("first too"); });
    toolkit.Yield();
    EXPECT_EQ(log, (std::vector<std::string>{"first", "first too"}));
    toolkit.Yield();
    toolkit.Yield();
    EXPECT_EQ(log, (std::vector<std::string>{"first", "first too", "queued inside", "third"}));
    EXPECT_EQ(toolkit.PendingYieldActions(), 0);
}

TEST(SimToolkitYield, NestedYieldRunsActionsQueuedForTheNextOne) {
    SimToolkit toolkit;
    std::vector<int> depth;
    int level = 0;
    toolkit.QueueAtYield([&] {
        depth.push_back(++level);
        toolkit.QueueAtYield([&] { depth.push_back(level + 10); });
        toolkit.Yield();  // a handler that yields in turn
        --level;
    });
    toolkit.Yield();
    EXPECT_EQ(depth, (std::vector<int>{1, 11}));
}

}  // namespace
}  // namespace qov::sim
