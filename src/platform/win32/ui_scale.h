#pragma once
// Twips, pixels and fonts at a window's resolution.
#include <windows.h>

#include "platform/forms.h"
#include "platform/win32/unique_handle.h"

namespace qov::win32::ui {

// The resolution the system renders the window at; the system resolution when
// the window is null or the system cannot say per window.
UINT DpiOf(HWND window);
UINT SystemDpi();

inline int TwipsToPixels(int twips, UINT dpi) {
    return MulDiv(twips, static_cast<int>(dpi), 1440);
}
inline float PixelsToTwips(int pixels, UINT dpi) {
    return static_cast<float>(pixels) * 1440.0f / static_cast<float>(dpi);
}

// The user's message font (a font that can show Japanese on a Japanese
// system, and through font linking elsewhere), at `dpi`.
unique_hfont CreateDialogFont(UINT dpi);
// A label's own font; an empty face means the dialog font's face.
unique_hfont CreateLabelFont(const FontSpec& wanted, UINT dpi);

}  // namespace qov::win32::ui
