#pragma once
// The program's pictures, painted at run time for the screen's resolution so
// they stay sharp at every scale: the list's row icons, the toolbar's button
// pictures (CreatePictureImageList in native_handles.h) and the window icon.
#include <windows.h>

namespace qov::win32 {

// Edge length in pixels of a small picture at `dpi` (16 at 96 dpi).
int PictureSizeForDpi(UINT dpi);

// The program's icon, `pixels` square; the caller owns it (DestroyIcon).
HICON CreateProgramIcon(int pixels);

}  // namespace qov::win32
