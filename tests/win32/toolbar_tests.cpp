// The toolbar object against the real common-controls toolbar: creation,
// numbering, style flags, button lookup and state, sizing of the host.
#include <functional>
#include <string>
#include <vector>

#include "win32/toolbar_test_support.h"

namespace qov::toolbar {
namespace {

using test_support::MessageRecorder;
using test_support::Pump;
using test_support::TestHost;

// The style bits the object decides; the toolbar may add others of its own.
constexpr DWORD kDecidedStyle = WS_CHILD | WS_VISIBLE | WS_POPUP | TBSTYLE_TOOLTIPS |
                                TBSTYLE_WRAPABLE | TBSTYLE_FLAT | TBSTYLE_LIST | CCS_TOP |
                                CCS_NOMOVEY | CCS_NODIVIDER | CCS_ADJUSTABLE;

DWORD ToolbarStyle(const cToolBar& bar) {
    return static_cast<DWORD>(GetWindowLongW(bar.hwnd(), GWL_STYLE)) & kDecidedStyle;
}

TBBUTTON ButtonAt(const cToolBar& bar, int position) {
    TBBUTTON button{};
    SendMessageW(bar.hwnd(), TB_GETBUTTON, static_cast<WPARAM>(position),
                 reinterpret_cast<LPARAM>(&button));
    return button;
}

void AddButtons(cToolBar& bar, int count) {
    for (int i = 0; i < count; ++i)
        bar.ButtonsAdd("Key" + std::to_string(i), "tip " + std::to_string(i),
                       "caption " + std::to_string(i), 0, static_cast<std::int16_t>(i % 16));
}

TEST(ToolBarObject, EachMisuseRaisesItsKindOfErrorAndChangesNothing) {
    using Kind = ToolBarError::Kind;
    cToolBar unhosted;
    TestHost host;
    cToolBar bar;
    bar.SetPictureBox(host);
    AddButtons(bar, 3);
    bar.SetAlign(2);
    bar.SetButtonsState(1, TBSTATE_ENABLED | TBSTATE_CHECKED);
    const struct {
        const char* name;
        std::function<void()> call;
        Kind kind;
    } cases[] = {
        {"SetAlign without a host", [&] { unhosted.SetAlign(1); }, Kind::NoHost},
        {"Enabled without a host", [&] { (void)unhosted.Enabled(); }, Kind::NoHost},
        {"SetHeight without a host", [&] { unhosted.SetHeight(300); }, Kind::NoHost},
        {"Width without a host", [&] { (void)unhosted.Width(); }, Kind::NoHost},
        {"SetTop without a host", [&] { unhosted.SetTop(0); }, Kind::NoHost},
        {"Left without a host", [&] { (void)unhosted.Left(); }, Kind::NoHost},
        {"SetVisible without a host", [&] { unhosted.SetVisible(true); }, Kind::NoHost},
        {"Align outside 16 bits", [&] { bar.SetAlign(40000); }, Kind::Overflow},
        {"state of 256", [&] { bar.SetButtonsState(1, 256); }, Kind::Overflow},
        {"state of -1 by key", [&] { bar.SetButtonsState("key1", -1); }, Kind::Overflow},
        {"state of index -1", [&] { (void)bar.ButtonsState(-1); }, Kind::OutOfRange},
        {"state of index 3", [&] { (void)bar.ButtonsState(3); }, Kind::OutOfRange},
        {"enable index 1000", [&] { bar.SetButtonsEnabled(1000, true); }, Kind::OutOfRange},
        {"key of index 3", [&] { (void)bar.ButtonsKey(3); }, Kind::OutOfRange},
    };
    MessageRecorder recorder(bar.hwnd());
    for (const auto& c : cases) {
        try {
            c.call();
            ADD_FAILURE() << c.name << " raised nothing";
        } catch (const ToolBarError& error) {
            EXPECT_EQ(error.kind(), c.kind) << c.name;
        }
    }
    EXPECT_TRUE(recorder.Of(TB_SETSTATE).empty());
    EXPECT_EQ(bar.Align(), 2);
    EXPECT_EQ(bar.ButtonsState(1), TBSTATE_ENABLED | TBSTATE_CHECKED);
    EXPECT_EQ(bar.ButtonsCaption(3), "") << "no button: no text, no error";
}

TEST(ToolBarObject, CreationStyleFollowsTheCreationProperties) {
    struct Case {
        bool showTips;
        std::int16_t borderStyle;
        int style;
        int textAlignment;
        DWORD expected;
    };
    const Case cases[] = {
        {true, 1, 0, -1, 0x50000101},
        {true, 0, 0, -1, 0x50000141},
        {false, 1, 0, -1, 0x50000001},
        {true, 1, 1, -1, 0x50000901},
        {true, 1, 0, 1, 0x50001101},
        {true, 1, 0, 0, 0x50000101},
    };
    for (const Case& c : cases) {
        TestHost host;
        cToolBar bar;
        bar.SetShowTips(c.showTips);
        bar.SetBorderStyle(c.borderStyle);
        bar.SetStyle(c.style);
        bar.SetTextAlignment(c.textAlignment);
        bar.SetPictureBox(host);
        ASSERT_NE(bar.hwnd(), nullptr);
        EXPECT_EQ(GetParent(bar.hwnd()), host.hwnd());
        EXPECT_EQ(ToolbarStyle(bar), c.expected)
            << std::hex << "tips " << c.showTips << " border " << c.borderStyle << " style "
            << c.style << " text " << c.textAlignment;
    }
}

TEST(ToolBarObject, SettingTheHostTakesItsBorderAndTabStop) {
    TestHost host;
    cToolBar bar;
    bar.SetPictureBox(host);
    EXPECT_EQ(host.BorderStyle(), 0);
    EXPECT_FALSE(host.TabStop());
    EXPECT_EQ(bar.PictureBox(), &host);
}

TEST(ToolBarObject, ButtonsAreNumberedFromCommand100AndIndex0) {
    TestHost host;
    cToolBar bar;
    bar.SetPictureBox(host);
    AddButtons(bar, 19);
    ASSERT_EQ(bar.ButtonsCount(), 19);
    for (int i = 0; i < 19; ++i) {
        const TBBUTTON button = ButtonAt(bar, i);
        EXPECT_EQ(button.idCommand, 100 + i) << "position " << i;
        EXPECT_EQ(button.iBitmap, i % 16) << "position " << i;
        EXPECT_EQ(bar.ButtonsKey(i), "Key" + std::to_string(i));
    }
}

TEST(ToolBarObject, ButtonStylesFollowTheStyleTable) {
    const struct {
        int intStyle;
        BYTE fsStyle;
    } table[] = {{0, BTNS_BUTTON},   {1, BTNS_CHECK},    {2, BTNS_CHECKGROUP},
                 {3, BTNS_SEP},      {4, BTNS_BUTTON},   {5, BTNS_DROPDOWN},
                 {6, BTNS_BUTTON},   {7, BTNS_BUTTON},   {-1, BTNS_BUTTON}};
    TestHost host;
    cToolBar bar;
    bar.SetPictureBox(host);
    for (const auto& row : table) bar.ButtonsAdd("k", "", "", row.intStyle, 0);
    for (int i = 0; i < static_cast<int>(std::size(table)); ++i)
        EXPECT_EQ(ButtonAt(bar, i).fsStyle & 0x0F, table[i].fsStyle)
            << "intStyle " << table[i].intStyle;
}

TEST(ToolBarObject, ClearDeletesFromTheLastPositionAndRestartsTheList) {
    TestHost host;
    cToolBar bar;
    bar.SetPictureBox(host);
    AddButtons(bar, 5);
    std::vector<WPARAM> deleted;
    {
        MessageRecorder recorder(bar.hwnd());
        bar.ButtonsClear();
        for (const auto& entry : recorder.Of(TB_DELETEBUTTON)) deleted.push_back(entry.wParam);
    }
    EXPECT_EQ(deleted, (std::vector<WPARAM>{4, 3, 2, 1, 0}));
    EXPECT_EQ(bar.ButtonsCount(), 0);

    bar.ButtonsAdd("Again", "", "", 0, 0);
    EXPECT_EQ(ButtonAt(bar, 0).idCommand, 100);
    EXPECT_EQ(bar.ButtonsKey(0), "Again");
    EXPECT_THROW((void)bar.ButtonsKey(1), ToolBarError);
}

TEST(ToolBarObject, StyleFlagsAreWrittenToTheToolbarAndReadBack) {
    TestHost host;
    cToolBar bar;
    bar.SetPictureBox(host);
    // The toolbar's own idea of its style: Wine keeps TB_SETSTYLE out of
    // the window's style bits.
    const auto bits = [&] { return static_cast<DWORD>(SendMessageW(bar.hwnd(), TB_GETSTYLE, 0, 0)); };

    bar.SetStyle(1);
    EXPECT_EQ(bar.Style(), 1);
    EXPECT_TRUE(bits() & TBSTYLE_FLAT);
    bar.SetStyle(2);
    EXPECT_EQ(bar.Style(), 0);
    EXPECT_FALSE(bits() & TBSTYLE_FLAT);

    bar.SetTextAlignment(1);
    EXPECT_EQ(bar.TextAlignment(), 1);
    EXPECT_TRUE(bits() & TBSTYLE_LIST);
    bar.SetTextAlignment(5);
    EXPECT_EQ(bar.TextAlignment(), 1);
    EXPECT_TRUE(bits() & TBSTYLE_LIST);
    bar.SetTextAlignment(0);
    EXPECT_EQ(bar.TextAlignment(), 0);
    EXPECT_FALSE(bits() & TBSTYLE_LIST);
    bar.SetTextAlignment(-1);
    EXPECT_EQ(bar.TextAlignment(), -1);

    bar.SetWrappable(false);
    EXPECT_FALSE(bits() & TBSTYLE_WRAPABLE);
    bar.SetWrappable(true);
    EXPECT_TRUE(bar.Wrappable());
    EXPECT_TRUE(bits() & TBSTYLE_WRAPABLE);

    // Every write on a live toolbar hides the host around the change.
    host.visibilityChanges.clear();
    bar.SetStyle(0);
    EXPECT_EQ(host.visibilityChanges, (std::vector<bool>{false, true}));
    EXPECT_TRUE(IsWindowVisible(host.hwnd()));
}

TEST(ToolBarObject, ImageListsReachTheToolbarAndSizeItsButtons) {
    TestHost host;
    cToolBar bar;
    bar.SetPictureBox(host);
    // Pictures for 150 %: the buttons must grow to hold them whole.
    HIMAGELIST large = ImageList_Create(24, 24, ILC_COLOR32 | ILC_MASK, 1, 0);
    bar.SetImageListHandle(large);
    bar.SetHotImageListHandle(large);
    bar.SetDisabledImageListHandle(large);
    AddButtons(bar, 2);
    EXPECT_EQ(bar.ImageListHandle(), large);
    EXPECT_EQ(bar.HotImageListHandle(), large);
    EXPECT_EQ(bar.DisabledImageListHandle(), large);
    const LRESULT size = SendMessageW(bar.hwnd(), TB_GETBUTTONSIZE, 0, 0);
    EXPECT_GE(LOWORD(size), 24 + 6);
    EXPECT_GE(HIWORD(size), 24 + 6);
    bar.SetImageListHandle(nullptr);
    bar.SetHotImageListHandle(nullptr);
    bar.SetDisabledImageListHandle(nullptr);
    ImageList_Destroy(large);
}

int IconSize(HIMAGELIST images) {
    int width = 0, height = 0;
    ImageList_GetIconSize(images, &width, &height);
    return height;
}

int BarHeight(const cToolBar& bar) {
    RECT rect{};
    GetWindowRect(bar.hwnd(), &rect);
    return rect.bottom - rect.top;
}

// The owner swaps the pictures when the host's resolution changes; the
// toolbar sizes its bitmaps to them and the host to the toolbar. Windows
// reports the change with WM_DPICHANGED_AFTERPARENT, Wine only through the
// host's resize: both are followed, and each change is followed once.
TEST(ToolBarObject, HostResolutionChangeSizesButtonsToTheNewPictures) {
    TestHost host;
    cToolBar bar;
    bar.SetWrappable(true);
    bar.SetPictureBox(host);
    bar.SetAlign(1);
    HIMAGELIST small = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 1, 0);
    HIMAGELIST large = ImageList_Create(24, 24, ILC_COLOR32 | ILC_MASK, 1, 0);
    bar.SetImageListHandle(small);
    bar.SetHotImageListHandle(small);
    AddButtons(bar, 3);
    HIMAGELIST next = nullptr;
    int raised = 0;
    bar.HostResolutionChanged = [&] {
        ++raised;
        bar.SetImageListHandle(next);
        bar.SetHotImageListHandle(next);
    };
    const LRESULT startButton = SendMessageW(bar.hwnd(), TB_GETBUTTONSIZE, 0, 0);
    const int startHeight = host.HeightPixels();
    ASSERT_EQ(startHeight, BarHeight(bar));

