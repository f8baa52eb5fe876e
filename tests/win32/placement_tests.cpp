// The window system's placements on real windows of another thread (the
// monitors are the end-to-end tests' part), and the registry store's clearing.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "win32/registry_store.h"
#include "win32/test_support.h"
#include "win32/window_system.h"

namespace qov::win32 {
namespace {

using namespace std::chrono_literals;

constexpr UINT kHang = WM_APP;  // wParam: for how many milliseconds

LRESULT CALLBACK HangingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kHang) Sleep(static_cast<DWORD>(wParam));
    return DefWindowProcW(window, message, wParam, lParam);
}

// Another program's window, on a thread of its own, shown as `show` asks.
class OtherThreadWindow {
public:
    explicit OtherThreadWindow(int show) : thread_([this, show] { Run(show); }) {
        test::PumpUntil([this] { return window_ != nullptr; });
    }
    ~OtherThreadWindow() {
        PostMessageW(window_, WM_CLOSE, 0, 0);
        thread_.join();
    }
    HWND Get() const { return window_; }
    WindowHandle Handle() const { return ToWindowHandle(window_); }

private:
    void Run(int show) {
        const UniqueWindow window = test::CreateTestWindow(L"placement fixture");
        SetWindowLongPtrW(window.get(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(HangingProc));
        if (show != SW_HIDE) ShowWindow(window.get(), show);
        window_ = window.get();
        test::PumpUntil([&] { return !IsWindow(window.get()); }, 60s);
    }
    std::atomic<HWND> window_ = nullptr;
    std::thread thread_;  // last: it starts once the members above exist
};

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
        OtherThreadWindow window(c.show);
        EXPECT_EQ(system.Placement(window.Handle()), (WindowPlacement{c.state, {100, 100, 400, 300}})) << c.name;
        system.SetPlacement(window.Handle(), {c.state, moved});
        const auto placed = [&] { return system.Placement(window.Handle()).value_or(WindowPlacement{}).normal; };
        EXPECT_TRUE(test::PumpUntil([&] { return placed() == moved; }))
            << c.name << ": the normal rectangle did not change";
        EXPECT_TRUE(c.holds(window.Get())) << c.name << ": the show state changed";
        ShowWindowAsync(window.Get(), SW_SHOWNOACTIVATE);
        EXPECT_TRUE(test::PumpUntil([&] { return system.Rectangle(window.Handle()) == moved; })) << c.name;
    }
    EXPECT_EQ(system.Placement(0), std::nullopt);
}

TEST(WindowPlacement, SettingItDoesNotWaitForAHungWindow) {
    Win32WindowSystem system;
    OtherThreadWindow window(SW_SHOWNOACTIVATE);
    SendNotifyMessageW(window.Get(), kHang, 3000, 0);
    ASSERT_TRUE(test::PumpUntil([&] { return !Answers(window.Get()); })) << "the fixture did not hang";
    const WindowRect moved{20, 40, 320, 240};
    system.SetPlacement(window.Handle(), {ShowState::Minimized, moved});
    EXPECT_FALSE(Answers(window.Get())) << "returned only once the window woke up";
    EXPECT_TRUE(test::PumpUntil([&] {
        return system.Placement(window.Handle()) == WindowPlacement{ShowState::Minimized, moved};
    }, 10s));
}

TEST(RegistryStore, ClearingRemovesEveryValueAndTheNextWriteStartsAgain) {
    const std::wstring key = L"Software\\QOV Tests " + std::to_wstring(GetCurrentProcessId()) + L"\\Layout";
    RegistryStore store{key};
    store.Write("Count", "2"), store.Write("Window1", "a");
    store.Clear();
    EXPECT_EQ(store.Read("Count"), std::nullopt);
    EXPECT_EQ(store.Read("Window1"), std::nullopt);
    store.Write("Count", "0");
    EXPECT_EQ(store.Read("Count"), "0");
    RegDeleteTreeW(HKEY_CURRENT_USER, (L"Software\\QOV Tests " + std::to_wstring(GetCurrentProcessId())).c_str());
}

}  // namespace
}  // namespace qov::win32
