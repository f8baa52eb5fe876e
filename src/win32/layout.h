#pragma once
// Layout of the program's windows: rectangles are written in twips (1/1440
// inch) in one table per window and scaled with MulDiv at the window's DPI.
#include <windows.h>

#include <string_view>

#include "win32/handles.h"

namespace qov::win32 {

struct TwipsRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

int TwipsToPixels(int twips, UINT dpi);
int PixelsToTwips(int pixels, UINT dpi);
RECT ToPixels(const TwipsRect& rect, UINT dpi);  // left, top, right, bottom

// Outer size of a window whose client area is `clientWidth` x `clientHeight`
// twips at `dpi`, frames from AdjustWindowRectExForDpi.
SIZE WindowSizeForClient(int clientWidth, int clientHeight, DWORD style, DWORD exStyle,
                         bool hasMenu, UINT dpi);

// Where a window of `size` opens: centred on the work area of the monitor
// that holds `owner` (the primary monitor without one).
POINT CentredOnMonitorOf(HWND owner, SIZE size);

// The user-interface font (the system's message font) at `dpi`; the face
// and size (points may be fractional, 15.75) given when `face` is not empty.
// Null when the system cannot make it: the control then keeps its own font.
UniqueFont CreateUiFont(UINT dpi, std::wstring_view face = {}, double points = 9, bool bold = false);

// A plain area of the dialog colour that can hold controls: a tab page's
// background, an option group's frame, the toolbar's host. Registered once
// per process by RegisterPanelClass.
inline constexpr wchar_t kPanelClass[] = L"QOV.Panel";
void RegisterPanelClass();

// One control of a window's layout table.
struct ControlLayout {
    int id;                     // control ID, 0 for none
    const wchar_t* className;   // WC_BUTTONW, WC_LISTBOXW, ...
    const wchar_t* caption;
    DWORD style;                // WS_CHILD | WS_VISIBLE are added
    TwipsRect bounds;           // relative to `parent`'s client area; a drop-down
                                // combo box's height includes its list
    DWORD exStyle = 0;          // WS_EX_CLIENTEDGE, ...
};

// Creates `layout`'s control in `parent` at `dpi` with `font`; throws
// std::runtime_error when the window cannot be made.
HWND CreateControl(HWND parent, const ControlLayout& layout, UINT dpi, HFONT font);
// Moves an existing control to `bounds` at `dpi` and gives it `font` (WM_DPICHANGED).
void PlaceControl(HWND control, const TwipsRect& bounds, UINT dpi, HFONT font);

}  // namespace qov::win32
