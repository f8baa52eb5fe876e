// The toolbar object and the main toolbar on the real common controls, and
// the program's pictures against the committed icon file.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <vector>

#include "core/commands.h"
#include "win32/test_support.h"
#include "win32/main_toolbar.h"
#include "win32/pictures.h"
#include "win32/toolbar/ctoolbar.h"

namespace qov::win32 {
namespace {

using namespace std::chrono_literals;
using toolbar::cToolBar;
using toolbar::ToolBarError;

// Wine moves the cursor asynchronously, and pointer events the X server
// still delivers can move it back: set it until it stays.
void MoveCursorTo(POINT to) {
    for (int settled = 0, attempt = 0; settled < 3 && attempt < 100; ++attempt) {
        POINT now{};
        GetCursorPos(&now);
        settled = now.x == to.x && now.y == to.y ? settled + 1 : 0;
        if (settled == 0) SetCursorPos(to.x, to.y);
        test::PumpUntil([] { return false; }, 30ms);
    }
}

// The main toolbar in a stand-in for the main window, which records each
// WM_COMMAND and hands it to onCommand.
class MainToolbarTest : public testing::Test {
protected:
    void SetUp() override {
        SetWindowLongPtrW(main.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        SetWindowLongPtrW(main.get(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Procedure));
        SetWindowPos(main.get(), HWND_TOPMOST, 100, 100, 700, 300, SWP_SHOWWINDOW);
        toolbar = std::make_unique<MainToolbar>(main.get());
    }
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        auto* self = reinterpret_cast<MainToolbarTest*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (message != WM_COMMAND) return DefWindowProcW(window, message, wParam, lParam);
        self->commands.push_back(LOWORD(wParam));
        if (self->onCommand) self->onCommand();
        return 0;
    }
    cToolBar& Bar() { return toolbar->Object(); }
    POINT CentreOf(int position) {
        RECT rect{};
        SendMessageW(Bar().hwnd(), TB_GETITEMRECT, position, reinterpret_cast<LPARAM>(&rect));
        return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    }

