// What the system decides about the secondary windows: their frames at each
// DPI, where they open, and the way Tab walks the settings dialog's pages.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "win32/test_support.h"
#include "win32/dialogs.h"
#include "win32/layout.h"

namespace qov::win32 {
namespace {

TEST(Layout, WindowSizeForClientIsTheScaledClientInsideTheSystemFrame) {
    constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
    for (UINT dpi : {96u, 144u, 192u}) {
        for (DWORD exStyle : {DWORD{0}, DWORD{WS_EX_DLGMODALFRAME}}) {
            RECT frame{};  // 6870 x 5370 twips are 458 x 358 pixels at 96 dpi
            ASSERT_TRUE(::AdjustWindowRectExForDpi(&frame, kStyle, FALSE, exStyle, dpi));
            const SIZE size = WindowSizeForClient(6870, 5370, kStyle, exStyle, false, dpi);
            EXPECT_EQ(size.cx, ::MulDiv(458, dpi, 96) + frame.right - frame.left) << dpi << " dpi";
            EXPECT_EQ(size.cy, ::MulDiv(358, dpi, 96) + frame.bottom - frame.top) << dpi << " dpi";
        }
    }
}

TEST(Dialogs, AboutBoxOpensCentredOnTheOwnersWorkAreaAndItsCloseBoxOnlyHidesIt) {
    UniqueWindow owner = test::CreateTestWindow(L"About box owner");
    AboutBox about(owner.get());
    about.Show();
    HWND box = about.Handle();
    RECT outer{};
    ::GetWindowRect(box, &outer);
    MONITORINFO monitor{sizeof(MONITORINFO), {}, {}, 0};
    const HMONITOR ownersMonitor = ::MonitorFromWindow(owner.get(), MONITOR_DEFAULTTONEAREST);
    ASSERT_TRUE(::GetMonitorInfoW(ownersMonitor, &monitor));
    EXPECT_NEAR(outer.left + outer.right, monitor.rcWork.left + monitor.rcWork.right, 1);
    EXPECT_NEAR(outer.top + outer.bottom, monitor.rcWork.top + monitor.rcWork.bottom, 1);

    ::SendMessageW(box, WM_CLOSE, 0, 0);
    EXPECT_TRUE(::IsWindow(box) && !::IsWindowVisible(box)) << "the close box must only hide it";
}

// The controls Tab reaches, from the first.
std::vector<std::wstring> TabStops(HWND dialog) {
    std::vector<std::wstring> stops;
    const HWND first = ::GetNextDlgTabItem(dialog, nullptr, FALSE);
    for (HWND item = first; item && stops.size() < 20;) {
        wchar_t text[80] = {};  // class names for controls without a caption
        if (!::GetWindowTextW(item, text, 80)) ::GetClassNameW(item, text, 80);
        stops.emplace_back(text);
        if ((item = ::GetNextDlgTabItem(dialog, item, FALSE)) == first) break;
    }
    return stops;
}

TEST(Dialogs, TabWalksTheShownSettingsPageAndTheButtonsBelowIt) {
    UniqueWindow owner = test::CreateTestWindow(L"Settings owner");
    Settings settings;
    SettingsDialog dialog(owner.get(), settings, {});
    dialog.Show();
    using Stops = std::vector<std::wstring>;
    EXPECT_EQ(TabStops(dialog.Handle()),
              (Stops{L"閉じる", L"キャンセル", L"タイトルがないウィンドウは表示しない", L"1秒",
                     L"QOVを常に手前に表示する（設定解除は次回起動時から有効）", WC_TABCONTROLW}));
    HWND tabs = ::FindWindowExW(dialog.Handle(), nullptr, WC_TABCONTROLW, nullptr);
    ::SendMessageW(tabs, TCM_SETCURFOCUS, 1, 0);  // as a click on "除外ウィンドウ" does
    EXPECT_EQ(TabStops(dialog.Handle()),
              (Stops{L"システムウィンドウを処理から除外する", L"以下のタイトルのウィンドウは処理からはずす",
                     WC_LISTBOXW, L"閉じる", L"キャンセル", L"追加", L"削除", WC_TABCONTROLW}));
}

}  // namespace
}  // namespace qov::win32
