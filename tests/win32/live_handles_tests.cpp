// The live-handle counts kept by the owning handle types, and their answer
// to another process's query through any form of the program.
#include <windows.h>

#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <functional>
#include <thread>
#include <vector>

#include "forms_test_support.h"
#include "platform/win32/live_handles.h"
#include "platform/win32/window_handle.h"

namespace qov::win32::testing {
namespace {

// The change of every kind's count across `step`.
std::array<long, kHandleKinds> CountChange(const std::function<void()>& step) {
    std::array<long, kHandleKinds> before{};
    for (int k = 0; k < kHandleKinds; ++k) before[k] = LiveHandles::Count(static_cast<HandleKind>(k));
    step();
    std::array<long, kHandleKinds> change{};
    for (int k = 0; k < kHandleKinds; ++k)
        change[k] = LiveHandles::Count(static_cast<HandleKind>(k)) - before[k];
    return change;
}

std::array<long, kHandleKinds> Only(HandleKind kind, long change) {
    std::array<long, kHandleKinds> changes{};
    changes[static_cast<int>(kind)] = change;
    return changes;
}

TEST(LiveHandles, EachWayOfTakingAndGivingUpAHandleIsCounted) {
    const struct {
        const char* name;
        std::function<void()> step;
        std::array<long, kHandleKinds> change;
    } cases[] = {
        {"a held menu", [] { static unique_hmenu held; held.reset(CreateMenu()); },
         Only(HandleKind::Menu, 1)},
        {"created and freed", [] { unique_hmenu menu(CreatePopupMenu()); }, {}},
        {"replaced by reset", [] { unique_hmenu m(CreateMenu()); m.reset(CreateMenu()); }, {}},
        {"released", [] {
             unique_hmenu menu(CreateMenu());
             DestroyMenu(menu.release());
         }, {}},
        {"moved", [] {
             unique_hfont font(CreateFontW(12, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, L"Tahoma"));
             unique_hfont other = std::move(font);
             font = std::move(other);
         }, {}},
        {"written through put", [] {
             static unique_hkey key;
             RegOpenKeyExW(HKEY_CURRENT_USER, L"Software", 0, KEY_READ, key.put());
         }, Only(HandleKind::RegistryKey, 1)},
        {"a failed creation", [] { unique_hwnd none(nullptr); unique_hicon no_icon; }, {}},
        {"an event", [] { unique_kernel_handle e(CreateEventW(nullptr, TRUE, FALSE, nullptr)); }, {}},
    };
    for (const auto& c : cases) EXPECT_EQ(CountChange(c.step), c.change) << c.name;
}

TEST(LiveHandles, CountsFollowHandlesHeldOnOtherThreads) {
    const long before = LiveHandles::Count(HandleKind::GdiObject);
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([] {
            for (int i = 0; i < 200; ++i) unique_hbrush brush(CreateSolidBrush(RGB(i, 0, 0)));
        });
    }
    for (std::thread& thread : threads) thread.join();
    EXPECT_EQ(LiveHandles::Count(HandleKind::GdiObject), before);
}

using LiveHandleQuery = ToolkitTest;

TEST_F(LiveHandleQuery, AFormAnswersWithTheCountOfTheKindAsked) {
    auto form = MakeForm();
    const HWND window = ToHwnd(form->Handle());
    const UINT query = RegisterWindowMessageW(kLiveHandlesMessage);
    ASSERT_NE(query, 0u);
    unique_hmenu menus[3] = {unique_hmenu(CreateMenu()), unique_hmenu(CreateMenu()),
                             unique_hmenu(CreateMenu())};
    // Sent from another thread, the way another process asks.
    auto ask = [&](WPARAM kind) {
        LRESULT answer = 0;
        std::atomic<bool> answered{false};
        std::thread asker([&] {
            DWORD_PTR result = 0;
            SendMessageTimeoutW(window, query, kind, 0, SMTO_NORMAL, 5000, &result);
            answer = static_cast<LRESULT>(result);
            answered = true;
        });
        PumpUntil([&] { return answered.load(); });
        asker.join();
        return answer;
    };
    EXPECT_EQ(ask(static_cast<WPARAM>(HandleKind::Menu)), LiveHandles::Count(HandleKind::Menu));
    EXPECT_GE(LiveHandles::Count(HandleKind::Menu), 3);
    EXPECT_EQ(ask(kHandleKinds), -1) << "a kind that does not exist";
}

}  // namespace
}  // namespace qov::win32::testing
