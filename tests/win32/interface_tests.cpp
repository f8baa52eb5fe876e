// The program's own windows where the real controls decide: the toolbar,
// where a dialog opens, what every window does with a DPI change, the box a
// failure shows.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <thread>
#include <vector>

#include "core/command_ids.h"
#include "win32/dialogs.h"
#include "win32/failure.h"
#include "win32/main_toolbar.h"
#include "win32/test_support.h"
#include "win32/toolbar/ctoolbar.h"
#include "win32/window_scaffold.h"

namespace qov::win32 {
namespace {

// The main toolbar in a shown stand-in for the main window.
class MainToolbarTest : public testing::Test {
protected:
    void SetUp() override {
        SetWindowPos(main.get(), HWND_TOPMOST, 100, 100, 700, 300, SWP_SHOWWINDOW);
        toolbar = std::make_unique<MainToolbar>(main.get());
    }
    toolbar::cToolBar& Bar() { return toolbar->Object(); }
    POINT CentreOf(int position) {  // in the toolbar's client area
        RECT rect{};
        SendMessageW(Bar().hwnd(), TB_GETITEMRECT, position, reinterpret_cast<LPARAM>(&rect));
        return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    }

    UniqueWindow main = test::CreateTestWindow(L"QOV toolbar test");
    std::unique_ptr<MainToolbar> toolbar;
};

// The toolbar reports a click to its host as the button's list index + 100. A
// command may close the main window and with it the toolbar object, so it
// waits in the main window's queue until the object's handler has returned;
// a click that comes while the handler runs is dropped.
TEST_F(MainToolbarTest, ClickPostsItsPositionsCommandButNotWhileAHandlerRuns) {
    const auto postCommand = Bar().ButtonClick;
    Bar().ButtonClick = [&](std::int16_t position) {
        postCommand(position);
        if (position != 1) SendMessageW(toolbar->Host(), WM_COMMAND, 100 + 1, 0);
    };
    for (const int position : {0, 9, 18}) {
        const POINT centre = CentreOf(position);
        SendMessageW(Bar().hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(centre.x, centre.y));
        SendMessageW(Bar().hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(centre.x, centre.y));
    }
    std::vector<int> posted;
    for (MSG command; PeekMessageW(&command, main.get(), WM_COMMAND, WM_COMMAND, PM_REMOVE);)
        posted.push_back(LOWORD(command.wParam));
    EXPECT_EQ(posted, (std::vector<int>{IDM_RESTORE, IDM_CLOSE, IDM_ALL_CLOSE}));
}

TEST(Dialogs, AboutBoxOpensCentredOnTheMainWindowsMonitor) {
    const UniqueWindow mainWindow = test::CreateTestWindow(L"Main window");
    AboutBox about(mainWindow.get());
    about.Show();
    EXPECT_NE(GetWindow(about.Handle(), GW_OWNER), mainWindow.get()) << "it would follow it down";
    RECT box{};
    GetWindowRect(about.Handle(), &box);
    MONITORINFO monitor{sizeof(MONITORINFO), {}, {}, 0};
    GetMonitorInfoW(MonitorFromWindow(mainWindow.get(), MONITOR_DEFAULTTONEAREST), &monitor);
    EXPECT_NEAR(box.left + box.right, monitor.rcWork.left + monitor.rcWork.right, 1);
    EXPECT_NEAR(box.top + box.bottom, monitor.rcWork.top + monitor.rcWork.bottom, 1);
}

// A bare window on the scaffold that records the resolutions it is dressed for.
class ScaffoldedWindow final : public WindowScaffold {
public:
    ScaffoldedWindow() {
        const WindowShape shape{L"Scaffold test", WS_OVERLAPPEDWINDOW, 0, {100, 100}, {300, 200}};
        if (!Create({L"QOV.ScaffoldTest"}, shape)) throw std::runtime_error("no test window");
    }
    using WindowScaffold::Attach;
    using WindowScaffold::Dpi;
    std::vector<UINT> dressedFor;

private:
    void OnDpiChanged(UINT dpi) override { dressedFor.push_back(dpi); }
};

TEST(WindowScaffold, ADpiChangeDressesTheAttachedWindowAnewAndGivesItTheSuggestedRectangle) {
    ScaffoldedWindow window;
    RECT suggested{40, 50, 640, 450};
    const auto changeDpi = [&](UINT dpi) {
        SendMessageW(window.Handle(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                     reinterpret_cast<LPARAM>(&suggested));
    };
    changeDpi(120);
    EXPECT_TRUE(window.dressedFor.empty()) << "before Attach the window is the system's";
    window.Attach();
    changeDpi(192);
    EXPECT_EQ(window.dressedFor, std::vector<UINT>{192});
    EXPECT_EQ(window.Dpi(), 192u);
    RECT now{};
    GetWindowRect(window.Handle(), &now);
    EXPECT_TRUE(EqualRect(&now, &suggested));
}

// An owner destroys its owned windows without asking their objects.
TEST(WindowScaffold, AWindowDestroyedBehindItsObjectsBackLeavesTheObjectNoHandle) {
    ScaffoldedWindow window;
    window.Attach();
    DestroyWindow(window.Handle());
    EXPECT_EQ(window.Handle(), nullptr);
}

// No exception may cross a window procedure: one that reaches Guarded is
// shown to the user, who answers here from another thread, and ends the
// message loop with exit code 1.
TEST(Failure, HandlerThatThrowsIsReportedAndEndsTheMessageLoopWithCode1) {
    std::wstring shown = L"(no box)";
    std::thread user([&] {
        HWND box = nullptr;
        for (int tries = 0; !box && tries < 250; ++tries, Sleep(20))
            box = FindWindowW(L"#32770", L"V O V");
        wchar_t text[200] = {};
        if (GetDlgItemTextW(box, 0xFFFF, text, 200)) shown = text;  // the box's message
        PostMessageW(box, WM_COMMAND, IDOK, 0);
    });
    const LRESULT result =
        Guarded([]() -> LRESULT { throw std::runtime_error("ツールバーを作れません"); });
    user.join();
    EXPECT_EQ(result, 0);
    EXPECT_NE(shown.find(L"ツールバーを作れません"), std::wstring::npos) << shown;
    MSG quit{};
    ASSERT_TRUE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the loop goes on";
    EXPECT_EQ(quit.wParam, 1u);
}

}  // namespace
}  // namespace qov::win32
