// The controls against their native windows: what another program (or the
// user) sees and does is what the toolkit reports.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "forms_test_support.h"
#include "platform/win32/native_handles.h"
#include "platform/win32/pictures.h"

namespace qov::win32::testing {
namespace {

using Win32Controls = ToolkitTest;

HWND ChildOfClass(HWND parent, const wchar_t* className) {
    return FindWindowExW(parent, nullptr, className, nullptr);
}

std::wstring ItemText(HWND list, int item, int subItem) {
    wchar_t buffer[256] = {};
    LVITEMW request{};
    request.iSubItem = subItem;
    request.pszText = buffer;
    request.cchTextMax = 256;
    SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(item),
                 reinterpret_cast<LPARAM>(&request));
    return buffer;
}

int ItemImage(HWND list, int item) {
    LVITEMW request{};
    request.mask = LVIF_IMAGE;
    request.iItem = item;
    SendMessageW(list, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&request));
    return request.iImage;
}

int RowHeight(HWND list) {
    RECT row{};
    row.left = LVIR_BOUNDS;
    SendMessageW(list, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&row));
    return row.bottom - row.top;
}

// Whether the first row of `list` waits to be painted whole.
bool FirstRowInvalid(HWND list) {
    RECT row{};
    row.left = LVIR_BOUNDS;
    SendMessageW(list, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&row));
    HRGN update = CreateRectRgn(0, 0, 0, 0);
    HRGN rest = CreateRectRgnIndirect(&row);
    GetUpdateRgn(list, update, FALSE);
    const bool whole = CombineRgn(rest, rest, update, RGN_DIFF) == NULLREGION;
    DeleteObject(update);
    DeleteObject(rest);
    return whole;
}

// The row icons are painted again for the form's new resolution and the rows
// take their height, as the font's does.
TEST_F(Win32Controls, ListRowIconsAndRowsFollowTheFormsResolution) {
    auto form = MakeForm();
    HWND window = WindowOf(*form);
    auto icons = toolkit.CreateImageList(PictureSet::ListRowIcons);
    ListView& list = form->AddListView({0, 0, 5000, 3000});
    list.AddColumn("タイトル", 2000);
    form->Show();
    list.SetSmallIcons(*icons);
    list.AddRow();
    list.SetIcon(1, 3);
    HWND native = ChildOfClass(window, WC_LISTVIEWW);
    const UINT start = ui::DpiOf(window);
    const int startRow = RowHeight(native);
    ASSERT_GE(startRow, PictureSizeForDpi(start));

    UINT dpi = start;
    for (UINT next : {start * 3 / 2, start * 2, start}) {
        SimulateDpiChange(window, dpi, next);
        dpi = next;
        SCOPED_TRACE(::testing::Message() << "at " << dpi << " dpi");
        auto shown = reinterpret_cast<HIMAGELIST>(
            SendMessageW(native, LVM_GETIMAGELIST, LVSIL_SMALL, 0));
        EXPECT_EQ(shown, NativeImageList(*icons));
        EXPECT_EQ(IconHeight(shown), PictureSizeForDpi(dpi));
        EXPECT_GE(RowHeight(native), PictureSizeForDpi(dpi)) << "the icons fit the rows";
        if (dpi > start) {
            EXPECT_GT(RowHeight(native), startRow);
        }
        EXPECT_TRUE(FirstRowInvalid(native)) << "nothing drawn at the old size stays";
        toolkit.Yield();
    }
    EXPECT_EQ(RowHeight(native), startRow);
    EXPECT_EQ(ItemImage(native, 0), 2);
}

