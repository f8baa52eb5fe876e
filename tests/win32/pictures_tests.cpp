// The program's pictures: image lists of the right count and size for the
// resolution, every used picture painted, the unused ones empty.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <vector>

#include "platform/win32/native_handles.h"
#include "platform/win32/pictures.h"

namespace qov::win32 {
namespace {

// How many pixels of a picture are not transparent.
int OpaquePixels(HIMAGELIST list, int index, int size) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), size, -size, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(dc, bitmap);
    const auto* pixels = static_cast<const DWORD*>(bits);
    // Drawn twice, on white and on black: a pixel that differs is see-through.
    auto paint = [&](COLORREF background, std::vector<DWORD>& out) {
        ImageList_DrawEx(list, index, dc, 0, 0, size, size, background, CLR_NONE, ILD_NORMAL);
        GdiFlush();
        out.assign(pixels, pixels + size * size);
    };
    std::vector<DWORD> onWhite, onBlack;
    paint(RGB(255, 255, 255), onWhite);
    paint(RGB(0, 0, 0), onBlack);
    int opaque = 0;
    for (size_t i = 0; i < onWhite.size(); ++i)
        if ((onWhite[i] & 0xFFFFFF) == (onBlack[i] & 0xFFFFFF)) ++opaque;
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return opaque;
}

TEST(Pictures, SetsHaveTheirCountAndTheSizeForTheResolution) {
    const struct {
        PictureSet set;
        UINT dpi;
        int count, size;
    } table[] = {{PictureSet::ToolbarButtons, 96, 16, 16},
                 {PictureSet::ToolbarButtons, 144, 16, 24},
                 {PictureSet::ListRowIcons, 96, 4, 16},
                 {PictureSet::ListRowIcons, 120, 4, 20}};
    for (const auto& row : table) {
        HIMAGELIST list = CreatePictureImageList(row.set, row.dpi);
        ASSERT_NE(list, nullptr);
        int cx = 0, cy = 0;
        ImageList_GetIconSize(list, &cx, &cy);
        EXPECT_EQ(ImageList_GetImageCount(list), row.count) << "dpi " << row.dpi;
        EXPECT_EQ(cx, row.size) << "dpi " << row.dpi;
        EXPECT_EQ(cy, row.size) << "dpi " << row.dpi;
        ImageList_Destroy(list);
    }
}

TEST(Pictures, UsedToolbarPicturesArePaintedAndTheUnusedOnesAreEmpty) {
    for (UINT dpi : {96u, 144u}) {
        HIMAGELIST list = CreatePictureImageList(PictureSet::ToolbarButtons, dpi);
        const int size = PictureSizeForDpi(dpi);
        for (int i = 0; i < 16; ++i) {
            const int opaque = OpaquePixels(list, i, size);
            if (i == 9 || i == 10) {
                EXPECT_EQ(opaque, 0) << "picture " << i;
            } else {
                EXPECT_GT(opaque, size * size / 8) << "picture " << i << " at " << dpi;
                if (i != 4) {  // maximise: a window filling the square
                    EXPECT_LT(opaque, size * size) << "picture " << i << " has no transparent part";
                }
            }
        }
        ImageList_Destroy(list);
    }
}

TEST(Pictures, ProgramIconComesInTheAskedSize) {
    for (int pixels : {16, 32, 48}) {
        HICON icon = CreateProgramIcon(pixels);
        ASSERT_NE(icon, nullptr);
        ICONINFO info{};
        ASSERT_TRUE(GetIconInfo(icon, &info));
        BITMAP bitmap{};
        GetObjectW(info.hbmColor, sizeof(bitmap), &bitmap);
        EXPECT_EQ(bitmap.bmWidth, pixels);
        EXPECT_EQ(bitmap.bmHeight, pixels);
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
        DestroyIcon(icon);
    }
}

}  // namespace
}  // namespace qov::win32
