#pragma once
// The program's pictures, painted with GDI at run time for the window's DPI so
// they stay sharp at every scale: the list's row icons, the toolbar's button
// pictures and the program icon.
#include <windows.h>

#include "win32/handles.h"

namespace qov::win32 {

// Edge length in pixels of a small picture at `dpi` (16 at 96 dpi).
int PictureSizeForDpi(UINT dpi);

// Four icons; image i is StatusIcon i + 1 (maximised, minimised, normal, hidden).
UniqueImageList CreateRowIconList(UINT dpi);
// The sixteen toolbar pictures, in the order the main toolbar uses them.
UniqueImageList CreateToolbarPictureList(UINT dpi);
// The program's icon, `pixels` square.
UniqueIcon CreateProgramIcon(int pixels);

}  // namespace qov::win32