    const struct {
        float twipsPerPixel;
        HIMAGELIST pictures;
        bool byResize;  // noticed through the host's resize, else the message
    } steps[] = {{10, large, false}, {15, small, true}, {10, large, true}, {15, small, false}};
    for (const auto& step : steps) {
        MessageRecorder recorder(bar.hwnd());
        host.SetTwipsPerPixel(step.twipsPerPixel);
        next = step.pictures;
        if (step.byResize)
            host.ResizePixels(host.WidthPixels() - 10, host.HeightPixels());
        else
            SendMessageW(host.hwnd(), WM_DPICHANGED_AFTERPARENT, 0, 0);
        const int size = IconSize(step.pictures);
        SCOPED_TRACE(::testing::Message() << "pictures of " << size << " px");
        const auto bitmapSizes = recorder.Of(TB_SETBITMAPSIZE);
        ASSERT_EQ(bitmapSizes.size(), 1u);
        EXPECT_EQ(bitmapSizes[0].lParam, MAKELPARAM(size, size));
        EXPECT_EQ(bar.ImageListHandle(), step.pictures);
        EXPECT_EQ(bar.HotImageListHandle(), step.pictures);
        const LRESULT button = SendMessageW(bar.hwnd(), TB_GETBUTTONSIZE, 0, 0);
        EXPECT_EQ(HIWORD(button), HIWORD(startButton) + size - 16);
        EXPECT_EQ(LOWORD(button), LOWORD(startButton) + size - 16);
        EXPECT_EQ(host.HeightPixels(), BarHeight(bar)) << "the host fits the toolbar";
        EXPECT_EQ(host.HeightPixels() > startHeight, size > 16);
    }
    EXPECT_EQ(raised, 4);
    EXPECT_EQ(host.HeightPixels(), startHeight);

