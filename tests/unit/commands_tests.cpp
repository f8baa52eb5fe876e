#include <gtest/gtest.h>

#include "core/commands.h"
#include "core/status_line.h"
#include "fakes/fake_desktop.h"
#include "fakes/fake_list.h"

namespace qov {

void PrintTo(const CommandReport& r, std::ostream* out) { *out << "box \"" << r.box << "\" notice \"" << r.notice << '"'; }

namespace {

using fakes::Operation;

// Rows: a visible window, a hidden one (selected), a minimised one and a
// cloaked one, which keeps WS_VISIBLE yet is hidden.
struct Scene {
    fakes::FakeDesktop desktop;
    Settings settings;
    ListedWindows listed;
    OwnWindows own{{7}, {}};
    WindowCommands commands{desktop, listed, settings, own};
    WindowHandle visible = desktop.Add(""), hidden = desktop.Add("", {.visible = false}),
                 minimised = desktop.Add("", {.state = ShowState::Minimized}), cloaked = desktop.Add("", {.cloaked = true});
    Scene() {
        for (WindowHandle w : {visible, hidden, minimised, cloaked}) listed.push_back({{.handle = w}});
    }
    WindowHandle List(std::string title, fakes::FakeWindow window = {}) {
        const WindowHandle handle = desktop.Add(std::move(title), std::move(window));
        listed.push_back({{.handle = handle}});
        return handle;
    }
    std::optional<CommandReport> Run(int id, std::optional<WindowHandle> selected = {}) {
        return commands.Run({id, selected});
    }
};

// In Windows Terminal the console's window is a hidden stand-in: the terminal
// is the nearest process above qovc with a window on screen, past the shell.
TEST(HostingTerminal, IsTheNearestAncestorOnScreenOnlyBehindAHiddenConsoleWindow) {
    const std::vector<AncestorProcess> chain{{10, false}, {20, false}, {30, true}, {40, true}};
    EXPECT_EQ(HostingTerminal(true, false, chain), 30u);
    EXPECT_EQ(HostingTerminal(true, true, chain), std::nullopt) << "a console window on screen is the terminal";
    EXPECT_EQ(HostingTerminal(false, false, chain), std::nullopt) << "no console: started by a program";
    EXPECT_EQ(HostingTerminal(true, false, std::vector<AncestorProcess>{{10, false}}), std::nullopt);
}

// An elevated program's window refuses ShowWindowAsync but takes the system
// menu's restore and minimise; what nothing could change, the status bar says.
TEST(WindowCommands, RefusedHungAndCloakedWindowsAreReportedInTheStatusBar) {
    using enum Operation::Kind;
    Scene s;
    s.Run(IDM_TARGET_ALL);
    const WindowHandle elevated = s.List("Task Manager"), stuck = s.List("Stuck");
    s.desktop.outcomeOf = [&](const Operation& op) {
        if (op.window == stuck) return Outcome::Hung;
        return op.window == elevated && op.kind != SystemCommand ? Outcome::Refused : Outcome::Done;
    };
    EXPECT_EQ(s.Run(IDM_RESTORE, elevated), CommandReport{});
    EXPECT_EQ(s.desktop.operations, (std::vector<Operation>{{Show, 1, elevated}, {SystemCommand, 0xF120, elevated}}));
    s.desktop.operations.clear();
    EXPECT_EQ(s.Run(IDM_HIDE, elevated)->notice, "「Task Manager」は管理者として実行されているため、Windows に拒否されました。");
    EXPECT_EQ(s.Run(IDM_MAXIMIZE, stuck)->notice, "「Stuck」は応答しないため、何もしませんでした。");
    s.desktop.windows[s.cloaked].title = "Elsewhere";
    EXPECT_EQ(s.Run(IDM_SHOW, s.cloaked)->notice,
              "「Elsewhere」は別の仮想デスクトップにあるか中断中のアプリのため、この画面には見えません。");
    EXPECT_EQ(s.Run(IDM_CLOSE, s.cloaked)->notice, "") << "closed there all the same";
    EXPECT_EQ(s.Run(IDM_ALL_HIDE)->notice,
              "1 個のウィンドウは管理者として実行されているため、Windows に拒否されました。"
              "　1 個のウィンドウは応答しないため、飛ばしました。"
              "　1 個のウィンドウは別の仮想デスクトップにあるか中断中のアプリのため、この画面には見えません。");
    EXPECT_EQ(s.Run(IDM_ALL_MINIMIZE)->notice.find("拒否"), std::string::npos) << "minimised by the system menu";
}

// A command that waits its turn may find its window gone: it is skipped
// quietly. The table may change while a command waits for a window, and a
// window hidden meanwhile is no target any more, nor is a cloaked one under
// the visible-only target mode.
TEST(WindowCommands, AWindowGoneByItsTurnIsSkippedAndTargetsAreAskedJustBeforeTheirTurn) {
    Scene s;
    s.desktop.windows.erase(s.hidden);
    EXPECT_EQ(s.Run(IDM_CLOSE, s.hidden), CommandReport{});
    EXPECT_TRUE(s.desktop.operations.empty());

    const WindowHandle hiddenLater = s.List("hidden later");
    s.desktop.duringOperation = [&] { s.desktop.windows[hiddenLater].visible = false; };
    s.Run(IDM_ALL_MAXIMIZE);
    EXPECT_EQ(s.desktop.Touched(), (std::vector<WindowHandle>{s.visible, s.minimised}));
    EXPECT_EQ(s.Run(IDM_CLOSE), CommandReport{}) << "no row selected";
    EXPECT_TRUE(s.desktop.operations.empty());
    for (int other : {0, IDM_REFRESH, IDM_ABOUT}) EXPECT_FALSE(s.Run(other));
}

// The order the user gave them, each once, also when a command is given while
// another waits for its window or while a refresh lets messages through.
TEST(CommandSequence, EveryCommandRunsOnceInTheOrderGiven) {
    std::vector<int> ran;
    CommandSequence* self = nullptr;
    CommandSequence sequence([&](const GivenCommand& c) {
        ran.push_back(c.id);
        if (c.id == 1) {  // waits for its window: the user clicks on
            EXPECT_TRUE(self->Give({2, {}}, false));
            EXPECT_TRUE(self->Give({3, {}}, true));
            EXPECT_EQ(ran, std::vector{1}) << "a second command ran inside the first";
        }
    });
    self = &sequence;
    EXPECT_TRUE(sequence.Give({1, {}}, false));
    EXPECT_EQ(ran, (std::vector{1, 2, 3}));
    EXPECT_FALSE(sequence.Running());

    EXPECT_TRUE(sequence.Give({4, {}}, true) && sequence.Give({5, {}}, true));  // during a refresh
    EXPECT_EQ(ran.size(), 3u);
    sequence.RunWaiting();
    EXPECT_EQ(ran, (std::vector{1, 2, 3, 4, 5}));

    for (std::size_t i = 0; i < CommandSequence::kCapacity; ++i) EXPECT_TRUE(sequence.Give({6, {}}, true));
    EXPECT_FALSE(sequence.Give({7, {}}, true)) << "beyond the queue's room";
    sequence.DropWaiting();  // closing
    sequence.RunWaiting();
    EXPECT_EQ(ran.size(), 5u);
}

TEST(CommandSequence, ARunnerThatThrowsLeavesTheRestWaitingAndTheSequenceReady) {
    std::vector<int> ran;
    CommandSequence sequence([&](const GivenCommand& c) {
        ran.push_back(c.id);
        if (c.id == 1) throw std::runtime_error("list failed");
    });
    sequence.Give({1, {}}, true), sequence.Give({2, {}}, true);
    EXPECT_THROW(sequence.RunWaiting(), std::runtime_error);
    EXPECT_FALSE(sequence.Running());
    EXPECT_EQ(sequence.Waiting(), 1u);
    sequence.RunWaiting();
    EXPECT_EQ(ran, (std::vector{1, 2}));
}

// The status bar shows a command's notice in the count's place; the count is
// kept meanwhile and comes back.
TEST(StatusLine, ANoticeStandsInForTheCountUntilCleared) {
    fakes::FakeList list;
    StatusLine status(list);
    status.SetStatusText(" 3個のウィンドウが存在します");
    status.ShowNotice("waiting");
    status.SetStatusText(" 4個のウィンドウが存在します");
    EXPECT_EQ(list.status, "waiting");
    status.ClearNotice();
    EXPECT_EQ(list.status, " 4個のウィンドウが存在します");
    const int writes = list.writes.status;
    status.SetStatusText(" 4個のウィンドウが存在します");
    EXPECT_EQ(list.writes.status, writes) << "an unchanged text is written again";
}

}  // namespace
}  // namespace qov
