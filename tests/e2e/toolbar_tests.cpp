// QOV's toolbar, clicked with the mouse: its buttons sit in two groups and
// each does what its menu item does.
#include <gtest/gtest.h>

#include <ostream>

#include "harness/qov_test.h"
#include "harness/remote_toolbar.h"
#include "harness/wait.h"

namespace qov::e2e {
namespace {

class Toolbar : public QovTest {
protected:
    std::vector<ToolbarButton> Buttons() {
        EXPECT_NE(qov().toolbar_window(), nullptr) << "no toolbar in the main window";
        return ReadToolbar(qov().toolbar_window(), qov().process()).value_or(std::vector<ToolbarButton>{});
    }
};

TEST_F(Toolbar, HoldsTheSingleAndMultiWindowGroupsBetweenSeparators) {
    ASSERT_NO_FATAL_FAILURE(StartQov());
    const std::vector<ToolbarButton> buttons = Buttons();
    ASSERT_EQ(buttons.size(), 19u);
    std::vector<int> separators;
    for (int position = 0; position < 19; ++position) {
        if (buttons[position].separator) separators.push_back(position);
        EXPECT_GT(buttons[position].rect.right, buttons[position].rect.left) << position;
    }
    EXPECT_EQ(separators, (std::vector<int>{5, 8, 10, 14, 17}));
}

struct ButtonCase {
    const char* name;
    int position;
    int initial_show;  // of both windows
    bool (*done)(HWND target, HWND bystander);
    UINT system_command;  // what the target must receive, or 0 for none

    friend std::ostream& operator<<(std::ostream& out, const ButtonCase& c) { return out << c.name; }
};

class ToolbarClick : public Toolbar, public testing::WithParamInterface<ButtonCase> {};

TEST_P(ToolbarClick, ActsLikeItsMenuItem) {
    const ButtonCase& c = GetParam();
    FixtureThread& target = AddFixture(FixtureOptions::Titled(L"Target Fixture", c.initial_show));
    FixtureThread& bystander =
        AddFixture(FixtureOptions::Titled(L"Bystander Fixture", c.initial_show));
    ASSERT_NO_FATAL_FAILURE(StartQov());
    ASSERT_TRUE(WaitForRow(target.window()));
    ASSERT_TRUE(WaitForRow(bystander.window()));
    ASSERT_TRUE(SelectRowOf(target.window()));
    const std::vector<ToolbarButton> buttons = Buttons();
    ASSERT_GT(buttons.size(), static_cast<std::size_t>(c.position));

    ClickToolbarButton(qov().toolbar_window(), buttons[c.position]);
    EXPECT_TRUE(WaitUntil([&] { return c.done(target.window(), bystander.window()); }));
    EXPECT_EQ(target.SysCommands(),
              c.system_command ? std::vector<UINT>{c.system_command} : std::vector<UINT>{});
}

bool Iconic(HWND w) { return IsIconic(w) != 0; }
bool Shown(HWND w) { return IsWindowVisible(w) != 0; }
bool Normal(HWND w) { return Shown(w) && !IsIconic(w) && !IsZoomed(w); }

INSTANTIATE_TEST_SUITE_P(
    E2e, ToolbarClick,
    testing::Values(
        ButtonCase{"Restore1", 0, SW_SHOWMINNOACTIVE,
                   [](HWND t, HWND b) { return Normal(t) && Iconic(b); }, 0},
        ButtonCase{"Min1", 3, SW_SHOWNOACTIVATE,
                   [](HWND t, HWND b) { return Iconic(t) && Normal(b); }, SC_MINIMIZE},
        ButtonCase{"Max1", 4, SW_SHOWNOACTIVATE,
                   [](HWND t, HWND b) { return IsZoomed(t) && Normal(b); }, SC_MAXIMIZE},
        ButtonCase{"Hide1", 6, SW_SHOWNOACTIVATE,
                   [](HWND t, HWND b) { return !Shown(t) && Normal(b); }, 0},
        ButtonCase{"Show1", 7, SW_HIDE, [](HWND t, HWND b) { return Shown(t) && !Shown(b); }, 0},
        ButtonCase{"Close1", 9, SW_SHOWNOACTIVATE,
                   [](HWND t, HWND b) { return !IsWindow(t) && Normal(b); }, SC_CLOSE},
        ButtonCase{"Min2", 12, SW_SHOWNOACTIVATE,
                   [](HWND t, HWND b) { return Iconic(t) && Iconic(b); }, 0},
        ButtonCase{"Hide2", 15, SW_SHOWNOACTIVATE,
                   [](HWND t, HWND b) { return !Shown(t) && !Shown(b); }, 0}),
    [](const testing::TestParamInfo<ButtonCase>& info) { return info.param.name; });

}  // namespace
}  // namespace qov::e2e
