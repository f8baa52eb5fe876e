// Forms on real windows: sizes in twips, styles, menus and their command
// identifiers, shortcuts, closing, docking and the message loop.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "forms_test_support.h"
#include "platform/win32/form_menu.h"
#include "platform/win32/native_handles.h"

namespace qov::win32::testing {
namespace {

using Win32Form = ToolkitTest;

TEST_F(Win32Form, ClientAreaAndControlsArePlacedInTwipsAtTheScreenResolution) {
    auto form = MakeForm();
    HWND window = WindowOf(*form);
    // A menu bar takes none of the client area the form was given.
    form->SetMenuBar({{"File", "ファイル(&F)", "", nullptr, {{"Exit", "終了(&X)", "", nullptr, {}}}}});
    RECT client{};
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, Pixels(window, 6000));
    EXPECT_EQ(client.bottom, Pixels(window, 4500));

    const TwipsRect bounds{150, 300, 4500, 3000};
    ListView& list = form->AddListView(bounds);
    EXPECT_EQ(list.Bounds(), bounds) << "bounds read back exactly as set";
    HWND native = FindWindowExW(window, nullptr, WC_LISTVIEWW, nullptr);
    ASSERT_NE(native, nullptr);
    RECT rect{};
    GetWindowRect(native, &rect);
    MapWindowPoints(HWND_DESKTOP, window, reinterpret_cast<POINT*>(&rect), 2);
    EXPECT_EQ(rect.left, Pixels(window, 150));
    EXPECT_EQ(rect.top, Pixels(window, 300));
    EXPECT_EQ(rect.right - rect.left, Pixels(window, 4500));

