// Temporary stand-in for the program's pictures: solid squares of distinct
// colours, so lists and toolbars can be built before the real pictures exist.
#include "platform/win32/native_handles.h"

namespace qov::win32 {

HIMAGELIST CreatePictureImageList(PictureSet pictures, UINT dpi) {
    const int count = pictures == PictureSet::ListRowIcons ? 4 : 16;
    const int side = MulDiv(16, static_cast<int>(dpi), 96);
    HIMAGELIST list = ImageList_Create(side, side, ILC_COLOR32 | ILC_MASK, count, 0);
    if (!list) return nullptr;
    HDC screen = GetDC(nullptr);
    HDC canvas = CreateCompatibleDC(screen);
    for (int i = 0; i < count; ++i) {
        HBITMAP bitmap = CreateCompatibleBitmap(screen, side, side);
        HGDIOBJ previous = SelectObject(canvas, bitmap);
        const COLORREF colour = RGB((i * 70) % 256, (i * 130 + 60) % 256, (i * 40 + 120) % 256);
        HBRUSH brush = CreateSolidBrush(colour);
        RECT square{1, 1, side - 1, side - 1};
        RECT whole{0, 0, side, side};
        FillRect(canvas, &whole, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        FillRect(canvas, &square, brush);
        DeleteObject(brush);
        SelectObject(canvas, previous);
        ImageList_AddMasked(list, bitmap, RGB(255, 255, 255));
        DeleteObject(bitmap);
    }
    DeleteDC(canvas);
    ReleaseDC(nullptr, screen);
    return list;
}

}  // namespace qov::win32
