// How the host's messages reach the toolbar object: clicks, drop-down
// presses, tooltip texts, relays to the auxiliary tooltip, and the hook's
// setting up and taking down.
#include <memory>
#include <string>
#include <vector>

#include "toolbar/subclass.h"
#include "win32/toolbar_test_support.h"

namespace qov::toolbar {
namespace {

using test_support::MessageRecorder;
using test_support::Pump;
using test_support::TestHost;

void AddButtons(cToolBar& bar, int count) {
    for (int i = 0; i < count; ++i)
        bar.ButtonsAdd("Key" + std::to_string(i), "tip " + std::to_string(i), "", 0, 0);
}

POINT CentreOf(const cToolBar& bar, int position) {
    RECT rect{};
    SendMessageW(bar.hwnd(), TB_GETITEMRECT, static_cast<WPARAM>(position),
                 reinterpret_cast<LPARAM>(&rect));
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

void ClickAt(HWND window, POINT at) {
    PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
    PostMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
    Pump();
}

// The owner's side: the indices its ButtonClick handler saw.
struct ClickLog {
    std::vector<int> clicks;
    void Attach(cToolBar& bar) {
        bar.ButtonClick = [this](std::int16_t index) { clicks.push_back(index); };
    }
};

// Wine moves the cursor asynchronously: wait until the move has arrived.
void MoveCursorTo(POINT target) {
    SetCursorPos(target.x, target.y);
    for (int attempt = 0; attempt < 200; ++attempt) {
        Pump();
        POINT now{};
        GetCursorPos(&now);
        if (now.x == target.x && now.y == target.y) return;
        Sleep(10);
    }
}

HWND AuxiliaryToolTipOfThisThread() {
    struct Search {
        std::vector<HWND> found;
    } search;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM param) -> BOOL {
            wchar_t name[64] = {};
            GetClassNameW(window, name, 64);
            if (lstrcmpiW(name, TOOLTIPS_CLASSW) == 0 && GetWindow(window, GW_OWNER) == nullptr)
                reinterpret_cast<Search*>(param)->found.push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found.size() == 1 ? search.found[0] : nullptr;
}

TEST(ToolBarRouting, RealClickRaisesButtonClickThenReachesTheHostsProcedure) {
    TestHost host;
    cToolBar bar;
    bar.SetPictureBox(host);
    AddButtons(bar, 5);
    ClickLog log;
    log.Attach(bar);

    ClickAt(bar.hwnd(), CentreOf(bar, 3));

    EXPECT_EQ(log.clicks, (std::vector<int>{3}));
    EXPECT_EQ(host.log.commands, (std::vector<WPARAM>{103}));
}

TEST(ToolBarRouting, ClickInsideTheOwnersHandlerRaisesNothingUntilItReturns) {
    TestHost host;
    cToolBar bar;
    bar.SetPictureBox(host);
    AddButtons(bar, 5);
    std::vector<int> clicks;
    bar.ButtonClick = [&](std::int16_t index) {
        clicks.push_back(index);
        if (clicks.size() == 1) SendMessageW(host.hwnd(), WM_COMMAND, 101, 0);
    };

    ClickAt(bar.hwnd(), CentreOf(bar, 2));
    EXPECT_EQ(clicks, (std::vector<int>{2}));
    // The nested command still reached the host, inside the outer one.
    EXPECT_EQ(host.log.commands, (std::vector<WPARAM>{101, 102}));

    SendMessageW(host.hwnd(), WM_COMMAND, 104, 0);
    EXPECT_EQ(clicks, (std::vector<int>{2, 4}));
}

TEST(ToolBarRouting, OnlyTheToolbarsCommandIdentifiersAreClicks) {
    TestHost host;
    cToolBar bar;
    bar.SetPictureBox(host);
    AddButtons(bar, 3);
    ClickLog log;
    log.Attach(bar);
    const WPARAM foreign[] = {0, 99, 103, 1000, MAKEWPARAM(100, 1), MAKEWPARAM(101, 0xFFFF)};
    for (WPARAM command : foreign) SendMessageW(host.hwnd(), WM_COMMAND, command, 0);
    EXPECT_TRUE(log.clicks.empty());
    EXPECT_EQ(host.log.commands.size(), std::size(foreign));

    SendMessageW(host.hwnd(), WM_COMMAND, 100, 0);
    SendMessageW(host.hwnd(), WM_COMMAND, 102, 0);
    EXPECT_EQ(log.clicks, (std::vector<int>{0, 2}));
}

TEST(ToolBarRouting, DropDownArrowReportsTheButtonsLowerLeftCornerInTwips) {
    TestHost host;
    cToolBar bar;
    bar.SetPictureBox(host);
    bar.ButtonsAdd("Plain", "", "", 0, 0);
    bar.ButtonsAdd("Menu", "", "", 5, 1);
    struct Press {
        int index = -1;
        float x = 0, y = 0;
    } press;
    bar.ButtonDropDown = [&](std::int16_t index, float x, float y) { press = {index, x, y}; };

    RECT rect{};
    SendMessageW(bar.hwnd(), TB_GETRECT, 101, reinterpret_cast<LPARAM>(&rect));
    ClickAt(bar.hwnd(), {rect.right - 3, (rect.top + rect.bottom) / 2});

    EXPECT_EQ(press.index, 1);
    EXPECT_EQ(press.x, static_cast<float>(rect.left) * TestHost::kTpp);
    EXPECT_EQ(press.y, static_cast<float>(rect.bottom) * TestHost::kTpp);
}

TEST(ToolBarRouting, TooltipTextIsTheButtonsTipOnlyWhileTheCursorIsOverTheToolbar) {
    TestHost host;
    cToolBar bar;
    bar.SetShowTips(false);  // the toolbar's own tooltip would pop up under the cursor
    bar.SetPictureBox(host);
    bar.ButtonsAdd("a", "first", "", 0, 0);
    bar.ButtonsAdd("b", "元のサイズに戻す", "", 0, 1);
    // Windows left by earlier tests must not cover the toolbar.
    SetWindowPos(host.Form(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetForegroundWindow(host.Form());
    Pump();
    const auto request = [&](UINT_PTR idFrom) {
        NMTTDISPINFOW info{};
        info.hdr.hwndFrom = bar.hwnd();
        info.hdr.idFrom = idFrom;
        info.hdr.code = TTN_GETDISPINFOW;
        SendMessageW(host.hwnd(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
        return info.lpszText == nullptr ? std::wstring(L"(none)") : std::wstring(info.lpszText);
    };

    POINT over = CentreOf(bar, 1);
    ClientToScreen(bar.hwnd(), &over);
    MoveCursorTo(over);
    ASSERT_EQ(WindowFromPoint(over), bar.hwnd()) << "the test's window is not on top";
    EXPECT_EQ(request(101), L"元のサイズに戻す");
    EXPECT_EQ(request(100), L"first");
    EXPECT_EQ(request(99), L"(none)");
    EXPECT_EQ(request(102), L"(none)");

    RECT form{};
    GetWindowRect(host.Form(), &form);
    // A point on the screen outside the test's window, wherever that lies.
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    const POINT away{form.right + 50 < screenWidth ? form.right + 50 : form.left / 2,
                     form.bottom + 50 < screenHeight ? form.bottom + 50 : form.top / 2};
    MoveCursorTo(away);
    ASSERT_NE(WindowFromPoint(away), bar.hwnd());
    // Wine moves the cursor asynchronously: the object may still see it over
    // the toolbar for a moment, so ask until the move has reached it.
    std::wstring answer = request(101);
    for (int attempt = 0; attempt < 100 && answer != L"(none)"; ++attempt) {
        Pump();
        Sleep(20);
        answer = request(101);
    }
    EXPECT_EQ(answer, L"(none)");
}

TEST(ToolBarRouting, MouseMessagesButDoubleClicksAreRelayedToTheAuxiliaryTooltip) {
    TestHost host;
    auto bar = std::make_unique<cToolBar>();
    bar->SetShowTips(false);
    bar->SetPictureBox(host);
    const HWND tooltip = AuxiliaryToolTipOfThisThread();
    ASSERT_NE(tooltip, nullptr);
    EXPECT_TRUE(GetWindowLongW(tooltip, GWL_EXSTYLE) & WS_EX_TOPMOST);

    const UINT sent[] = {WM_MOUSEMOVE,   WM_LBUTTONDOWN, WM_LBUTTONUP,
                         WM_LBUTTONDBLCLK, WM_RBUTTONDOWN, WM_RBUTTONUP,
                         WM_RBUTTONDBLCLK, WM_MBUTTONDOWN, WM_MBUTTONUP};
    std::vector<UINT> relayed;
    {
        MessageRecorder recorder(tooltip);
        for (UINT message : sent) SendMessageW(host.hwnd(), message, 0, MAKELPARAM(5, 5));
        for (const auto& entry : recorder.Of(TTM_RELAYEVENT)) relayed.push_back(entry.relayed);
    }
    EXPECT_EQ(relayed, (std::vector<UINT>{WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP,
                                          WM_RBUTTONDOWN, WM_RBUTTONUP, WM_MBUTTONDOWN,
                                          WM_MBUTTONUP}));
    bar.reset();
    EXPECT_FALSE(IsWindow(tooltip));
}

TEST(ToolBarRouting, PropertyIsNamedAfterTheHandleAsSigned32BitDecimal) {
    const struct {
        std::intptr_t handle;
        const wchar_t* name;
    } table[] = {
        {0x104A2, L"66722"},
        {0x1, L"1"},
        {static_cast<std::intptr_t>(static_cast<std::int32_t>(0x80001234)), L"-2147478988"},
        {static_cast<std::intptr_t>(-2), L"-2"},
    };
    for (const auto& row : table)
        EXPECT_EQ(basSubClass::PropertyName(reinterpret_cast<HWND>(row.handle)), row.name);
}

TEST(ToolBarRouting, HookHoldsWhileHostedAndIsGoneAfterTeardown) {
    TestHost host;
    const std::wstring name = basSubClass::PropertyName(host.hwnd());
    auto bar = std::make_unique<cToolBar>();
    bar->SetPictureBox(host);
    const HWND toolbarWindow = bar->hwnd();

    EXPECT_EQ(GetPropW(host.hwnd(), name.c_str()), bar.get());
    EXPECT_EQ(GetWindowLongPtrW(host.hwnd(), GWLP_WNDPROC),
              reinterpret_cast<LONG_PTR>(&basSubClass::SubClassWindowProc));

    bar.reset();
    EXPECT_EQ(GetPropW(host.hwnd(), name.c_str()), nullptr);
    EXPECT_EQ(GetWindowLongPtrW(host.hwnd(), GWLP_WNDPROC),
              reinterpret_cast<LONG_PTR>(host.originalProc));
    EXPECT_FALSE(IsWindow(toolbarWindow));
    EXPECT_EQ(AuxiliaryToolTipOfThisThread(), nullptr);
}

TEST(ToolBarRouting, ANewHostReleasesTheOldOneFirst) {
    TestHost first;
    TestHost second;
    cToolBar bar;
    bar.SetPictureBox(first);
    AddButtons(bar, 3);
    const HWND firstToolbar = bar.hwnd();

    bar.SetPictureBox(second);
    EXPECT_FALSE(IsWindow(firstToolbar));
    EXPECT_EQ(GetPropW(first.hwnd(), basSubClass::PropertyName(first.hwnd()).c_str()), nullptr);
    EXPECT_EQ(GetWindowLongPtrW(first.hwnd(), GWLP_WNDPROC),
              reinterpret_cast<LONG_PTR>(first.originalProc));
    EXPECT_EQ(GetPropW(second.hwnd(), basSubClass::PropertyName(second.hwnd()).c_str()), &bar);
    EXPECT_EQ(GetParent(bar.hwnd()), second.hwnd());
    EXPECT_EQ(bar.ButtonsCount(), 0);
    EXPECT_NE(AuxiliaryToolTipOfThisThread(), nullptr);  // exactly one: the old one is gone

    ClickLog log;
    log.Attach(bar);
    SendMessageW(first.hwnd(), WM_COMMAND, 100, 0);
    EXPECT_TRUE(log.clicks.empty());
}

TEST(ToolBarRouting, AHostDestroyedFirstLeavesTheObjectSafeToRelease) {
    auto host = std::make_unique<TestHost>();
    cToolBar bar;
    bar.SetPictureBox(*host);
    AddButtons(bar, 2);
    DestroyWindow(host->Form());
    EXPECT_EQ(bar.hwnd(), nullptr);
    EXPECT_EQ(bar.ButtonsCount(), 0);
}

}  // namespace
}  // namespace qov::toolbar