    RECT outer{};
    GetWindowRect(window, &outer);
    EXPECT_FLOAT_EQ(form->Width(), ui::PixelsToTwips(outer.right - outer.left, ui::DpiOf(window)));
}

struct StyleCase {
    FormStyle style;
    bool sizable;
    bool inTaskbar;
};

TEST_F(Win32Form, StylesGiveTheFrameAndTaskbarPresenceAsked) {
    const StyleCase cases[] = {
        {FormStyle::Sizable, true, true},
        {FormStyle::FixedDialog, false, false},
        {FormStyle::FixedSingle, false, false},
    };
    for (const StyleCase& c : cases) {
        auto form = MakeForm(c.style);
        HWND window = WindowOf(*form);
        const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
        const LONG_PTR exStyle = GetWindowLongPtrW(window, GWL_EXSTYLE);
        SCOPED_TRACE(static_cast<int>(c.style));
        EXPECT_EQ((style & WS_THICKFRAME) != 0, c.sizable);
        EXPECT_EQ((style & WS_MAXIMIZEBOX) != 0, c.sizable);
        EXPECT_EQ((style & WS_MINIMIZEBOX) != 0, c.sizable);
        EXPECT_TRUE(style & WS_CAPTION);
        EXPECT_EQ(exStyle & WS_EX_TOOLWINDOW, 0) << "a normal caption";
        // An owned window without WS_EX_APPWINDOW gets no taskbar button.
        const bool owned = GetWindow(window, GW_OWNER) != nullptr;
        EXPECT_EQ(!owned || (exStyle & WS_EX_APPWINDOW), c.inTaskbar);
        EXPECT_FALSE(IsWindowVisible(window)) << "forms are created hidden";
    }
    EXPECT_TRUE(GetWindowLongPtrW(WindowOf(*MakeForm(FormStyle::FixedDialog)), GWL_EXSTYLE) &
                WS_EX_DLGMODALFRAME);
}

std::vector<MenuItem> SampleMenus(std::vector<std::string>& clicks) {
    auto item = [&clicks](const char* name, const char* caption, const char* shortcut) {
        return MenuItem{name, caption, shortcut, [&clicks, name] { clicks.push_back(name); }, {}};
    };
    MenuItem file{"File", "ファイル(&F)", "", nullptr, {}};
    MenuItem more{"More", "その他", "", nullptr, {item("Deep", "深い項目", "")}};
    file.children = {item("Setting", "設定", "Ctrl+S"), item("Sep1", "-", ""), more,
                     item("Exit", "終了(&X)", "")};
    MenuItem view{"View", "表示(&V)", "", nullptr,
                  {item("Update", "最新情報に更新", "F5"), item("Hide", "隠す", "Ctrl+H")}};
    return {file, view};
}

TEST_F(Win32Form, MenuCommandsAreNumberedDepthFirstFrom1000) {
    std::vector<std::string> clicks;
    auto form = MakeForm();
    form->SetMenuBar(SampleMenus(clicks));
    HWND window = WindowOf(*form);
    HMENU bar = GetMenu(window);
    ASSERT_NE(bar, nullptr);
    HMENU file = GetSubMenu(bar, 0);
    HMENU view = GetSubMenu(bar, 1);
    EXPECT_EQ(GetMenuItemID(file, 0), 1001u);  // 設定
    EXPECT_EQ(GetMenuItemID(GetSubMenu(file, 2), 0), 1004u);  // 深い項目
    EXPECT_EQ(GetMenuItemID(file, 3), 1005u);  // 終了
    EXPECT_EQ(GetMenuItemID(view, 0), 1007u);  // 最新情報に更新
    EXPECT_EQ(GetMenuItemID(view, 1), 1008u);  // 隠す
    EXPECT_EQ(GetMenuState(file, 1, MF_BYPOSITION) & MF_SEPARATOR, static_cast<UINT>(MF_SEPARATOR));

    wchar_t caption[64] = {};
    GetMenuStringW(view, 0, caption, 64, MF_BYPOSITION);
    EXPECT_STREQ(caption, L"最新情報に更新\tF5") << "shortcut shown after a tab";

    // Another program fires a command by posting its identifier.
    PostMessageW(window, WM_COMMAND, 1004, 0);
    PostMessageW(window, WM_COMMAND, 1008, 0);
    PostMessageW(window, WM_COMMAND, 1000, 0);  // a menu, not an item: nothing runs
    ASSERT_TRUE(PumpUntil([&] { return clicks.size() >= 2; }));
    toolkit.Yield();
    EXPECT_EQ(clicks, (std::vector<std::string>{"Deep", "Hide"}));
}

TEST_F(Win32Form, ShortcutKeysRunTheirMenuItems) {
    std::vector<std::string> clicks;
    auto form = MakeForm();
    form->SetMenuBar(SampleMenus(clicks));
    form->Show();
    PostMessageW(WindowOf(*form), WM_KEYDOWN, VK_F5, 0);
    ASSERT_TRUE(PumpUntil([&] { return !clicks.empty(); }));
    EXPECT_EQ(clicks, std::vector<std::string>{"Update"});
}

TEST(ShortcutText, ParsesTheKeysMenusUse) {
    struct Case {
        const char* text;
        bool valid;
        BYTE flags;
        WORD key;
    };
    const Case cases[] = {
        {"F1", true, FVIRTKEY, VK_F1},
        {"F5", true, FVIRTKEY, VK_F5},
        {"F12", true, FVIRTKEY, VK_F12},
        {"Ctrl+H", true, FVIRTKEY | FCONTROL, 'H'},
        {"ctrl+s", true, FVIRTKEY | FCONTROL, 'S'},
        {"Ctrl+Shift+Z", true, FVIRTKEY | FCONTROL | FSHIFT, 'Z'},
        {"", false, 0, 0},
        {"F0", false, 0, 0},
        {"F25", false, 0, 0},
        {"Ctrl+", false, 0, 0},
        {"Hyper+X", false, 0, 0},
    };
    for (const Case& c : cases) {
        ACCEL key{};
        EXPECT_EQ(ui::ParseShortcut(c.text, key), c.valid) << c.text;
        if (!c.valid) continue;
        EXPECT_EQ(key.fVirt, c.flags) << c.text;
        EXPECT_EQ(key.key, c.key) << c.text;
    }
}

TEST_F(Win32Form, PopupMenuRunsTheChosenItem) {
    std::vector<std::string> clicks;
    auto form = MakeForm();
    form->SetMenuBar(SampleMenus(clicks));
    form->Show();
    // Keys waiting in the queue drive the pop-up's own loop: the second item.
    HWND window = WindowOf(*form);
    for (WPARAM key : {VK_DOWN, VK_DOWN, VK_RETURN}) PostMessageW(window, WM_KEYDOWN, key, 0);
    form->PopupMenu("View", 300, 300);
    EXPECT_EQ(clicks, std::vector<std::string>{"Hide"});
    EXPECT_THROW(form->PopupMenu("Update", 0, 0), ToolkitError) << "an item, not a menu";
}

TEST_F(Win32Form, TabMovesThroughADialogsControlsInCreationOrder) {
    auto form = MakeForm(FormStyle::FixedDialog);
    PictureBox& page = form->AddPictureBox({0, 0, 6000, 1500});
    page.AddCheckBox("一", {120, 120, 2000, 300});
    page.AddCheckBox("二", {120, 600, 2000, 300});
    form->AddButton("閉じる", {120, 2000, 1200, 400});
    form->Show();
    HWND window = WindowOf(*form);
    SetForegroundWindow(window);
    auto focusedText = [] {
        wchar_t text[32] = {};
        GetWindowTextW(GetFocus(), text, 32);
        return std::wstring(text);
    };
    SetFocus(FindWindowExW(NativeWindow(page), nullptr, WC_BUTTONW, L"一"));
    std::vector<std::wstring> visited;
    for (int i = 0; i < 3; ++i) {
        PostMessageW(GetFocus(), WM_KEYDOWN, VK_TAB, 0);
        toolkit.Yield();
        visited.push_back(focusedText());
    }
    EXPECT_EQ(visited, (std::vector<std::wstring>{L"二", L"閉じる", L"一"}));
}

TEST_F(Win32Form, CheckMarksShowOnTheNativeMenu) {
    std::vector<std::string> clicks;
    auto form = MakeForm();
    form->SetMenuBar(SampleMenus(clicks));
    HMENU bar = GetMenu(WindowOf(*form));
    form->SetMenuChecked("Hide", true);
    EXPECT_TRUE(GetMenuState(bar, 1008, MF_BYCOMMAND) & MF_CHECKED);
    EXPECT_FALSE(GetMenuState(bar, 1007, MF_BYCOMMAND) & MF_CHECKED);
    form->SetMenuChecked("Hide", false);
    EXPECT_FALSE(GetMenuState(bar, 1008, MF_BYCOMMAND) & MF_CHECKED);
    form->SetMenuChecked("Setting", true);
    form->Unload();
    EXPECT_TRUE(form->MenuChecked("Setting")) << "the check mark outlives the window";
}

TEST_F(Win32Form, QueryUnloadNamesWhyTheFormIsClosing) {
    auto form = MakeForm();
    std::vector<UnloadMode> modes;
    bool cancel = true;
    form->onQueryUnload = [&](bool& c, UnloadMode mode) {
        modes.push_back(mode);
        c = cancel;
    };
    HWND window = WindowOf(*form);
    SendMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_FALSE(SendMessageW(window, WM_QUERYENDSESSION, 0, 0)) << "a cancel refuses";
    EXPECT_TRUE(form->Loaded());
    cancel = false;
    EXPECT_TRUE(SendMessageW(window, WM_QUERYENDSESSION, 0, 0));
    SendMessageW(window, WM_ENDSESSION, TRUE, 0);
    EXPECT_FALSE(form->Loaded());
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(modes, (std::vector<UnloadMode>{UnloadMode::CloseBox, UnloadMode::SystemShutdown,
                                             UnloadMode::SystemShutdown}));
}

bool QuitIsPending() {
    MSG message{};
    return PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE) != FALSE;
}

