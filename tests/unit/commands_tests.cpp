#include <gtest/gtest.h>

#include "core/commands.h"
#include "fakes/fake_desktop.h"
#include "fakes/fake_list.h"

namespace qov {
namespace {

using fakes::Operation;

// Rows: a visible window, a hidden one (selected), a minimised one and a
// cloaked one, which keeps WS_VISIBLE yet is hidden.
struct Scene {
    fakes::FakeDesktop desktop;
    fakes::FakeList list;
    Settings settings;
    WindowTable listed;
    WindowCommands commands{desktop, listed, list, settings};
    WindowHandle visible = desktop.Add(""), hidden = desktop.Add("", {.visible = false}),
                 minimised = desktop.Add("", {.state = ShowState::Minimized}), cloaked = desktop.Add("", {.cloaked = true});
    Scene() {
        for (WindowHandle w : {visible, hidden, minimised, cloaked}) listed.Append(w);
        list.selected = 2;
    }
};

TEST(WindowCommands, EachCommandMakesItsOperationOnItsWindows) {
    using enum Operation::Kind;
    // The system's values of SW_* and SC_*.
    constexpr int normal = 1, hide = 0, show = 5, minimize = 6;
    constexpr int size = 0xF000, move = 0xF010, sysMin = 0xF020, sysMax = 0xF030, close = 0xF060;
    const std::tuple<int, Operation::Kind, int, bool> cases[] = {  // id, operation, every target
        {IDM_RESTORE, Show, normal, false},          {IDM_MOVE, SystemCommand, move, false},
        {IDM_SIZE, SystemCommand, size, false},      {IDM_MINIMIZE, SystemCommand, sysMin, false},
        {IDM_MAXIMIZE, SystemCommand, sysMax, false}, {IDM_BRING_TO_FRONT, BringToFront, 0, false},
        {IDM_MAKE_TOPMOST, MakeTopmost, 0, false},   {IDM_HIDE, Show, hide, false},
        {IDM_SHOW, Show, show, false},               {IDM_CLOSE, SystemCommand, close, false},
        {IDM_ALL_RESTORE, Show, normal, true},       {IDM_ALL_MINIMIZE, Show, minimize, true},
        {IDM_ALL_MAXIMIZE, SystemCommand, sysMax, true}, {IDM_ALL_HIDE, Show, hide, true},
        {IDM_ALL_SHOW, Show, show, true},            {IDM_ALL_CLOSE, SystemCommand, close, true},
    };
    for (const auto& [id, kind, argument, everyTarget] : cases) {
        for (const int targetMode : {IDM_TARGET_VISIBLE, IDM_TARGET_ALL}) {
            Scene s;
            EXPECT_TRUE(s.commands.Run(targetMode) && s.commands.Run(id));
            const std::vector<WindowHandle> windows =
                !everyTarget                   ? std::vector{s.hidden}
                : targetMode == IDM_TARGET_VISIBLE ? std::vector{s.visible, s.minimised}
                                                 : std::vector{s.visible, s.hidden, s.minimised, s.cloaked};
            std::vector<Operation> expected;
            for (WindowHandle w : windows) expected.push_back({kind, argument, w});
            EXPECT_EQ(s.desktop.operations, expected) << id << " in mode " << targetMode;
            for (int row : {0, 5}) {  // no row, and a row past the table
                s.desktop.operations.clear(), s.list.selected = row;
                s.commands.Run(id);
                EXPECT_EQ(s.desktop.operations.size(), everyTarget ? expected.size() : 0) << id;
            }
        }
    }
    for (int other : {0, IDM_REFRESH, IDM_ABOUT}) EXPECT_FALSE(Scene().commands.Run(other));
}

// While a system command waits for its window, messages run: a second command
// is ignored, a refresh may change the table without moving the targets, and
// a window hidden meanwhile is no target any more.
TEST(WindowCommands, WhileOneWaitsOthersAreIgnoredAndTargetsHold) {
    Scene s;
    const WindowHandle appended = s.desktop.Add("appended");
    const WindowHandle hiddenLater = s.desktop.Add("hidden later");
    s.listed.Append(hiddenLater);
    s.desktop.duringOperation = [&] {
        if (s.desktop.operations.size() > 3) return;  // a command run inside would recurse
        EXPECT_TRUE(s.commands.Busy());
        EXPECT_TRUE(s.commands.Run(IDM_CLOSE));
        EXPECT_TRUE(s.commands.Run(IDM_TARGET_ALL));
        if (s.listed.Count() == 5) s.listed.RemoveAt(1), s.listed.Append(appended);
        s.desktop.windows[hiddenLater].visible = false;
    };
    s.commands.Run(IDM_ALL_MAXIMIZE);
    std::vector<WindowHandle> hit;
    for (const Operation& op : s.desktop.operations) hit.push_back(op.window);
    EXPECT_EQ(hit, (std::vector<WindowHandle>{s.visible, s.minimised}));
    EXPECT_TRUE(s.settings.showOnlyVisible);
    EXPECT_FALSE(s.commands.Busy());
}

}  // namespace
}  // namespace qov
