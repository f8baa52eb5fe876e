// Three listed windows whose threads stop answering: every command QOV has,
// for one window or for all, returns in bounded time, the windows that still
// answer are handled, and the list goes on refreshing.
#include <gtest/gtest.h>

#include "harness/qov_commands.h"
#include "harness/qov_test.h"
#include "harness/wait.h"

namespace qov::e2e {
namespace {

constexpr auto kHangFor = std::chrono::seconds(180);

class HungWindows : public QovTest {
protected:
    void SetUpDesktop() {
        for (const wchar_t* title : {L"Hung Fixture One", L"Hung Fixture Two", L"Hung Fixture Three"})
            hung_.push_back(&AddFixture(FixtureOptions::Titled(title)));
        answering_ = &AddFixture(FixtureOptions::Titled(L"Answering Fixture"));
        ASSERT_NO_FATAL_FAILURE(StartQov());
        for (const FixtureThread* fixture : hung_) ASSERT_TRUE(WaitForRow(fixture->window()));
        ASSERT_TRUE(WaitForRow(answering_->window()));
        for (FixtureThread* fixture : hung_) ASSERT_TRUE(fixture->Hang(kHangFor));
    }

    // SendCommand waits at most 15 s for QOV to handle the command: returning
    // true is the bound. A window opened afterwards getting its row shows the
    // refresh was not left stuck either.
    void ExpectBoundedAndRefreshing(int command) {
        EXPECT_TRUE(qov().SendCommand(command)) << "command " << command << " did not return";
        EXPECT_TRUE(KeepsRefreshing()) << "no refresh after command " << command;
    }

    std::vector<FixtureThread*> hung_;
    FixtureThread* answering_ = nullptr;
};

TEST_F(HungWindows, EverySingleWindowCommandOnAHungWindowReturns) {
    ASSERT_NO_FATAL_FAILURE(SetUpDesktop());
    const int commands[] = {command::O_Restore, command::O_IDO,     command::O_SizeChange,
                            command::O_Minimum, command::O_Maxium,  command::O_Top,
                            command::O_AllwaysTop, command::O_Hide, command::O_Show,
                            command::O_Close};
    int next = 0;
    for (const int command : commands) {
        // Each command on a different hung window in turn.
        const FixtureThread& target = *hung_[next++ % hung_.size()];
        ASSERT_TRUE(SelectRowOf(target.window())) << "command " << command;
        ExpectBoundedAndRefreshing(command);
    }
    for (const FixtureThread* fixture : hung_) EXPECT_TRUE(RowOf(fixture->window()).has_value());
}

TEST_F(HungWindows, EveryMultiWindowCommandGetsPastThemToTheAnsweringWindow) {
    ASSERT_NO_FATAL_FAILURE(SetUpDesktop());
    ASSERT_TRUE(qov().SendCommand(command::S_AllWindow));
    const struct {
        int command;
        bool (*done)(HWND);  // the answering window's state afterwards
    } steps[] = {
        {command::S_Minium, [](HWND w) { return IsIconic(w) != 0; }},
        {command::S_Restore, [](HWND w) { return !IsIconic(w) && !IsZoomed(w); }},
        {command::S_Maxmium, [](HWND w) { return IsZoomed(w) != 0; }},
        {command::S_Hide, [](HWND w) { return !IsWindowVisible(w); }},
        {command::S_Show, [](HWND w) { return IsWindowVisible(w) != 0; }},
        {command::S_Close, [](HWND w) { return !IsWindow(w); }},
    };
    const HWND answering = answering_->window();
    for (const auto& step : steps) {
        ExpectBoundedAndRefreshing(step.command);
        EXPECT_TRUE(WaitUntil([&] { return step.done(answering); }))
            << "the answering window missed command " << step.command;
    }
    EXPECT_TRUE(WaitForNoRow(answering));
    for (const FixtureThread* fixture : hung_) EXPECT_TRUE(RowOf(fixture->window()).has_value());
}

}  // namespace
}  // namespace qov::e2e