    host.ResizePixels(host.WidthPixels() + 40, host.HeightPixels());
    SendMessageW(host.hwnd(), WM_DPICHANGED_AFTERPARENT, 0, 0);
    EXPECT_EQ(raised, 4) << "no change of resolution, nothing to follow";

    bar.HostResolutionChanged = nullptr;
    bar.SetImageListHandle(nullptr);
    bar.SetHotImageListHandle(nullptr);
    ImageList_Destroy(small);
    ImageList_Destroy(large);
}

TEST(ToolBarObject, MakeLongKeepsTheLow16BitsOfEachHalf) {
    const struct {
        std::int32_t low, high, expected;
    } table[] = {
        {16, 16, 0x00100010},
        {0x8000, 0, 0x8000},
        {1, 0, 1},
        {0x12345678, 0x7FFF1, static_cast<std::int32_t>(0xFFF15678)},
        {-1, 0, 0xFFFF},
        {0, -1, static_cast<std::int32_t>(0xFFFF0000)},
    };
    for (const auto& row : table)
        EXPECT_EQ((cToolBar::MAKELONG)(row.low, row.high), row.expected)
            << std::hex << row.low << ", " << row.high;
}

TEST(ToolBarObject, KeysAreFoundIgnoringCaseAndTheLowerIndexWins) {
    TestHost host;
    cToolBar bar;
    bar.SetPictureBox(host);
    bar.ButtonsAdd("Restore1", "", "", 0, 0);
    bar.ButtonsAdd("RESTORE1", "", "", 0, 1);
    bar.ButtonsAdd("Min1", "", "", 0, 2);

    bar.SetButtonsEnabled("restore1", false);
    EXPECT_EQ(SendMessageW(bar.hwnd(), TB_ISBUTTONENABLED, 100, 0), 0);
    EXPECT_NE(SendMessageW(bar.hwnd(), TB_ISBUTTONENABLED, 101, 0), 0);
    EXPECT_FALSE(bar.ButtonsEnabled("RESTORE1"));
    EXPECT_TRUE(bar.ButtonsEnabled(1));

    // An unknown key does nothing and reads as nothing.
    bar.SetButtonsEnabled("nothing", false);
    EXPECT_FALSE(bar.ButtonsEnabled("nothing"));
    EXPECT_EQ(bar.ButtonsState("nothing"), 0);
    EXPECT_EQ(bar.ButtonsCaption("nothing"), "");

    bar.ButtonsRemove("min1");
    EXPECT_EQ(bar.ButtonsCount(), 2);
}

TEST(ToolBarObject, CaptionsOfAnyLengthAndScriptReadBack) {
    TestHost host;
    cToolBar bar;
    bar.SetTextAlignment(0);
    bar.SetPictureBox(host);
    const std::string japanese = "元のサイズに戻す";
    const std::string longText(200, 'x');
    bar.ButtonsAdd("a", "", japanese, 0, 0);
    bar.ButtonsAdd("b", "", longText, 0, 1);
    EXPECT_EQ(bar.ButtonsCaption(0), japanese);
    EXPECT_EQ(bar.ButtonsCaption("B"), longText);

    bar.SetButtonsCaption("a", "最小化");
    EXPECT_EQ(bar.ButtonsCaption(0), "最小化");
    EXPECT_EQ(bar.ButtonsDescription(0), "");
}

TEST(ToolBarObject, NonWrappableToolbarSizesTheHostByItsAlign) {
    const struct {
        int align;
        bool widthFollows, heightFollows;
    } table[] = {{0, true, true}, {1, false, true}, {2, false, false}};
    for (const auto& row : table) {
        TestHost host(600, 100);
        cToolBar bar;
        bar.SetPictureBox(host);
        bar.SetAlign(row.align);
        AddButtons(bar, 3);
        SIZE size{};
        SendMessageW(bar.hwnd(), TB_GETMAXSIZE, 0, reinterpret_cast<LPARAM>(&size));
        RECT rect{};
        GetWindowRect(bar.hwnd(), &rect);
        EXPECT_EQ(host.WidthPixels() == rect.right - rect.left, row.widthFollows)
            << "align " << row.align << " host " << host.WidthPixels();
        EXPECT_EQ(host.HeightPixels() == rect.bottom - rect.top, row.heightFollows)
            << "align " << row.align << " host " << host.HeightPixels();
    }
}

TEST(ToolBarObject, WrappableToolbarWrapsWhenTheHostNarrowsAndTheHostFollows) {
    TestHost host(800, 40);
    cToolBar bar;
    bar.SetWrappable(true);
    bar.SetPictureBox(host);
    bar.SetAlign(1);
    AddButtons(bar, 19);
    Pump();
    const auto rows = [&] { return SendMessageW(bar.hwnd(), TB_GETROWS, 0, 0); };
    const LRESULT wideRows = rows();
    const int wideHeight = host.HeightPixels();
    RECT bar0{};
    GetWindowRect(bar.hwnd(), &bar0);
    EXPECT_EQ(wideHeight, bar0.bottom - bar0.top);

    host.ResizePixels(120, wideHeight);
    Pump();
    EXPECT_GT(rows(), wideRows);
    EXPECT_GT(host.HeightPixels(), wideHeight);
    RECT bar1{};
    GetWindowRect(bar.hwnd(), &bar1);
    EXPECT_EQ(host.HeightPixels(), bar1.bottom - bar1.top);
    EXPECT_EQ(host.WidthPixels(), 120);
}

TEST(ToolBarObject, mctlPictureBox_ResizeLeavesANonWrappableToolbarAlone) {
    TestHost host(800, 40);
    cToolBar bar;
    bar.SetPictureBox(host);
    AddButtons(bar, 19);
    RECT before{};
    GetWindowRect(bar.hwnd(), &before);
    const int hostHeight = host.HeightPixels();
    host.ResizePixels(120, hostHeight);
    Pump();
    RECT after{};
    GetWindowRect(bar.hwnd(), &after);
    EXPECT_EQ(after.right - after.left, before.right - before.left);
    EXPECT_EQ(host.HeightPixels(), hostHeight);
}

}  // namespace
}  // namespace qov::toolbar
