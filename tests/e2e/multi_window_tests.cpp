// The multi-window menu items: which listed windows they reach in each target
// mode, how they reach them, and that a window that stops answering cannot
// hold QOV up while it closes the others.
#include <gtest/gtest.h>

#include "harness/qov_commands.h"
#include "harness/qov_test.h"
#include "harness/qov_texts.h"
#include "harness/wait.h"

namespace qov::e2e {
namespace {

class MultiWindow : public QovTest {
protected:
    std::vector<FixtureThread*> AddFixtures(std::initializer_list<FixtureOptions> options) {
        std::vector<FixtureThread*> fixtures;
        for (const FixtureOptions& o : options) fixtures.push_back(&AddFixture(o));
        return fixtures;
    }

    void WaitUntilListed(const std::vector<FixtureThread*>& fixtures) {
        for (const FixtureThread* fixture : fixtures) {
            ASSERT_TRUE(WaitForRow(fixture->window()))
                << testing::PrintToString(fixture->options().title) << " was never listed";
        }
    }
};

bool Visible(const FixtureThread* f) { return IsWindowVisible(f->window()) != 0; }

TEST_F(MultiWindow, ShowBringsHiddenWindowsBackOnlyWhenAllWindowsAreTargets) {
    const auto fixtures = AddFixtures({FixtureOptions::Titled(L"Shown Fixture"),
                                       FixtureOptions::Titled(L"Invisible Fixture One", SW_HIDE),
                                       FixtureOptions::Titled(L"Invisible Fixture Two", SW_HIDE)});
    ASSERT_NO_FATAL_FAILURE(StartQov());
    ASSERT_NO_FATAL_FAILURE(WaitUntilListed(fixtures));

    ASSERT_TRUE(qov().SendCommand(command::S_Show));
    EXPECT_FALSE(Visible(fixtures[1]) || Visible(fixtures[2]))
        << "only visible windows are targets by default";

    ASSERT_TRUE(qov().SendCommand(command::S_AllWindow));
    ASSERT_TRUE(qov().SendCommand(command::S_Show));
    EXPECT_TRUE(WaitUntil([&] { return Visible(fixtures[1]) && Visible(fixtures[2]); }));

    ASSERT_TRUE(qov().SendCommand(command::S_OnlyViewWindow));
    ShowWindow(fixtures[2]->window(), SW_HIDE);
    ASSERT_TRUE(qov().SendCommand(command::S_Show));
    EXPECT_FALSE(Visible(fixtures[2])) << "back to visible windows only";
}

TEST_F(MultiWindow, HideHidesEveryVisibleListedWindow) {
    const auto fixtures =
        AddFixtures({FixtureOptions::Titled(L"Normal Fixture"),
                     FixtureOptions::Titled(L"Minimized Fixture", SW_SHOWMINNOACTIVE),
                     FixtureOptions::Titled(L"Maximized Fixture", SW_SHOWMAXIMIZED)});
    ASSERT_NO_FATAL_FAILURE(StartQov());
    ASSERT_NO_FATAL_FAILURE(WaitUntilListed(fixtures));
    ASSERT_TRUE(qov().SendCommand(command::S_Hide));
    EXPECT_TRUE(WaitUntil([&] {
        return !Visible(fixtures[0]) && !Visible(fixtures[1]) && !Visible(fixtures[2]);
    }));
    for (const FixtureThread* fixture : fixtures) {
        EXPECT_TRUE(fixture->SysCommands().empty()) << "hiding is a direct change";
        EXPECT_TRUE(WaitForRow(fixture->window(),
                               [](const Row& row) { return row[kStatus] == kHidden; }));
    }
}

TEST_F(MultiWindow, MinimizeRestoreAndMaximizeReachListedWindowsOnly) {
    const auto listed = AddFixtures({FixtureOptions::Titled(L"Listed Fixture One"),
                                     FixtureOptions::Titled(L"Listed Fixture Two")});
    FixtureThread& excluded = AddFixture(FixtureOptions::Titled(L"Excluded Fixture"));
    ASSERT_NO_FATAL_FAILURE(StartQov({{L"UpdateInterval", L"100"}, {L"Wnd1", L"Excluded"}}));
    ASSERT_NO_FATAL_FAILURE(WaitUntilListed(listed));

    const struct {
        int command;
        bool (*state)(HWND);
        std::vector<UINT> received;  // system commands each window has had by then
    } steps[] = {
        // Minimising all goes through ShowWindow, unlike minimising one window.
        {command::S_Minium, [](HWND w) { return IsIconic(w) != 0; }, {}},
        {command::S_Restore, [](HWND w) { return !IsIconic(w) && !IsZoomed(w); }, {}},
        {command::S_Maxmium, [](HWND w) { return IsZoomed(w) != 0; }, {SC_MAXIMIZE}},
    };
    for (const auto& step : steps) {
        ASSERT_TRUE(qov().SendCommand(step.command));
        for (const FixtureThread* fixture : listed) {
            EXPECT_TRUE(WaitUntil([&] { return step.state(fixture->window()); }))
                << "command " << step.command;
            EXPECT_EQ(fixture->SysCommands(), step.received) << "command " << step.command;
        }
    }
    EXPECT_FALSE(IsIconic(excluded.window()) || IsZoomed(excluded.window()));
    EXPECT_TRUE(excluded.SysCommands().empty()) << "an excluded window is no target";
}

TEST_F(MultiWindow, CloseAllGetsPastAWindowThatStopsAnswering) {
    // The hung window comes first in the list, so every other close waits on it.
    const auto fixtures = AddFixtures({FixtureOptions::Titled(L"Hung Fixture"),
                                       FixtureOptions::Titled(L"Closing Fixture One"),
                                       FixtureOptions::Titled(L"Closing Fixture Two")});
    ASSERT_NO_FATAL_FAILURE(StartQov());
    ASSERT_NO_FATAL_FAILURE(WaitUntilListed(fixtures));
    FixtureThread& hung = *fixtures[0];
    ASSERT_TRUE(hung.Hang(std::chrono::seconds(120)));

    qov().PostCommand(command::S_Close);
    EXPECT_TRUE(WaitUntil([&] { return !fixtures[1]->exists() && !fixtures[2]->exists(); }))
        << "the answering windows were not closed";
    EXPECT_TRUE(KeepsRefreshing()) << "QOV stays blocked on the hung window";
    // The list refreshes again: the closed windows' rows go, the count follows.
    EXPECT_TRUE(WaitForNoRow(fixtures[1]->window()));
    EXPECT_TRUE(WaitForNoRow(fixtures[2]->window()));
    EXPECT_TRUE(RowOf(hung.window()).has_value());
    EXPECT_TRUE(WaitUntil([&] {
        const auto rows = qov().list().Snapshot();
        return rows && qov().StatusText() == StatusCountText(static_cast<int>(rows->size()));
    })) << "status bar reads " << testing::PrintToString(qov().StatusText());
    hung.Release();
}

}  // namespace
}  // namespace qov::e2e