TEST_F(Win32Controls, ListViewRowsAreTheNativeRows) {
    auto form = MakeForm();
    auto icons = toolkit.CreateImageList(PictureSet::ListRowIcons);
    ListView& list = form->AddListView({0, 0, 5000, 3000});
    for (const char* header : {"タイトル", "状態", "サイズ", "クラス名", "ハンドル"}) {
        list.AddColumn(header, 1200);
    }
    list.SetSmallIcons(*icons);
    HWND native = ChildOfClass(WindowOf(*form), WC_LISTVIEWW);
    ASSERT_NE(native, nullptr);
    const DWORD style = static_cast<DWORD>(GetWindowLongPtrW(native, GWL_STYLE));
    EXPECT_EQ(style & LVS_TYPEMASK, static_cast<DWORD>(LVS_REPORT));
    EXPECT_TRUE(style & LVS_SINGLESEL);
    EXPECT_TRUE(SendMessageW(native, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) & LVS_EX_FULLROWSELECT);

    for (int row = 1; row <= 3; ++row) ASSERT_EQ(list.AddRow(), row);
    list.SetText(2, 0, "メモ帳 - 無題");
    list.SetText(2, 4, "00010A2C");
    list.SetIcon(2, 3);
    list.SetIcon(3, 1);
    ASSERT_EQ(SendMessageW(native, LVM_GETITEMCOUNT, 0, 0), 3);
    EXPECT_EQ(ItemText(native, 1, 0), L"メモ帳 - 無題");
    EXPECT_EQ(ItemText(native, 1, 4), L"00010A2C");
    EXPECT_EQ(ItemImage(native, 1), 2) << "icon n is image n-1 of the native list";
    EXPECT_EQ(ItemImage(native, 2), 0);
    EXPECT_LT(ItemImage(native, 0), 0) << "no icon";

    list.RemoveRow(1);
    ASSERT_EQ(SendMessageW(native, LVM_GETITEMCOUNT, 0, 0), 2);
    EXPECT_EQ(ItemText(native, 0, 0), L"メモ帳 - 無題");
    list.SetIcon(1, 0);
    EXPECT_LT(ItemImage(native, 0), 0);

    // A selection made by the user (or another program) reads back.
    LVITEMW state{};
    state.state = state.stateMask = LVIS_SELECTED;
    SendMessageW(native, LVM_SETITEMSTATE, 1, reinterpret_cast<LPARAM>(&state));
    EXPECT_EQ(list.SelectedIndex(), 2);
    list.SetSelectedIndex(0);
    EXPECT_EQ(SendMessageW(native, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED), -1);
    EXPECT_THROW(list.SetText(9, 0, "x"), ToolkitError);
}

TEST_F(Win32Controls, ListViewReportsBothButtonsPressAndRelease) {
    auto form = MakeForm();
    form->Show();
    ListView& list = form->AddListView({0, 0, 5000, 3000});
    list.AddColumn("タイトル", 3000);
    list.AddRow();
    list.SetText(1, 0, "行");
    HWND native = ChildOfClass(WindowOf(*form), WC_LISTVIEWW);
    RECT row{};
    row.left = LVIR_BOUNDS;
    ASSERT_TRUE(SendMessageW(native, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&row)));
    const LPARAM at = MAKELPARAM(row.left + 10, (row.top + row.bottom) / 2);

    std::vector<std::string> events;
    MouseEventArgs lastUp;
    list.onMouseDown = [&](const MouseEventArgs& e) {
        events.push_back("down" + std::to_string(e.button));
    };
    list.onMouseUp = [&](const MouseEventArgs& e) {
        events.push_back("up" + std::to_string(e.button));
        lastUp = e;
    };
    for (UINT down : {WM_RBUTTONDOWN, WM_LBUTTONDOWN}) {
        const UINT up = down + 1;
        PostMessageW(native, down, down == WM_RBUTTONDOWN ? MK_RBUTTON : MK_LBUTTON, at);
        PostMessageW(native, up, 0, at);
        PumpUntil([&] { return !events.empty() && events.back().rfind("up", 0) == 0; });
        toolkit.Yield();
    }
    EXPECT_EQ(events, (std::vector<std::string>{"down2", "up2", "down1", "up1"}));
    EXPECT_EQ(list.SelectedIndex(), 1) << "the press selected the row";
    EXPECT_NEAR(lastUp.x, ui::PixelsToTwips(row.left + 10, ui::DpiOf(native)), 1);
}

TEST_F(Win32Controls, StatusBarTextIsReadableAsPartZero) {
    auto form = MakeForm();
    StatusBar& status = form->AddStatusBar();
    status.SetSimpleText("12 個のウィンドウ");
    HWND native = ChildOfClass(WindowOf(*form), STATUSCLASSNAMEW);
    ASSERT_NE(native, nullptr);
    EXPECT_TRUE(SendMessageW(native, SB_ISSIMPLE, 0, 0));
    wchar_t text[128] = {};
    SendMessageW(native, SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, L"12 個のウィンドウ");
}

TEST_F(Win32Controls, ClicksOnButtonsReachTheirHandlers) {
    auto form = MakeForm(FormStyle::FixedDialog);
    Frame& frame = form->AddFrame("間隔", {120, 120, 5000, 900});
    OptionButton& second = frame.AddOptionButton("500ミリ秒", {120, 240, 1200, 375});
    OptionButton& third = frame.AddOptionButton("1秒", {1320, 240, 1200, 375});
    CheckBox& check = form->AddCheckBox("常に手前に表示", {120, 1200, 3000, 255});
    Button& close = form->AddButton("閉じる", {120, 1600, 1200, 375});
    std::vector<std::string> clicks;
    second.onClick = [&] { clicks.push_back("500"); };
    third.onClick = [&] { clicks.push_back("1000"); };
    check.onClick = [&] { clicks.push_back("check"); };
    close.onClick = [&] { clicks.push_back("close"); };
    second.SetSelected(true);
    EXPECT_TRUE(clicks.empty()) << "selecting from code is no click";

    HWND window = WindowOf(*form);
    HWND frameWindow = GetWindow(window, GW_CHILD);
    auto button = [](HWND parent, const wchar_t* caption) {
        return FindWindowExW(parent, nullptr, WC_BUTTONW, caption);
    };
    SendMessageW(button(frameWindow, L"1秒"), BM_CLICK, 0, 0);
    SendMessageW(button(window, L"常に手前に表示"), BM_CLICK, 0, 0);
    SendMessageW(button(window, L"閉じる"), BM_CLICK, 0, 0);
    EXPECT_EQ(clicks, (std::vector<std::string>{"1000", "check", "close"}));
    EXPECT_TRUE(third.Selected());
    EXPECT_FALSE(second.Selected()) << "a click deselects the rest of the group";
    EXPECT_TRUE(check.Checked());

    // Option buttons in a frame are placed relative to the frame.
    RECT option{};
    GetWindowRect(button(frameWindow, L"1秒"), &option);
    MapWindowPoints(HWND_DESKTOP, window, reinterpret_cast<POINT*>(&option), 2);
    EXPECT_EQ(option.left, Pixels(window, 120) + Pixels(window, 1320));
}

