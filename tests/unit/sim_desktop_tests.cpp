#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/sim/sim_desktop.h"

namespace qov::sim {
namespace {

struct ShowCase {
    const char* name;
    int startState;
    bool startVisible;
    ShowCommand command;
    int expectedState;
    bool expectedVisible;
};

TEST(SimDesktopShowWindow, ChangesStateAndVisibilityLikeTheSystem) {
    const ShowCase cases[] = {
        {"hide keeps the state", kShowStateMaximized, true, ShowCommand::Hide, 3, false},
        {"show keeps a minimised state", kShowStateMinimized, false, ShowCommand::Show, 2, true},
        {"show normal restores a maximised window", 3, true, ShowCommand::ShowNormal, 1, true},
        {"show normal shows a hidden minimised one", 2, false, ShowCommand::ShowNormal, 1, true},
        {"minimise shows a hidden window as icon", 1, false, ShowCommand::Minimize, 2, true},
    };
    for (const ShowCase& c : cases) {
        SimDesktop desktop;
        const WindowHandle w = desktop.CreateWindow("w", "C", {}, c.startState, c.startVisible);
        desktop.ShowWindow(w, c.command);
        EXPECT_EQ(desktop.PlacementShowState(w), c.expectedState) << c.name;
        EXPECT_EQ(desktop.IsVisible(w), c.expectedVisible) << c.name;
    }
}

TEST(SimDesktopSystemCommand, MinimiseMaximiseAndMoveSizeMode) {
    SimDesktop desktop;
    const WindowHandle w = desktop.CreateWindow("w", "C");
    desktop.SendSystemCommand(w, SystemCommand::Maximize);
    EXPECT_EQ(desktop.PlacementShowState(w), kShowStateMaximized);
    desktop.SendSystemCommand(w, SystemCommand::Minimize);
    EXPECT_EQ(desktop.PlacementShowState(w), kShowStateMinimized);
    desktop.SendSystemCommand(w, SystemCommand::Size);
    EXPECT_EQ(desktop.Window(w)->moveSizeMode, 0xF000u);
    desktop.SendSystemCommand(w, SystemCommand::Move);
    EXPECT_EQ(desktop.Window(w)->moveSizeMode, 0xF010u);
}

TEST(SimDesktopSystemCommand, CloseDestroysAndClearsTheForeground) {
    SimDesktop desktop;
    const WindowHandle other = desktop.CreateWindow("other", "C");
    const WindowHandle w = desktop.CreateWindow("w", "C");
    desktop.SetForegroundWindow(w);
    ASSERT_EQ(desktop.ForegroundWindow(), w);
    desktop.SendSystemCommand(w, SystemCommand::Close);
    EXPECT_FALSE(desktop.IsWindow(w));
    EXPECT_EQ(desktop.ForegroundWindow(), 0);
    EXPECT_EQ(desktop.WindowTitle(w), "");
    EXPECT_EQ(desktop.PlacementShowState(w), kShowStateUnknown);
    EXPECT_TRUE(desktop.IsWindow(other));
}

TEST(SimDesktopSystemCommand, HungWindowIgnoresCommandsAndCostsTheTimeout) {
    SimDesktop desktop;
    const WindowHandle w = desktop.CreateWindow("busy", "C");
    desktop.SetNotResponding(w, true);
    desktop.SendSystemCommand(w, SystemCommand::Close);
    desktop.SendSystemCommand(w, SystemCommand::Minimize);
    EXPECT_TRUE(desktop.IsWindow(w));
    EXPECT_EQ(desktop.PlacementShowState(w), kShowStateNormal);
    EXPECT_EQ(desktop.WaitedMilliseconds(), 2 * SimDesktop::kHungWindowTimeoutMs);
    EXPECT_EQ(desktop.WindowTitle(w), "busy");  // reads do not need its thread
    ASSERT_EQ(desktop.Changes().size(), 2u);
    EXPECT_FALSE(desktop.Changes()[0].applied);
}

TEST(SimDesktopChanges, LogNamesTheTargetOfEachCommand) {
    SimDesktop desktop;
    const WindowHandle a = desktop.CreateWindow("a", "C");
    const WindowHandle b = desktop.CreateWindow("b", "C");
    desktop.MakeTopmost(b);
    desktop.ShowWindow(a, ShowCommand::Hide);
    desktop.SetForegroundWindow(0x7FFF0000);
    const std::vector<DesktopChange> expected = {
        {DesktopChange::Kind::MakeTopmost, b, 0, true},
        {DesktopChange::Kind::ShowWindow, a, 0, true},
        {DesktopChange::Kind::SetForeground, 0x7FFF0000, 0, false},
    };
    EXPECT_EQ(desktop.Changes(), expected);
    EXPECT_TRUE(desktop.Window(b)->topmost);
    EXPECT_FALSE(desktop.Window(a)->topmost);
    EXPECT_EQ(desktop.Calls().Changes(), 3);
}

TEST(SimDesktopText, TitlesAreCutAt254Utf16Units) {
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

TEST(SimDesktopEnumeration, NewestFirstAndHandlesNeverReused) {
    SimDesktop desktop;
    const WindowHandle a = desktop.CreateWindow("a", "C");
    const WindowHandle b = desktop.CreateWindow("b", "C");
    desktop.DestroyWindow(b);
    const WindowHandle c = desktop.CreateWindow("c", "C");
    EXPECT_EQ(a, SimDesktop::kFirstHandle);
    EXPECT_GT(c, b);
    std::vector<WindowHandle> seen;
    desktop.EnumerateWindows([&](WindowHandle w) { seen.push_back(w); return true; });
    EXPECT_EQ(seen, (std::vector<WindowHandle>{c, a}));
}

TEST(SimDesktopEnumeration, StopsWhenTheCallbackSaysSo) {
    SimDesktop desktop;
    for (int i = 0; i < 5; ++i) desktop.CreateWindow("w", "C");
    int visits = 0;
    desktop.EnumerateWindows([&](WindowHandle) { return ++visits < 2; });
    EXPECT_EQ(visits, 2);
    EXPECT_EQ(desktop.Calls().windowsVisited, 2);
}

TEST(SimDesktopEnumeration, HookCanDisturbTheDesktopMidway) {
    SimDesktop desktop;
    const WindowHandle oldest = desktop.CreateWindow("oldest", "C");
    const WindowHandle middle = desktop.CreateWindow("middle", "C");
    const WindowHandle newest = desktop.CreateWindow("newest", "C");
    desktop.onEnumerate = [&](WindowHandle w) {
        if (w == newest) {
            desktop.DestroyWindow(oldest);  // later in the list: skipped
            desktop.CreateWindow("late", "C");  // created after listing: not visited
        }
        if (w == middle) desktop.DestroyWindow(middle);  // dies just before its callback
    };
    std::vector<WindowHandle> seen;
    std::vector<bool> alive;
    desktop.EnumerateWindows([&](WindowHandle w) {
        seen.push_back(w);
        alive.push_back(desktop.IsWindow(w));
        return true;
    });
    EXPECT_EQ(seen, (std::vector<WindowHandle>{newest, middle}));
    EXPECT_EQ(alive, (std::vector<bool>{true, false}));
}

TEST(SimDesktopCalls, CountEachReadAndReset) {
    SimDesktop desktop;
    const WindowHandle w = desktop.CreateWindow("w", "C");
    desktop.WindowTitle(w);
    desktop.WindowTitle(w);
    desktop.ClassName(w);
    desktop.WindowRectangle(w);
    EXPECT_EQ(desktop.Calls().windowTitle, 2);
    EXPECT_EQ(desktop.Calls().Reads(), 4);
    desktop.ResetCalls();
    EXPECT_EQ(desktop.Calls().Reads(), 0);
}

TEST(SimDesktopForeground, HidingOrMinimisingTheActiveWindowDeactivatesIt) {
    SimDesktop desktop;
    const WindowHandle w = desktop.CreateWindow("w", "C");
    desktop.SetForeground(w);
    desktop.ShowWindow(w, ShowCommand::Hide);
    EXPECT_EQ(desktop.ForegroundWindow(), 0);
    desktop.SetForeground(w);
    desktop.SendSystemCommand(w, SystemCommand::Minimize);
    EXPECT_EQ(desktop.ForegroundWindow(), 0);
}

}  // namespace
}  // namespace qov::sim