TEST_F(Win32Form, ClosingTheMainFormEndsTheMessageLoop) {
    FormArgs args;
    args.caption = "V O V";
    args.clientWidth = 3000;
    args.clientHeight = 2000;
    args.isMainForm = true;
    auto main = toolkit.CreateForm(args);
    auto other = MakeForm(FormStyle::FixedDialog);
    other->Unload();
    EXPECT_FALSE(QuitIsPending()) << "only the main form ends the program";
    main->Close();
    // A yield that meets the quit leaves it for the main loop.
    toolkit.Yield();
    EXPECT_EQ(toolkit.RunMessageLoop(), 0);
    EXPECT_FALSE(QuitIsPending());
}

TEST_F(Win32Form, TopDockedPictureBoxFollowsTheFormWidth) {
    auto form = MakeForm();
    HWND window = WindowOf(*form);
    PictureBox& host = form->AddPictureBox({0, 0, 1000, 600});
    host.SetAlign(1);
    StatusBar& status = form->AddStatusBar();
    SetWindowPos(window, nullptr, 0, 0, 700, 500, SWP_NOMOVE | SWP_NOZORDER);
    RECT client{};
    GetClientRect(window, &client);
    RECT box{};
    GetWindowRect(NativeWindow(host), &box);
    MapWindowPoints(HWND_DESKTOP, window, reinterpret_cast<POINT*>(&box), 2);
    EXPECT_EQ(box.left, 0);
    EXPECT_EQ(box.top, 0);
    EXPECT_EQ(box.right, client.right);
    EXPECT_EQ(box.bottom - box.top, Pixels(window, 600)) << "the height stays as set";
    EXPECT_EQ(host.Bounds().height, 600);

    const TwipsRect bar = status.Bounds();
    EXPECT_NEAR(bar.top + bar.height, ui::PixelsToTwips(client.bottom, ui::DpiOf(window)), 1)
        << "the status bar sits on the bottom edge";
}