TEST_F(Win32Controls, TabStripRaisesClickAndStaysBelowItsPages) {
    auto form = MakeForm(FormStyle::FixedDialog);
    TabStrip& tabs = form->AddTabStrip({"全般", "除外ウィンドウ"}, {0, 0, 6000, 4000});
    PictureBox& page = form->AddPictureBox({120, 480, 5700, 3400});
    int clicks = 0;
    tabs.onClick = [&] { ++clicks; };
    HWND native = ChildOfClass(WindowOf(*form), WC_TABCONTROLW);
    SendMessageW(native, TCM_SETCURFOCUS, 1, 0);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(tabs.SelectedTab(), 2);
    bool tabBelowPage = false;
    for (HWND w = NativeWindow(page); w; w = GetWindow(w, GW_HWNDNEXT)) {
        if (w == native) tabBelowPage = true;
    }
    EXPECT_TRUE(tabBelowPage) << "the tab strip would paint over the page";
}

TEST_F(Win32Controls, LabelsUseTheirOwnFonts) {
    auto form = MakeForm(FormStyle::FixedSingle);
    form->AddLabel("V O V", {0, 0, 4000, 500}, FontSpec{"Arial", 15.75f, true}, true);
    form->AddLabel("版", {0, 600, 4000, 300}, FontSpec{}, false);
    HWND window = WindowOf(*form);
    HWND title = FindWindowExW(window, nullptr, WC_STATICW, L"V O V");
    HWND plain = FindWindowExW(window, nullptr, WC_STATICW, L"版");
    ASSERT_TRUE(title && plain);
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(title, WM_GETFONT, 0, 0)), sizeof(font), &font);
    EXPECT_STREQ(font.lfFaceName, L"Arial");
    EXPECT_EQ(font.lfHeight, -MulDiv(158, static_cast<int>(ui::DpiOf(window)), 720));
    EXPECT_EQ(font.lfWeight, FW_BOLD);
    EXPECT_TRUE(GetWindowLongPtrW(title, GWL_STYLE) & SS_CENTER);
    EXPECT_NE(SendMessageW(plain, WM_GETFONT, 0, 0), 0) << "no control is left in the system font";
}

TEST_F(Win32Controls, ControlsKeepWhatTheUserLeftAfterTheFormIsUnloaded) {
    auto form = MakeForm(FormStyle::FixedDialog);
    ComboBox& combo = form->AddComboBox({120, 120, 3000, 315});
    ListBox& lines = form->AddListBox({120, 600, 3000, 1200});
    ListView& list = form->AddListView({120, 2000, 3000, 1500});
    list.AddColumn("タイトル", 2000);
    lines.AddItem("一");
    lines.AddItem("二");
    HWND window = WindowOf(*form);
    HWND comboWindow = ChildOfClass(window, WC_COMBOBOXW);
    SetWindowTextW(comboWindow, L"入力した題名");  // as if typed
    SendMessageW(ChildOfClass(window, WC_LISTBOXW), LB_SETCURSEL, 1, 0);
    HWND listWindow = ChildOfClass(window, WC_LISTVIEWW);
    SendMessageW(listWindow, LVM_SETCOLUMNWIDTH, 0, MAKELPARAM(77, 0));
    const int dragged = static_cast<int>(std::lround(ui::PixelsToTwips(77, ui::DpiOf(window))));
    const float width = form->Width();

    form->Unload();
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(combo.Text(), "入力した題名");
    EXPECT_EQ(lines.ListIndex(), 1);
    EXPECT_EQ(list.ColumnWidth(1), dragged);
    EXPECT_FLOAT_EQ(form->Width(), width);
    lines.AddItem("三");  // changes nothing on screen, but is kept
    EXPECT_EQ(lines.ListCount(), 3);
}

}  // namespace
}  // namespace qov::win32::testing
