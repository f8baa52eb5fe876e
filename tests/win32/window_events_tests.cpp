// The window system's reports as the program receives them.
#include "win32/window_events.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "win32/test_support.h"
#include "win32/window_system.h"

namespace qov::win32 {
namespace {

using Report = std::pair<WindowEvent, WindowHandle>;

// Reports about a top-level window reach the receiver through the message
// loop; those about its controls do not. Wine raises only the creation of a
// window itself, so the others are raised here as Windows raises them.
TEST(WindowEvents, TopLevelWindowsAreReportedAndTheirControlsAreNot) {
    std::vector<Report> reports;
    const WindowEventHooks hooks([&](WindowEvent event, WindowHandle window) { reports.emplace_back(event, window); });
    ASSERT_TRUE(hooks.Hooked());
    const UniqueWindow window = test::CreateTestWindow(L"Reported");
    const HWND control = CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 10, 10, window.get(), nullptr, nullptr, nullptr);
    NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, control, OBJID_WINDOW, CHILDID_SELF);
    NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, window.get(), OBJID_CARET, CHILDID_SELF);
    NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, window.get(), OBJID_WINDOW, CHILDID_SELF);
    const Report renamed{WindowEvent::NameChanged, ToWindowHandle(window.get())};
    EXPECT_TRUE(test::PumpUntil([&] { return std::ranges::count(reports, renamed) == 1; }));
    EXPECT_TRUE(std::ranges::count(reports, Report{WindowEvent::Created, ToWindowHandle(window.get())}) == 1);
    EXPECT_TRUE(std::ranges::none_of(reports, [&](const Report& r) { return r.second == ToWindowHandle(control); }));
}

// The probe's window is made and gone at once, and never listed meanwhile.
TEST(WindowEvents, TheProbeWindowIsGoneAtOnce) {
    const WindowHandle probe = RunEventProbe();
    ASSERT_NE(probe, 0);
    EXPECT_FALSE(IsWindow(reinterpret_cast<HWND>(static_cast<std::intptr_t>(probe))));
}

}  // namespace
}  // namespace qov::win32
