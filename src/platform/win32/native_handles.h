#pragma once
// Bridges between the toolkit's portable objects and the native handles that
// other Win32 code (the toolbar object, the pictures) needs.
#include <windows.h>
#include <commctrl.h>

#include "platform/forms.h"

namespace qov::win32 {

// The window of a picture box created by the Win32 toolkit.
HWND NativeWindow(const PictureBox& box);
// The resolution the toolkit converts the box's twips at (its form's).
UINT ToolkitDpi(const PictureBox& box);
// The native image list of an image list created by the Win32 toolkit, as
// last painted.
HIMAGELIST NativeImageList(const ImageList& images);

// Builds the image list of one of the program's picture sets, painted for
// `dpi` (16 x 16 pixels at 96 dpi). The caller owns the result.
HIMAGELIST CreatePictureImageList(PictureSet pictures, UINT dpi);

// The toolbar object behind the forms' ToolBar interface.
std::unique_ptr<ToolBar> CreateToolBarObject();

}  // namespace qov::win32
