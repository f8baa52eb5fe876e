// The toolbar object behind the forms' ToolBar interface, in a picture box
// of the real Win32 toolkit, set up the way the main window sets it up.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <vector>

#include "forms_test_support.h"
#include "main_window/main_toolbar.h"
#include "platform/win32/native_handles.h"
#include "platform/win32/pictures.h"
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
    std::vector<int> clicks;
    auto toolbar = CreateMainToolbar(toolkit, box, *images,
                                     [&](std::int16_t index) { clicks.push_back(index); });
    toolkit.Yield();

    const HWND host = NativeWindow(box);
    const HWND bar = FindWindowExW(host, nullptr, TOOLBARCLASSNAMEW, nullptr);
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(SendMessageW(bar, TB_BUTTONCOUNT, 0, 0), toolbar->ButtonsCount());
    EXPECT_TRUE(SendMessageW(bar, TB_GETSTYLE, 0, 0) & TBSTYLE_FLAT);
    EXPECT_EQ(box.Align(), 1);
    EXPECT_FALSE(GetWindowLongW(host, GWL_STYLE) & (WS_BORDER | WS_TABSTOP));

    RECT button{};
    SendMessageW(bar, TB_GETITEMRECT, 3, reinterpret_cast<LPARAM>(&button));
    const LPARAM centre = MAKELPARAM((button.left + button.right) / 2,
                                     (button.top + button.bottom) / 2);
    PostMessageW(bar, WM_LBUTTONDOWN, MK_LBUTTON, centre);
    PostMessageW(bar, WM_LBUTTONUP, 0, centre);
    toolkit.Yield();
    EXPECT_EQ(clicks, (std::vector<int>{3}));

    toolbar.reset();
    EXPECT_FALSE(IsWindow(bar));
    EXPECT_EQ(GetPropW(host, toolbar::basSubClass::PropertyName(host).c_str()), nullptr);
    form->Unload();
}

struct ToolbarLook {
    HIMAGELIST images, hotImages;
    int pictureSize, buttonWidth, buttonHeight, barHeight, hostHeight;
};

ToolbarLook LookAt(HWND bar, HWND host) {
    ToolbarLook look{};
    look.images = reinterpret_cast<HIMAGELIST>(SendMessageW(bar, TB_GETIMAGELIST, 0, 0));
    look.hotImages = reinterpret_cast<HIMAGELIST>(SendMessageW(bar, TB_GETHOTIMAGELIST, 0, 0));
    look.pictureSize = testing::IconHeight(look.images);
    const LRESULT button = SendMessageW(bar, TB_GETBUTTONSIZE, 0, 0);
    look.buttonWidth = LOWORD(button);
    look.buttonHeight = HIWORD(button);
    RECT rect{};
    GetWindowRect(bar, &rect);
    look.barHeight = rect.bottom - rect.top;
    GetWindowRect(host, &rect);
    look.hostHeight = rect.bottom - rect.top;
    return look;
}

// The main window's toolbar when its form moves to a screen of another
// resolution: the pictures are painted for it once (the normal and hot lists
// are one image list), the buttons grow or shrink with them and the host
// follows the toolbar's height.
TEST(ToolBarAdapter, PicturesButtonsAndHostFollowTheFormsResolution) {
    Win32Toolkit toolkit;
    auto form = toolkit.CreateForm({"toolbar resolution", 9135, 6630, FormStyle::Sizable, false});
    form->Show();
    HWND window = ToHwnd(form->Handle());
    PictureBox& box = form->AddPictureBox({0, 0, 9135, 375});
    auto images = toolkit.CreateImageList(PictureSet::ToolbarButtons);
    auto toolbar = CreateMainToolbar(toolkit, box, *images, [](std::int16_t) {});
    toolkit.Yield();
    const HWND host = NativeWindow(box);
    const HWND bar = FindWindowExW(host, nullptr, TOOLBARCLASSNAMEW, nullptr);
    ASSERT_NE(bar, nullptr);
    const UINT startDpi = ui::DpiOf(window);
    const ToolbarLook start = LookAt(bar, host);
    ASSERT_EQ(start.pictureSize, PictureSizeForDpi(startDpi));

    UINT dpi = startDpi;
    for (UINT next : {startDpi * 3 / 2, startDpi * 2, startDpi}) {
        testing::SimulateDpiChange(window, dpi, next);
        dpi = next;
        SCOPED_TRACE(::testing::Message() << "at " << dpi << " dpi");
        const ToolbarLook look = LookAt(bar, host);
        const int growth = look.pictureSize - start.pictureSize;
        EXPECT_EQ(look.pictureSize, PictureSizeForDpi(dpi));
        EXPECT_EQ(look.images, NativeImageList(*images));
        EXPECT_EQ(look.hotImages, look.images) << "one painting for both lists";
        EXPECT_EQ(look.buttonWidth, start.buttonWidth + growth);
        EXPECT_EQ(look.buttonHeight, start.buttonHeight + growth);
        EXPECT_EQ(look.hostHeight, look.barHeight) << "the host fits the toolbar";
        EXPECT_EQ(look.hostHeight > start.hostHeight, growth > 0);
        EXPECT_NEAR(static_cast<float>(box.Bounds().height),
                    ui::PixelsToTwips(look.barHeight, dpi), 1440.0f / static_cast<float>(dpi));
    }
    EXPECT_EQ(LookAt(bar, host).hostHeight, start.hostHeight);
    toolbar.reset();
    form->Unload();
}

}  // namespace
}  // namespace qov::win32
