// The single-window menu items, fired on the selected row: each must reach
// the selected window, in the way it is meant to (a system command or a
// direct change), and leave the window of the other row alone.
#include <gtest/gtest.h>

#include <ostream>

#include "harness/qov_commands.h"
#include "harness/qov_test.h"
#include "harness/qov_texts.h"
#include "harness/wait.h"

namespace qov::e2e {
namespace {

bool IsTopmost(HWND window) { return (GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

bool InMoveSizeLoop(const FixtureThread& fixture) {
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    return GetGUIThreadInfo(fixture.thread_id(), &info) && (info.flags & GUI_INMOVESIZE) != 0 &&
           info.hwndMoveSize == fixture.window();
}

class WindowCommands : public QovTest {
protected:
    // A target in `show` state and a bystander, both listed, the target's row selected.
    void StartWithTarget(int show) {
        target_ = &AddFixture(FixtureOptions::Titled(L"Target Fixture", show));
        bystander_ = &AddFixture(FixtureOptions::Titled(L"Bystander Fixture"));
        ASSERT_NO_FATAL_FAILURE(StartQov());
        qov().BringToFront();
        ASSERT_TRUE(WaitForRow(target_->window()));
        ASSERT_TRUE(WaitForRow(bystander_->window()));
        ASSERT_TRUE(SelectRowOf(target_->window()));
    }

    void ExpectBystanderUntouched() {
        const HWND window = bystander_->window();
        EXPECT_TRUE(IsWindow(window) && IsWindowVisible(window));
        EXPECT_FALSE(IsIconic(window) || IsZoomed(window) || IsTopmost(window));
        EXPECT_TRUE(bystander_->SysCommands().empty());
    }

    FixtureThread* target_ = nullptr;
    FixtureThread* bystander_ = nullptr;
};

struct CommandCase {
    const char* name;
    int command;
    int initial_show;
    bool (*done)(HWND);
    UINT system_command;  // what the target must receive, or 0 for none

    friend std::ostream& operator<<(std::ostream& out, const CommandCase& c) { return out << c.name; }
};

class SingleWindowCommand : public WindowCommands,
                            public testing::WithParamInterface<CommandCase> {};

TEST_P(SingleWindowCommand, ActsOnTheSelectedWindowOnly) {
    const CommandCase& c = GetParam();
    ASSERT_NO_FATAL_FAILURE(StartWithTarget(c.initial_show));
    ASSERT_TRUE(qov().SendCommand(c.command));
    const HWND window = target_->window();
    EXPECT_TRUE(WaitUntil([&] { return c.done(window); }));
    const std::vector<UINT> received = target_->SysCommands();
    if (c.system_command != 0) {
        EXPECT_EQ(received, std::vector<UINT>{c.system_command});
    } else {
        EXPECT_TRUE(received.empty()) << "expected a direct change, not a system command";
    }
    ExpectBystanderUntouched();
}

INSTANTIATE_TEST_SUITE_P(
    E2e, SingleWindowCommand,
    testing::Values(
        CommandCase{"Restore", command::O_Restore, SW_SHOWMINNOACTIVE,
                    [](HWND w) { return !IsIconic(w) && !IsZoomed(w) && IsWindowVisible(w); }, 0},
        CommandCase{"RestoreMaximized", command::O_Restore, SW_SHOWMAXIMIZED,
                    [](HWND w) { return !IsIconic(w) && !IsZoomed(w) && IsWindowVisible(w); }, 0},
        CommandCase{"Minimize", command::O_Minimum, SW_SHOWNOACTIVATE,
                    [](HWND w) { return IsIconic(w) != 0; }, SC_MINIMIZE},
        CommandCase{"Maximize", command::O_Maxium, SW_SHOWNOACTIVATE,
                    [](HWND w) { return IsZoomed(w) != 0; }, SC_MAXIMIZE},
        CommandCase{"Hide", command::O_Hide, SW_SHOWNOACTIVATE,
                    [](HWND w) { return IsWindow(w) && !IsWindowVisible(w); }, 0},
        CommandCase{"Show", command::O_Show, SW_HIDE,
                    [](HWND w) { return IsWindowVisible(w) != 0; }, 0},
        CommandCase{"Close", command::O_Close, SW_SHOWNOACTIVATE,
                    [](HWND w) { return !IsWindow(w); }, SC_CLOSE},
        CommandCase{"BringToFront", command::O_Top, SW_SHOWNOACTIVATE,
                    [](HWND w) { return GetForegroundWindow() == w; }, 0},
        CommandCase{"Topmost", command::O_AllwaysTop, SW_SHOWNOACTIVATE, IsTopmost, 0}),
    [](const testing::TestParamInfo<CommandCase>& info) { return info.param.name; });

TEST_F(WindowCommands, NothingHappensWithoutASelectedRow) {
    ASSERT_NO_FATAL_FAILURE(StartWithTarget(SW_SHOWNOACTIVATE));
    ASSERT_TRUE(qov().list().Select(-1));
    for (int command : {command::O_Minimum, command::O_Hide, command::O_Close}) {
        ASSERT_TRUE(qov().SendCommand(command));
    }
    EXPECT_TRUE(IsWindowVisible(target_->window()) && !IsIconic(target_->window()));
    EXPECT_TRUE(target_->SysCommands().empty());
    ExpectBystanderUntouched();
}

TEST_F(WindowCommands, ClosingAWindowThatStopsAnsweringDoesNotFreezeQov) {
    ASSERT_NO_FATAL_FAILURE(StartWithTarget(SW_SHOWNOACTIVATE));
    ASSERT_TRUE(target_->Hang(std::chrono::seconds(120)));
    qov().PostCommand(command::O_Close);
    EXPECT_TRUE(KeepsRefreshing()) << "QOV waits on the hung window without end";
    EXPECT_TRUE(RowOf(target_->window()).has_value());
    target_->Release();
}

struct MoveSizeCase {
    const char* name;
    int command;
    UINT system_command;

    friend std::ostream& operator<<(std::ostream& out, const MoveSizeCase& c) { return out << c.name; }
};

class MoveSizeCommand : public WindowCommands,
                        public testing::WithParamInterface<MoveSizeCase> {};

TEST_P(MoveSizeCommand, PutsTheWindowInTheKeyboardLoopAndQovRecovers) {
    ASSERT_NO_FATAL_FAILURE(StartWithTarget(SW_SHOWNOACTIVATE));
    RECT before{};
    GetWindowRect(target_->window(), &before);
    // QOV waits for the window while the loop runs, so the command is posted.
    qov().PostCommand(GetParam().command);
    ASSERT_TRUE(WaitUntil([&] { return InMoveSizeLoop(*target_); }))
        << "the target never entered its move/size loop";
    EXPECT_TRUE(target_->ReceivedSysCommand(GetParam().system_command));

    PostMessageW(target_->window(), WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_TRUE(WaitUntil([&] { return !InMoveSizeLoop(*target_); }));
    EXPECT_TRUE(KeepsRefreshing());
    RECT after{};
    GetWindowRect(target_->window(), &after);
    EXPECT_TRUE(EqualRect(&before, &after)) << "Escape leaves the window where it was";
    ExpectBystanderUntouched();
}

INSTANTIATE_TEST_SUITE_P(E2e, MoveSizeCommand,
                         testing::Values(MoveSizeCase{"Move", command::O_IDO, SC_MOVE},
                                         MoveSizeCase{"Size", command::O_SizeChange, SC_SIZE}),
                         [](const testing::TestParamInfo<MoveSizeCase>& info) {
                             return info.param.name;
                         });

}  // namespace
}  // namespace qov::e2e
