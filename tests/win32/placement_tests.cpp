// The window system's placements on real windows of another thread, and
// what it says of the monitors (where windows go on them is the end-to-end
// tests' part).
#include <gtest/gtest.h>

#include "win32/test_support.h"
#include "win32/window_system.h"

namespace qov::win32 {
namespace {

using namespace std::chrono_literals;
using test::OtherThreadWindow;

WindowHandle HandleOf(const OtherThreadWindow& window) { return ToWindowHandle(window.Get()); }

bool Answers(HWND w) { return SendMessageTimeoutW(w, WM_NULL, 0, 0, SMTO_NORMAL, 1, nullptr) != 0; }

// Each show state is kept while only the normal rectangle changes, and a
// hidden window is not shown; the window goes to that rectangle when restored.
TEST(WindowPlacement, ANewNormalRectangleKeepsTheShowStateAndVisibility) {
    const struct {
        const char* name;
        int show;
        ShowState state;
        bool (*holds)(HWND);
    } cases[] = {
        {"normal", SW_SHOWNOACTIVATE, ShowState::Normal, [](HWND w) { return IsWindowVisible(w) && !IsIconic(w); }},
        {"minimised", SW_SHOWMINNOACTIVE, ShowState::Minimized, [](HWND w) { return IsIconic(w) != FALSE; }},
        {"maximised", SW_SHOWMAXIMIZED, ShowState::Maximized, [](HWND w) { return IsZoomed(w) != FALSE; }},
        {"hidden", SW_HIDE, ShowState::Normal, [](HWND w) { return !IsWindowVisible(w); }},
    };
    Win32WindowSystem system;
    const WindowRect moved{-200, 30, 200, 330};  // left of the screen is a place too
    for (const auto& c : cases) {
        OtherThreadWindow window(L"placement fixture", c.show);
        EXPECT_EQ(system.Placement(HandleOf(window)), (WindowPlacement{c.state, {100, 100, 400, 300}})) << c.name;
        system.SetPlacement(HandleOf(window), {c.state, moved});
        const auto placed = [&] { return system.Placement(HandleOf(window)).value_or(WindowPlacement{}).normal; };
        EXPECT_TRUE(test::PumpUntil([&] { return placed() == moved; }))
            << c.name << ": the normal rectangle did not change";
        EXPECT_TRUE(c.holds(window.Get())) << c.name << ": the show state changed";
        ShowWindowAsync(window.Get(), SW_SHOWNOACTIVATE);
        EXPECT_TRUE(test::PumpUntil([&] { return system.Rectangle(HandleOf(window)) == moved; })) << c.name;
    }
    EXPECT_EQ(system.Placement(0), std::nullopt);
}

TEST(WindowPlacement, SettingItDoesNotWaitForAHungWindow) {
    Win32WindowSystem system;
    OtherThreadWindow window(L"placement fixture");
    SendNotifyMessageW(window.Get(), test::kHang, 3000, 0);
    ASSERT_TRUE(test::PumpUntil([&] { return !Answers(window.Get()); })) << "the fixture did not hang";
    const WindowRect moved{20, 40, 320, 240};
    system.SetPlacement(HandleOf(window), {ShowState::Minimized, moved});
    EXPECT_FALSE(Answers(window.Get())) << "returned only once the window woke up";
    EXPECT_TRUE(test::PumpUntil([&] {
        return system.Placement(HandleOf(window)) == WindowPlacement{ShowState::Minimized, moved};
    }, 10s));
}

// Under Wine all in steps; on Windows its placement is set once more at the end.
TEST(WindowPlacement, AMaximisedWindowMovedToAnotherPlaceEndsMaximisedWithThatNormalPlace) {
    Win32WindowSystem system;
    OtherThreadWindow window(L"placement fixture", SW_SHOWMAXIMIZED);
    const WindowRect moved{150, 120, 550, 420};
    EXPECT_EQ(system.MoveMaximized(HandleOf(window), moved), Outcome::Done);
    EXPECT_TRUE(test::PumpUntil([&] {
        return IsZoomed(window.Get()) && system.Placement(HandleOf(window)) == WindowPlacement{ShowState::Maximized, moved};
    })) << "left " << (IsZoomed(window.Get()) ? "maximised" : "not maximised");
    ShowWindowAsync(window.Get(), SW_SHOWNOACTIVATE);
    EXPECT_TRUE(test::PumpUntil([&] { return system.Rectangle(HandleOf(window)) == moved; }));
}

// A saved layout names each window's monitor by these.
TEST(Monitors, EachHasItsDeviceNameAndTheDpiOfItsScale) {
    const std::vector<Monitor> monitors = Win32WindowSystem().Monitors();
    ASSERT_FALSE(monitors.empty());
    for (const Monitor& monitor : monitors) {
        EXPECT_TRUE(monitor.device.starts_with("\\\\.\\DISPLAY")) << monitor.device;
        EXPECT_EQ(monitor.dpi, 96) << monitor.device << ": Xvfb's screen is at 100%";
    }
}

}  // namespace
}  // namespace qov::win32
