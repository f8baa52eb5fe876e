#include <gtest/gtest.h>

#include "core/commands.h"
#include "fakes/fake_desktop.h"
#include "fakes/fake_list.h"

namespace qov {
namespace {

using fakes::Operation;

// Rows: a visible window, a hidden one (selected) and a minimised one.
struct Scene {
    fakes::FakeDesktop desktop;
    fakes::FakeList list;
    Settings settings;
    WindowTable listed;
    WindowCommands commands{desktop, listed, list, settings};
    WindowHandle visible = desktop.Add("visible"), hidden = desktop.Add("hidden", {.visible = false}),
                 minimised = desktop.Add("minimised", {.state = ShowState::Minimized});
    Scene() {
        for (WindowHandle w : {visible, hidden, minimised}) listed.Append(w);
        list.selected = 2;
    }
};

TEST(WindowCommands, EachCommandMakesItsOperationOnItsWindows) {
    using enum Operation::Kind;
    constexpr int normal = 1, hide = 0, show = 5, minimize = 6;
    constexpr int size = 0xF000, move = 0xF010, sysMin = 0xF020, sysMax = 0xF030, close = 0xF060;
    const struct {
        int id;
        Operation::Kind kind;
        int argument;
        bool everyTarget;
    } cases[] = {
        {IDM_RESTORE, Show, normal, false},          {IDM_MOVE, SystemCommand, move, false},
        {IDM_SIZE, SystemCommand, size, false},      {IDM_MINIMIZE, SystemCommand, sysMin, false},
        {IDM_MAXIMIZE, SystemCommand, sysMax, false}, {IDM_BRING_TO_FRONT, BringToFront, 0, false},
        {IDM_MAKE_TOPMOST, MakeTopmost, 0, false},   {IDM_HIDE, Show, hide, false},
        {IDM_SHOW, Show, show, false},               {IDM_CLOSE, SystemCommand, close, false},
        {IDM_ALL_RESTORE, Show, normal, true},       {IDM_ALL_MINIMIZE, Show, minimize, true},
        {IDM_ALL_MAXIMIZE, SystemCommand, sysMax, true}, {IDM_ALL_HIDE, Show, hide, true},
        {IDM_ALL_SHOW, Show, show, true},            {IDM_ALL_CLOSE, SystemCommand, close, true},
    };
    for (const auto& c : cases) {
        for (const bool onlyVisible : {true, false}) {
            Scene s;
            s.settings.showOnlyVisible = onlyVisible;
            EXPECT_TRUE(s.commands.Run(c.id));
            const std::vector<WindowHandle> windows =
                !c.everyTarget ? std::vector{s.hidden}
                : onlyVisible  ? std::vector{s.visible, s.minimised}
                               : std::vector{s.visible, s.hidden, s.minimised};
            std::vector<Operation> expected;
            for (WindowHandle w : windows) expected.push_back({c.kind, c.argument, w});
            EXPECT_EQ(s.desktop.operations, expected) << c.id << (onlyVisible ? " visible" : " all");
            EXPECT_EQ(s.desktop.visibilityReads, c.everyTarget ? 3 : 0) << c.id;
            for (int row : {0, 4}) {  // no row, and a row past the table
                s.desktop.operations.clear(), s.list.selected = row;
                s.commands.Run(c.id);
                EXPECT_TRUE(c.everyTarget || s.desktop.operations.empty()) << c.id;
            }
        }
    }
}

TEST(WindowCommands, ToolbarPositionsAndTargetModeChoices) {
    const int expected[kToolbarPositions] = {
        IDM_RESTORE, IDM_MOVE, IDM_SIZE, IDM_MINIMIZE, IDM_MAXIMIZE, 0, IDM_HIDE,
        IDM_SHOW, 0, IDM_CLOSE, 0, IDM_ALL_RESTORE, IDM_ALL_MINIMIZE, IDM_ALL_MAXIMIZE,
        0, IDM_ALL_HIDE, IDM_ALL_SHOW, 0, IDM_ALL_CLOSE};
    for (int position = 0; position < kToolbarPositions; ++position)
        EXPECT_EQ(CommandAtToolbarPosition(position), expected[position]) << position;
    for (int outside : {-1, kToolbarPositions, 32767}) EXPECT_EQ(CommandAtToolbarPosition(outside), 0);
    Scene s;
    EXPECT_TRUE(s.commands.Run(IDM_TARGET_ALL));
    EXPECT_FALSE(s.settings.showOnlyVisible);
    EXPECT_TRUE(s.commands.Run(IDM_TARGET_VISIBLE));
    EXPECT_TRUE(s.settings.showOnlyVisible);
    for (int other : {0, IDM_REFRESH, IDM_SETTINGS, IDM_ABOUT}) EXPECT_FALSE(s.commands.Run(other));
    EXPECT_TRUE(s.desktop.operations.empty());
}

// While a system command waits for its window, messages run: a second command
// is ignored, and a refresh may change the table without moving the targets.
TEST(WindowCommands, WhileOneWaitsOthersAreIgnoredAndTargetsHold) {
    Scene s;
    const WindowHandle appended = s.desktop.Add("appended");
    s.desktop.duringOperation = [&](WindowHandle) {
        if (s.desktop.operations.size() > 3) return;  // a command run inside would recurse
        EXPECT_TRUE(s.commands.Busy());
        EXPECT_TRUE(s.commands.Run(IDM_CLOSE));
        EXPECT_TRUE(s.commands.Run(IDM_TARGET_ALL));
        if (s.listed.Count() == 3) s.listed.RemoveAt(1), s.listed.Append(appended);
    };
    s.commands.Run(IDM_ALL_MAXIMIZE);
    std::vector<WindowHandle> hit;
    for (const Operation& op : s.desktop.operations) hit.push_back(op.window);
    EXPECT_EQ(hit, (std::vector<WindowHandle>{s.visible, s.minimised}));
    EXPECT_TRUE(s.settings.showOnlyVisible);
    EXPECT_FALSE(s.commands.Busy());
}

TEST(ProgramFolder, FolderOfTheProgramFileRootsKeepTheirSeparator) {
    const std::pair<const char*, const char*> cases[] = {
        {"C:\\Tools\\qov.exe", "C:\\Tools"}, {"C:\\qov.exe", "C:\\"}, {"qov.exe", ""},
        {"C:/Tools/qov.exe", "C:/Tools"}, {"C:/qov.exe", "C:/"}, {"\\\\h\\s\\qov.exe", "\\\\h\\s"},
    };
    for (const auto& [path, folder] : cases) EXPECT_EQ(ProgramFolder(path), folder) << path;
}

}  // namespace
}  // namespace qov
