// The toolbar object behind the forms' ToolBar interface, in a picture box
// of the real Win32 toolkit, set up the way the main window sets it up.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <vector>

#include "platform/win32/native_handles.h"
#include "platform/win32/ui_scale.h"
#include "platform/win32/win32_toolkit.h"
#include "toolbar/subclass.h"

namespace qov::win32 {
namespace {

TEST(ToolBarAdapter, MainWindowSetUpGivesAWorkingToolbarInThePictureBox) {
    Win32Toolkit toolkit;
    auto form = toolkit.CreateForm({"toolbar adapter", 9135, 6630, FormStyle::Sizable, false});
    form->Show();
    PictureBox& box = form->AddPictureBox({0, 0, 9135, 375});
    auto images = toolkit.CreateImageList(PictureSet::ToolbarButtons);
    auto toolbar = toolkit.CreateToolBar();
    std::vector<int> clicks;
    toolbar->onButtonClick = [&](std::int16_t index) { clicks.push_back(index); };

    toolbar->SetTextAlignment(-1);
    toolbar->SetWrappable(true);
    toolbar->SetPictureBox(box);
    toolbar->SetAlign(1);
    toolbar->SetImageList(*images);
    toolbar->SetHotImageList(*images);
    toolbar->SetIndent(8);
    toolbar->SetStyle(1);
    toolbar->ButtonsAdd("Restore1", "元のサイズに戻す", "元のサイズに戻す", 0, 0);
    toolbar->ButtonsAdd("SEP1", "", "", 3, -1);
    toolbar->ButtonsAdd("Close1", "閉じる", "閉じる", 0, 7);
    toolkit.Yield();

    const HWND host = NativeWindow(box);
    const HWND bar = FindWindowExW(host, nullptr, TOOLBARCLASSNAMEW, nullptr);
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(toolbar->ButtonsCount(), 3);
    EXPECT_EQ(SendMessageW(bar, TB_BUTTONCOUNT, 0, 0), 3);
    EXPECT_EQ(reinterpret_cast<HIMAGELIST>(SendMessageW(bar, TB_GETIMAGELIST, 0, 0)),
              NativeImageList(*images));
    EXPECT_TRUE(SendMessageW(bar, TB_GETSTYLE, 0, 0) & TBSTYLE_FLAT);
    EXPECT_EQ(box.Align(), 1);
    EXPECT_FALSE(GetWindowLongW(host, GWL_STYLE) & (WS_BORDER | WS_TABSTOP));

    // The host is as high as the toolbar, in the toolkit's twips.
    RECT barRect{};
    GetWindowRect(bar, &barRect);
    const float barTwips = ui::PixelsToTwips(barRect.bottom - barRect.top, ui::DpiOf(host));
    EXPECT_NEAR(static_cast<float>(box.Bounds().height), barTwips, 1440.0f / ui::DpiOf(host));

    RECT button{};
    SendMessageW(bar, TB_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&button));
    const LPARAM centre = MAKELPARAM((button.left + button.right) / 2,
                                     (button.top + button.bottom) / 2);
    PostMessageW(bar, WM_LBUTTONDOWN, MK_LBUTTON, centre);
    PostMessageW(bar, WM_LBUTTONUP, 0, centre);
    toolkit.Yield();
    EXPECT_EQ(clicks, (std::vector<int>{2}));

    toolbar.reset();
    EXPECT_FALSE(IsWindow(bar));
    EXPECT_EQ(GetPropW(host, toolbar::basSubClass::PropertyName(host).c_str()), nullptr);
    form->Unload();
}

}  // namespace
}  // namespace qov::win32
