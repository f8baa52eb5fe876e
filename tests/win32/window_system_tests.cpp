// The real window system against real windows: what the system decides.
#include "win32/window_system.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "win32/test_support.h"

namespace qov::win32 {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using test::CreateTestWindow;
using test::FixtureThread;

BOOL CALLBACK CollectHandle(HWND window, LPARAM handles) {
    reinterpret_cast<std::vector<WindowHandle>*>(handles)->push_back(ToWindowHandle(window));
    return TRUE;
}

// Windows are listed without EnumWindows, yet the list must be its list:
// message-only windows left out, other threads' windows in.
TEST(WindowSystem, EnumerationListsWhatEnumWindowsLists) {
    UniqueWindow top = CreateTestWindow(L"top level");
    UniqueWindow messageOnly{CreateWindowExW(0, L"STATIC", L"message only", 0, 0, 0, 0, 0,
                                             HWND_MESSAGE, nullptr, nullptr, nullptr)};
    FixtureThread other;
    ASSERT_TRUE(top && messageOnly);
    std::vector<WindowHandle> expected;
    EnumWindows(CollectHandle, reinterpret_cast<LPARAM>(&expected));
    std::vector<WindowHandle> listed;
    Win32WindowSystem().EnumerateWindows([&](WindowHandle window) { listed.push_back(window); });
    EXPECT_EQ(listed, expected);
    for (const HWND window : {top.get(), other.window()}) {
        EXPECT_EQ(std::count(listed.begin(), listed.end(), ToWindowHandle(window)), 1);
    }
}

// The reads take the style bits for the system's answers: they must follow
// every real change, made through the port on our own thread's window (whose
// system commands are called directly, not sent).
TEST(WindowSystem, ReadsBackEveryRealChangeOfShowState) {
    Win32WindowSystem system;
    UniqueWindow window = CreateTestWindow(L"メモ帳 - 無題");
    const WindowHandle handle = ToWindowHandle(window.get());
    EXPECT_EQ(system.Title(handle), "メモ帳 - 無題");
    const auto show = [&](ShowCommand c) { return [&, c] { system.Show(handle, c); }; };
    const auto send = [&](SystemCommand c) {
        return [&, c] { system.SendSystemCommand(handle, c); };
    };
    const struct {
        const char* name;
        std::function<void()> change;
        ShowState state;
        bool visible;
    } steps[] = {
        {"never shown", [] {}, ShowState::Normal, false},
        {"minimise", show(ShowCommand::Minimize), ShowState::Minimized, true},
        {"hide", show(ShowCommand::Hide), ShowState::Minimized, false},
        {"restore", show(ShowCommand::ShowNormal), ShowState::Normal, true},
        {"SC_MAXIMIZE", send(SystemCommand::Maximize), ShowState::Maximized, true},
        {"hide maximised", show(ShowCommand::Hide), ShowState::Maximized, false},
        {"SC_MINIMIZE", send(SystemCommand::Minimize), ShowState::Minimized, true},
    };
    for (const auto& step : steps) {
        step.change();
        EXPECT_EQ(system.GetShowState(handle), step.state) << step.name;
        EXPECT_EQ(system.IsVisible(handle), step.visible) << step.name;
    }
    system.SendSystemCommand(handle, SystemCommand::Close);
    (void)window.release();
    EXPECT_FALSE(system.Exists(handle));
    EXPECT_EQ(system.GetShowState(handle), ShowState::Unknown);
}

void CALLBACK CountTick(HWND, UINT, UINT_PTR ticks, DWORD) { ++*reinterpret_cast<int*>(ticks); }

TEST(WindowSystem, SystemCommandGivesUpOnAHungWindowWhileOurMessagesRun) {
    Win32WindowSystem system;
    FixtureThread target;
    const WindowHandle handle = ToWindowHandle(target.window());
    int ticks = 0;
    UniqueWindow own = CreateTestWindow(L"ticking");
    SetTimer(own.get(), reinterpret_cast<UINT_PTR>(&ticks), 50, CountTick);
    target.Hang(10s);
    auto start = Clock::now();
    system.SendSystemCommand(handle, SystemCommand::Maximize);
    EXPECT_LT(Clock::now() - start, 6500ms) << "waited past the bound for a hung window";
    EXPECT_FALSE(IsZoomed(target.window())) << "returned only when the target woke up";
    EXPECT_GT(ticks, 20) << "our own timer stopped while the command waited";

    // Once the system itself calls the window hung, a command does not wait.
    ASSERT_TRUE(test::PumpUntil([&] { return IsHungAppWindow(target.window()) != FALSE; }));
    start = Clock::now();
    system.SendSystemCommand(handle, SystemCommand::Minimize);
    EXPECT_LT(Clock::now() - start, 500ms) << "waited for a window known to be hung";
}

// A program that asks before closing keeps answering while its question is
// open, however long the user takes: here longer than a hung window is given.
TEST(WindowSystem, CloseReturnsOnlyOnceTheTargetsQuestionIsAnswered) {
    FixtureThread target(FixtureThread::Kind::AsksBeforeClosing);
    std::atomic<bool> answered = false;
    std::thread user([&] {
        HWND box = nullptr;
        for (int tries = 0; !box && tries < 250; ++tries, Sleep(20)) {
            box = FindWindowW(L"#32770", FixtureThread::kQuestionCaption);
        }
        std::this_thread::sleep_for(6s);
        answered = true;
        PostMessageW(box, WM_COMMAND, IDOK, 0);
    });
    Win32WindowSystem().SendSystemCommand(ToWindowHandle(target.window()), SystemCommand::Close);
    EXPECT_TRUE(answered) << "returned while the question was still open";
    EXPECT_FALSE(IsWindow(target.window())) << "the target did not close once answered";
    user.join();
}

}  // namespace
}  // namespace qov::win32
