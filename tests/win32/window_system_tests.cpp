// The window-system layer against real top-level windows.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <climits>
#include <functional>
#include <string>
#include <vector>

#include "platform/win32/text_conversion.h"
#include "platform/win32/win32_window_system.h"
#include "platform/win32/window_handle.h"
#include "win32/test_windows.h"

namespace qov::win32 {
namespace {

using test::CreateTestWindow;
using test::WindowThread;

bool IsTopmost(HWND window) { return (GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

class WindowSystemTest : public testing::Test {
protected:
    WindowHandle Handle(const unique_hwnd& window) { return ToWindowHandle(window.get()); }

    Win32WindowSystem system_;
};

TEST(WindowHandleTest, ConvertsToHwndBySignExtensionAndBack) {
    struct Case {
        WindowHandle handle;
        std::uintptr_t hwnd;
    };
    const Case cases[] = {
        {0, 0},
        {0x10020, 0x10020},
        {-2, UINTPTR_MAX - 1},
        {INT32_MIN, static_cast<std::uintptr_t>(static_cast<std::intptr_t>(INT32_MIN))},
        {INT32_MAX, 0x7FFFFFFF},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(reinterpret_cast<std::uintptr_t>(ToHwnd(c.handle)), c.hwnd) << c.handle;
        EXPECT_EQ(ToWindowHandle(ToHwnd(c.handle)), c.handle);
    }
}

TEST_F(WindowSystemTest, ReadsShowStateAndVisibilityOfEachKindOfWindow) {
    struct Case {
        const char* name;
        std::vector<int> show_commands;  // applied in order after creation
        int show_state;
        bool visible;
    };
    const Case cases[] = {
        {"normal", {SW_SHOWNORMAL}, kShowStateNormal, true},
        {"minimised", {SW_SHOWMINIMIZED}, kShowStateMinimized, true},
        {"maximised", {SW_SHOWMAXIMIZED}, kShowStateMaximized, true},
        {"never shown", {}, kShowStateNormal, false},
        {"hidden while minimised", {SW_SHOWMINIMIZED, SW_HIDE}, kShowStateMinimized, false},
        {"hidden while maximised", {SW_SHOWMAXIMIZED, SW_HIDE}, kShowStateMaximized, false},
    };
    for (const Case& c : cases) {
        unique_hwnd window = CreateTestWindow(L"state");
        ASSERT_TRUE(window);
        for (int command : c.show_commands) ::ShowWindow(window.get(), command);
        EXPECT_EQ(system_.PlacementShowState(Handle(window)), c.show_state) << c.name;
        EXPECT_EQ(system_.IsVisible(Handle(window)), c.visible) << c.name;
        EXPECT_TRUE(system_.IsWindow(Handle(window))) << c.name;
        // The layer reads the style; the system's own calls must agree.
        WINDOWPLACEMENT placement{};
        placement.length = sizeof(placement);
        ASSERT_TRUE(GetWindowPlacement(window.get(), &placement));
        EXPECT_EQ(system_.PlacementShowState(Handle(window)), static_cast<int>(placement.showCmd))
            << c.name;
        EXPECT_EQ(system_.IsVisible(Handle(window)), IsWindowVisible(window.get()) != FALSE) << c.name;
    }
}

TEST_F(WindowSystemTest, ReadsTitlesAsUtf8CutAt254Units) {
    const std::string japanese = "日本語のタイトル — メモ帳";
    const std::string a254(254, 'a');
    std::string kana254;
    for (int i = 0; i < 254; ++i) kana254 += "あ";
    std::string kana300;
    for (int i = 0; i < 300; ++i) kana300 += "あ";
    // One unit, then pairs: the cut falls between the halves of a pair, and
    // the lone half left over reads as U+FFFD.
    std::string pairs_150 = "a";
    for (int i = 0; i < 150; ++i) pairs_150 += "𠮷";
    std::string pairs_cut = "a";
    for (int i = 0; i < 126; ++i) pairs_cut += "𠮷";
    pairs_cut += "\xEF\xBF\xBD";

    struct Case {
        std::string title;
        std::string expected;
    };
    const Case cases[] = {
        {"Untitled - Notepad", "Untitled - Notepad"},
        {japanese, japanese},
        {"", ""},
        {std::string(300, 'a'), a254},
        {kana300, kana254},
        {pairs_150, pairs_cut},
    };
    for (const Case& c : cases) {
        unique_hwnd window = CreateTestWindow(Utf8ToWide(c.title));
        ASSERT_TRUE(window);
        EXPECT_EQ(system_.WindowTitle(Handle(window)), c.expected) << c.title.substr(0, 40);
    }
}

TEST_F(WindowSystemTest, ReadsClassNameAndRectangle) {
    unique_hwnd window = CreateTestWindow(L"class");
    ASSERT_TRUE(window);
    EXPECT_EQ(system_.ClassName(Handle(window)), "QovTestWindow");
    EXPECT_EQ(system_.WindowRectangle(Handle(window)), (WindowRect{100, 100, 400, 300}));
}

TEST_F(WindowSystemTest, DestroyedWindowReadsAsGone) {
    unique_hwnd window = CreateTestWindow(L"gone");
    ::ShowWindow(window.get(), SW_SHOWNORMAL);
    const WindowHandle handle = Handle(window);
    window.reset();
    EXPECT_FALSE(system_.IsWindow(handle));
    EXPECT_FALSE(system_.IsVisible(handle));
    EXPECT_EQ(system_.PlacementShowState(handle), kShowStateUnknown);
    EXPECT_EQ(system_.WindowTitle(handle), "");
    EXPECT_EQ(system_.ClassName(handle), "");
    EXPECT_EQ(system_.WindowRectangle(handle), WindowRect{});
}

TEST_F(WindowSystemTest, EnumerationVisitsTopLevelWindowsAndStopsWhenAsked) {
    unique_hwnd first = CreateTestWindow(L"first");
    unique_hwnd second = CreateTestWindow(L"second");
    int seen_ours = 0;
    int visited = 0;
    system_.EnumerateWindows([&](WindowHandle handle) {
        ++visited;
        if (handle == Handle(first) || handle == Handle(second)) ++seen_ours;
        return true;
    });
    EXPECT_EQ(seen_ours, 2);
    EXPECT_GT(visited, 2);

    int visited_before_stop = 0;
    system_.EnumerateWindows([&](WindowHandle) {
        ++visited_before_stop;
        return false;
    });
    EXPECT_EQ(visited_before_stop, 1);
}

BOOL CALLBACK CollectHandle(HWND window, LPARAM handles) {
    reinterpret_cast<std::vector<WindowHandle>*>(handles)->push_back(ToWindowHandle(window));
    return TRUE;
}

// The layer lists windows without EnumWindows, so it must come out with the
// same set: message-only windows and child windows left out.
TEST_F(WindowSystemTest, EnumerationListsWhatEnumWindowsLists) {
    unique_hwnd top = CreateTestWindow(L"top level");
    unique_hwnd message_only{CreateWindowExW(0, L"STATIC", L"message only", 0, 0, 0, 0, 0,
                                             HWND_MESSAGE, nullptr, nullptr, nullptr)};
    unique_hwnd child{CreateWindowExW(0, L"STATIC", L"child", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10,
                                      top.get(), nullptr, nullptr, nullptr)};
    ASSERT_TRUE(message_only && child);

    std::vector<WindowHandle> expected;
    EnumWindows(CollectHandle, reinterpret_cast<LPARAM>(&expected));
    std::vector<WindowHandle> listed;
    system_.EnumerateWindows([&](WindowHandle handle) {
        listed.push_back(handle);
        return true;
    });
    EXPECT_EQ(listed, expected);
    EXPECT_EQ(std::count(listed.begin(), listed.end(), Handle(message_only)), 0);
    EXPECT_EQ(std::count(listed.begin(), listed.end(), Handle(child)), 0);
    EXPECT_EQ(std::count(listed.begin(), listed.end(), Handle(top)), 1);
}

TEST_F(WindowSystemTest, OperationsChangeOwnThreadsWindowAtOnce) {
    unique_hwnd window = CreateTestWindow(L"operations");
    unique_hwnd other = CreateTestWindow(L"other");
    ::ShowWindow(window.get(), SW_SHOWNORMAL);
    ::ShowWindow(other.get(), SW_SHOWNORMAL);
    const WindowHandle handle = Handle(window);
    const auto show = [&](ShowCommand c) { return [=, this] { system_.ShowWindow(handle, c); }; };
    const auto send = [&](SystemCommand c) {
        return [=, this] { system_.SendSystemCommand(handle, c); };
    };
    const struct {
        const char* name;
        std::function<void()> run;
        int show_state;
        bool visible;
    } steps[] = {
        {"minimise", show(ShowCommand::Minimize), kShowStateMinimized, true},
        {"hide", show(ShowCommand::Hide), kShowStateMinimized, false},
        {"show normal", show(ShowCommand::ShowNormal), kShowStateNormal, true},
        {"hide again", show(ShowCommand::Hide), kShowStateNormal, false},
        {"show", show(ShowCommand::Show), kShowStateNormal, true},
        {"SC_MINIMIZE", send(SystemCommand::Minimize), kShowStateMinimized, true},
        {"SC_MAXIMIZE", send(SystemCommand::Maximize), kShowStateMaximized, true},
    };
    for (const auto& step : steps) {
        step.run();
        EXPECT_EQ(system_.PlacementShowState(handle), step.show_state) << step.name;
        EXPECT_EQ(system_.IsVisible(handle), step.visible) << step.name;
    }

    system_.SetForegroundWindow(Handle(other));
    EXPECT_EQ(system_.ForegroundWindow(), Handle(other));
    system_.SetForegroundWindow(handle);
    EXPECT_EQ(system_.ForegroundWindow(), handle);
    ASSERT_FALSE(IsTopmost(window.get()));
    system_.MakeTopmost(handle);
    EXPECT_TRUE(IsTopmost(window.get()));

    system_.SendSystemCommand(handle, SystemCommand::Close);
    EXPECT_FALSE(system_.IsWindow(handle));
    (void)window.release();
}

// Every call must come back while the target's thread is still not taking
// messages: none of them may wait for it beyond the layer's timeout.
TEST(HungWindowTest, NoCallWaitsForAWindowThatStoppedAnswering) {
    constexpr UINT kTimeoutMs = 500;
    // Far above the timeout, far below the target's hang: a bound, not a speed.
    constexpr auto kBound = std::chrono::milliseconds(5000);
    Win32WindowSystem system(kTimeoutMs);
    WindowThread target(WindowThread::Start::Hung);
    ASSERT_NE(target.window(), nullptr);
    const WindowHandle handle = ToWindowHandle(target.window());

    struct Call {
        const char* name;
        std::function<void()> run;
    };
    const Call calls[] = {
        {"WindowTitle", [&] { (void)system.WindowTitle(handle); }},
        {"ClassName", [&] { (void)system.ClassName(handle); }},
        {"PlacementShowState", [&] { (void)system.PlacementShowState(handle); }},
        {"IsVisible", [&] { (void)system.IsVisible(handle); }},
        {"WindowRectangle", [&] { (void)system.WindowRectangle(handle); }},
        {"ShowWindow", [&] { system.ShowWindow(handle, ShowCommand::Minimize); }},
        {"MakeTopmost", [&] { system.MakeTopmost(handle); }},
        {"SetForegroundWindow", [&] { system.SetForegroundWindow(handle); }},
        {"SendSystemCommand", [&] { system.SendSystemCommand(handle, SystemCommand::Maximize); }},
        {"SendSystemCommand close", [&] { system.SendSystemCommand(handle, SystemCommand::Close); }},
    };
    for (const Call& call : calls) {
        const auto start = std::chrono::steady_clock::now();
        call.run();
        const auto elapsed = std::chrono::steady_clock::now() - start;
        EXPECT_TRUE(target.hung()) << call.name << " waited for the hung window";
        EXPECT_LT(elapsed, kBound) << call.name;
    }
}

}  // namespace
}  // namespace qov::win32