    UniqueWindow main = test::CreateTestWindow(L"QOV toolbar test");
    std::unique_ptr<MainToolbar> toolbar;
    std::vector<int> commands;
    std::function<void()> onCommand;
};

TEST_F(MainToolbarTest, EachPositionsClickPostsItsCommandAndSeparatorsNothing) {
    for (int position = 0; position < kToolbarPositions; ++position) {
        commands.clear();
        const POINT centre = CentreOf(position);
        PostMessageW(Bar().hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(centre.x, centre.y));
        PostMessageW(Bar().hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(centre.x, centre.y));
        test::PumpUntil([&] { return !commands.empty(); }, 200ms);
        const int command = CommandAtToolbarPosition(position);
        EXPECT_EQ(commands, command ? std::vector<int>{command} : std::vector<int>{}) << position;
        TBBUTTON button{};
        SendMessageW(Bar().hwnd(), TB_GETBUTTON, position, reinterpret_cast<LPARAM>(&button));
        EXPECT_EQ(button.fsStyle == BTNS_SEP, command == 0) << "position " << position;
    }
}

// The toolbar sends a click while its object handles the host's message: a
// command that closes the main window must arrive only after that handler.
TEST_F(MainToolbarTest, CommandThatClosesTheMainWindowArrivesAfterTheClickHandler) {
    const HWND host = toolbar->Host(), bar = Bar().hwnd();
    onCommand = [&] {
        toolbar.reset();
        DestroyWindow(main.release());
    };
    SendMessageW(host, WM_COMMAND, 100 + 9, reinterpret_cast<LPARAM>(bar));
    EXPECT_TRUE(commands.empty()) << "the command ran inside the toolbar's handler";
    ASSERT_TRUE(test::PumpUntil([&] { return !commands.empty(); }, 2s));
    EXPECT_EQ(commands, std::vector<int>{CommandAtToolbarPosition(9)});
    EXPECT_FALSE(IsWindow(host) || IsWindow(bar));
}

TEST_F(MainToolbarTest, ClickDuringTheClickHandlerIsNotReportedUntilItReturns) {
    std::vector<int> clicks;
    Bar().ButtonClick = [&](std::int16_t index) {
        clicks.push_back(index);
        if (clicks.size() == 1) SendMessageW(toolbar->Host(), WM_COMMAND, 101, 0);
    };
    SendMessageW(toolbar->Host(), WM_COMMAND, 102, 0);
    SendMessageW(toolbar->Host(), WM_COMMAND, 104, 0);
    EXPECT_EQ(clicks, (std::vector<int>{2, 4}));
}

TEST_F(MainToolbarTest, TooltipTextIsTheButtonsTextWhileTheCursorIsOverTheToolbar) {
    const auto request = [&](UINT_PTR idFrom) {
        NMTTDISPINFOW info{};
        info.hdr = {Bar().hwnd(), idFrom, static_cast<UINT>(TTN_GETDISPINFOW)};
        SendMessageW(toolbar->Host(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
        return info.lpszText ? std::wstring(info.lpszText) : std::wstring(L"(none)");
    };
    POINT over = CentreOf(3);
    ClientToScreen(Bar().hwnd(), &over);
    MoveCursorTo(over);
    EXPECT_EQ(request(103), L"最小化");
    EXPECT_EQ(request(100), L"元のサイズに戻す");
    EXPECT_EQ(request(119), L"(none)") << "no button";
    MoveCursorTo({20, 700});
    EXPECT_EQ(request(103), L"(none)") << "the cursor is not over the toolbar";
}

TEST_F(MainToolbarTest, EachMisuseRaisesItsKindOfErrorAndChangesNothing) {
    using Kind = ToolBarError::Kind;
    cToolBar unhosted;
    const struct {
        const char* name;
        std::function<void()> call;
        Kind kind;
    } cases[] = {
        {"SetAlign without a host", [&] { unhosted.SetAlign(1); }, Kind::NoHost},
        {"Enabled without a host", [&] { (void)unhosted.Enabled(); }, Kind::NoHost},
        {"SetHeight without a host", [&] { unhosted.SetHeight(300); }, Kind::NoHost},
        {"Align outside 16 bits", [&] { Bar().SetAlign(40000); }, Kind::Overflow},
        {"state of 256", [&] { Bar().SetButtonsState(1, 256); }, Kind::Overflow},
        {"state of -1 by key", [&] { Bar().SetButtonsState("min1", -1); }, Kind::Overflow},
        {"state of index -1", [&] { (void)Bar().ButtonsState(-1); }, Kind::OutOfRange},
        {"state of index 19", [&] { (void)Bar().ButtonsState(19); }, Kind::OutOfRange},
        {"key of index 19", [&] { (void)Bar().ButtonsKey(19); }, Kind::OutOfRange},
    };
    for (const auto& c : cases) {
        try {
            c.call();
            ADD_FAILURE() << c.name << " raised nothing";
        } catch (const ToolBarError& error) {
            EXPECT_EQ(error.kind(), c.kind) << c.name;
        }
    }
    EXPECT_EQ(Bar().Align(), 1);
    EXPECT_EQ(Bar().ButtonsState(1) | Bar().ButtonsState("Min1"), TBSTATE_ENABLED);
}

TEST_F(MainToolbarTest, NewResolutionGivesButtonsForItsPicturesAndAHostThatFits) {
    toolbar->DpiChanged(192);
    const int buttonHeight = HIWORD(SendMessageW(Bar().hwnd(), TB_GETBUTTONSIZE, 0, 0));
    EXPECT_GT(buttonHeight, PictureSizeForDpi(192));
    EXPECT_GT(toolbar->Height(), buttonHeight) << "the host does not hold the buttons";
    RECT bar{};
    GetWindowRect(Bar().hwnd(), &bar);
    EXPECT_EQ(toolbar->Height(), bar.bottom - bar.top) << "the host does not fit the toolbar";
}

// Each image of src/app/qov.ico (found from this file's path: the test runs
// on the machine that built it) is what CreateProgramIcon paints today.
TEST(Pictures, ProgramIconIsTheCommittedIconFile) {
    std::string path = __FILE__;
    path = path.substr(0, path.rfind("tests/")) + "src/app/qov.ico";
    if (path.front() == '/') path = "Z:" + path;  // Wine's drive for the Unix root
    std::ifstream file(path, std::ios::binary);
    const std::vector<char> ico{std::istreambuf_iterator<char>(file), {}};
    ASSERT_TRUE(ico.size() > 6 && ico[4] == 5) << "no five sizes read from " << path;
    for (size_t entry = 6; entry < 6 + 16 * 5; entry += 16) {
        const int size = ico[entry] == 0 ? 256 : static_cast<unsigned char>(ico[entry]);
        DWORD offset = 0;  // of the image's bitmap header; its rows follow, bottom-up
        std::memcpy(&offset, &ico[entry + 12], sizeof offset);
        std::vector<DWORD> stored(static_cast<size_t>(size * size)), painted(stored.size());
        ASSERT_LE(offset + 40 + stored.size() * 4, ico.size());
        std::memcpy(stored.data(), &ico[offset + 40], stored.size() * 4);
        ICONINFO info{};
        ASSERT_TRUE(GetIconInfo(CreateProgramIcon(size).get(), &info));
        const UniqueBitmap colour{info.hbmColor}, mask{info.hbmMask};
        BITMAPINFO format{};
        format.bmiHeader = {sizeof(BITMAPINFOHEADER), size, size, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        const UniqueDC dc{CreateCompatibleDC(nullptr)};
        GetDIBits(dc.get(), colour.get(), 0, size, painted.data(), &format, DIB_RGB_COLORS);
        EXPECT_TRUE(painted == stored) << "the " << size << "-pixel icon differs from qov.ico";
    }
}

}  // namespace
}  // namespace qov::win32