TEST_F(Win32Form, MovingToAScreenOfAnotherResolutionRescalesEverything) {
    auto form = MakeForm();
    HWND window = WindowOf(*form);
    ListView& list = form->AddListView({150, 300, 4500, 3000});
    list.AddColumn("タイトル", 2000);
    form->AddLabel("V O V", {0, 3600, 3000, 500}, FontSpec{"Arial", 12, true}, false);
    const UINT oldDpi = ui::DpiOf(window);
    const UINT newDpi = oldDpi * 3 / 2;
    RECT suggested{0, 0, 900, 700};
    SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(newDpi, newDpi),
                 reinterpret_cast<LPARAM>(&suggested));

    HWND native = FindWindowExW(window, nullptr, WC_LISTVIEWW, nullptr);
    RECT rect{};
    GetWindowRect(native, &rect);
    MapWindowPoints(HWND_DESKTOP, window, reinterpret_cast<POINT*>(&rect), 2);
    EXPECT_EQ(rect.left, ui::TwipsToPixels(150, newDpi));
    EXPECT_EQ(rect.right - rect.left, ui::TwipsToPixels(4500, newDpi));
    EXPECT_EQ(SendMessageW(native, LVM_GETCOLUMNWIDTH, 0, 0), ui::TwipsToPixels(2000, newDpi));
    EXPECT_EQ(list.ColumnWidth(1), 2000);
    EXPECT_EQ(list.Bounds(), (TwipsRect{150, 300, 4500, 3000}));

    LOGFONTW font{};
    HWND label = FindWindowExW(window, nullptr, WC_STATICW, L"V O V");
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(label, WM_GETFONT, 0, 0)), sizeof(font), &font);
    EXPECT_EQ(font.lfHeight, -MulDiv(120, static_cast<int>(newDpi), 720));
    EXPECT_FLOAT_EQ(form->Width(), ui::PixelsToTwips(900, newDpi));
}

TEST_F(Win32Form, TimerTicksOnTheFormsWindow) {
    auto form = MakeForm();
    Timer& timer = form->AddTimer(10);
    int ticks = 0;
    timer.onTimer = [&] { ++ticks; };
    ASSERT_TRUE(PumpUntil([&] { return ticks >= 2; }));
    timer.SetEnabled(false);
    toolkit.Yield();
    const int stopped = ticks;
    Sleep(50);
    toolkit.Yield();
    EXPECT_EQ(ticks, stopped) << "a disabled timer does not tick";
}

}  // namespace
}  // namespace qov::win32::testing
