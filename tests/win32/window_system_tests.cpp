// The ports' real implementations against the real system: the window
// system on real windows, the registry store, the locale's title match.
#include "win32/window_system.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "win32/registry_store.h"
#include "win32/text.h"
#include "win32/test_support.h"

namespace qov::win32 {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

constexpr auto kAnswerTime = 6s;  // longer than a silent window is waited for

// Windows are listed without EnumWindows, yet the list must be its list:
// message-only windows left out.
TEST(WindowSystem, EnumerationListsWhatEnumWindowsLists) {
    const UniqueWindow messageOnly{CreateWindowExW(0, L"STATIC", nullptr, 0, 0, 0, 0, 0,
                                                   HWND_MESSAGE, nullptr, nullptr, nullptr)};
    ASSERT_TRUE(messageOnly);
    std::vector<WindowHandle> expected, listed;
    EnumWindows([](HWND window, LPARAM list) {
        reinterpret_cast<std::vector<WindowHandle>*>(list)->push_back(ToWindowHandle(window));
        return TRUE;
    }, reinterpret_cast<LPARAM>(&expected));
    Win32WindowSystem().EnumerateWindows([&](WindowHandle window) { listed.push_back(window); });
    EXPECT_EQ(listed, expected);
}

// A thread stuck inside a handler answers nothing and is given up on; a
// program that asks before closing keeps answering while its question is
// open, however long the user takes. Our own messages run all the while.
TEST(WindowSystem, SystemCommandWaitsAsLongAsTheTargetAnswersAndNoLonger) {
    const test::OtherThreadWindow other(L"QOV fixture window", SW_SHOWNOACTIVATE, kAnswerTime);
    const HWND target = other.Get();
    const WindowHandle handle = ToWindowHandle(target);
    int ticks = 0;
    const UniqueWindow own = test::CreateTestWindow(L"ticking");
    SetTimer(own.get(), reinterpret_cast<UINT_PTR>(&ticks), 50,
             [](HWND, UINT, UINT_PTR counter, DWORD) { ++*reinterpret_cast<int*>(counter); });
    Win32WindowSystem system;
    SendNotifyMessageW(target, test::kHang, 8000, 0);  // taken before the command sent after it
    auto start = Clock::now();
    EXPECT_EQ(system.SendSystemCommand(handle, SystemCommand::Maximize), Outcome::Hung);
    EXPECT_LT(Clock::now() - start, 6500ms) << "waited past the bound for a hung window";
    EXPECT_FALSE(system.Responds(handle)) << "a hung window said it responds";
    EXPECT_FALSE(IsZoomed(target)) << "returned only when the target woke up";
    EXPECT_GT(ticks, 20) << "our own timer stopped while the command waited";
    EXPECT_TRUE(test::PumpUntil([&] { return IsZoomed(target) != FALSE; })) << "never woke up";
    EXPECT_TRUE(system.Responds(handle));
    ticks = 0;
    start = Clock::now();
    const Outcome closed = system.SendSystemCommand(handle, SystemCommand::Close);
    EXPECT_TRUE(closed == Outcome::Done || closed == Outcome::Gone);
    EXPECT_GE(Clock::now() - start, kAnswerTime) << "returned while the question was open";
    EXPECT_GT(ticks, 20) << "our own timer stopped while the question was open";
    EXPECT_FALSE(IsWindow(target)) << "the target did not close once answered";
}

// The topmost bit and the rectangle, read back after each change (the owning
// process is qovc's end-to-end test's part), and nothing of a window that is gone.
TEST(WindowSystem, ReadsBackTheTopmostStateAndRectangleAndNothingOfAGoneWindow) {
    Win32WindowSystem system;
    UniqueWindow window = test::CreateTestWindow(L"process");
    const WindowHandle handle = ToWindowHandle(window.get());
    EXPECT_FALSE(system.IsTopmost(handle));
    system.MakeTopmost(handle);
    EXPECT_TRUE(system.IsTopmost(handle));
    system.RemoveTopmost(handle);
    EXPECT_FALSE(system.IsTopmost(handle));
    EXPECT_EQ(system.SetRectangle(handle, {-50, 20, 250, 220}), Outcome::Done);
    EXPECT_EQ(system.Rectangle(handle), (WindowRect{-50, 20, 250, 220}));
    window.reset();
    EXPECT_EQ(system.SetRectangle(handle, {0, 0, 10, 10}), Outcome::Gone);
    EXPECT_EQ(system.MakeTopmost(handle), Outcome::Gone);
    EXPECT_EQ(system.ProcessId(handle), 0u);
    EXPECT_EQ(system.ProcessImagePath(handle), "");
}

TEST(RegistryStore, KeepsJapaneseTextAsRegSzReadsAnythingElseAsMissingAndClearsItsKey) {
    // A key of its own per run, so runs never see each other's values.
    const std::wstring key = L"Software\\QOV Tests " + std::to_wstring(GetCurrentProcessId());
    RegistryStore store{key};
    store.Write("Wnd1", "メモ帳 - 無題 𠮷");  // creates the key
    EXPECT_EQ(store.Read("Wnd1"), "メモ帳 - 無題 𠮷");
    DWORD type = 0;
    RegGetValueW(HKEY_CURRENT_USER, key.c_str(), L"Wnd1", RRF_RT_ANY | RRF_NOEXPAND, &type, nullptr,
                 nullptr);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    RegSetKeyValueW(HKEY_CURRENT_USER, key.c_str(), L"Binary", REG_BINARY, L"QOV", 8);
    const std::wstring huge(100000, L'x');
    RegSetKeyValueW(HKEY_CURRENT_USER, key.c_str(), L"Huge", REG_SZ, huge.c_str(),
                    static_cast<DWORD>((huge.size() + 1) * sizeof(wchar_t)));
    for (const char* name : {"Binary", "Huge", "Missing"})
        EXPECT_EQ(store.Read(name), std::nullopt) << name;
    store.Clear();
    EXPECT_EQ(store.Read("Wnd1"), std::nullopt);
    store.Write("Count", "0");  // the next write starts the key again
    EXPECT_EQ(store.Read("Count"), "0");
    RegDeleteTreeW(HKEY_CURRENT_USER, key.c_str());
}

TEST(TitleContains, IgnoresCaseAndWidthButNotKana) {
    const std::tuple<const char*, const char*, bool> cases[] = {
        {"untitled - notepad", "NotePad", true}, {"ÄRGER", "ärger", true},
        {"ＡＢＣ エディタ", "abc", true},        {"abc editor", "ＡＢＣ", true},
        {"ﾃｽﾄ", "テスト", true},                 {"Notepad", "pan", false},
        {"無題 - メモ帳", "帳簿", false},        {"ファイル", "ふぁいる", false},
    };
    for (const auto& [text, fragment, contains] : cases)
        EXPECT_EQ(TitleContains(text, fragment), contains) << fragment << " in " << text;
}

}  // namespace
}  // namespace qov::win32
