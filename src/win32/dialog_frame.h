#pragma once
// What the program's three secondary windows share: a registered class, a
// fixed frame whose client area is given in twips and which opens on its
// owner's monitor, hiding instead of closing, and the focused control kept
// across activations.
#include <windows.h>

#include <string>

#include "win32/failure.h"
#include "win32/handles.h"

namespace qov::win32 {

struct DialogFrame {
    const wchar_t* className;
    const wchar_t* caption;
    DWORD style;
    DWORD exStyle;
    int clientWidth;   // twips
    int clientHeight;  // twips
};

// Caption, system menu and close box; neither minimise nor maximise, nor a sizing border.
inline constexpr DWORD kFixedFrameStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;

// Creates the window hidden, at the DPI of the main window's monitor and
// centred there; the class is registered with `windowProc` on first use.
// Its messages reach the object once AttachFrameObject has run, at the end of
// the object's constructor, so a constructor that throws leaves no window
// pointing at a half-built object.
UniqueWindow CreateDialogFrame(const DialogFrame& frame, WNDPROC windowProc, HWND mainWindow);
void AttachFrameObject(HWND window, void* object);

// The window procedure of a frame whose object handles its messages (the
// object makes it a friend): messages before AttachFrameObject get the
// default handling, and no exception leaves it.
template <typename Object>
LRESULT CALLBACK FrameWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* object = reinterpret_cast<Object*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!object) return ::DefWindowProcW(window, message, wParam, lParam);
    return Guarded([&] { return object->HandleMessage(message, wParam, lParam); });
}

// Destroys the frame without its messages reaching the object any more (for
// the object's destructor).
void DestroyDialogFrame(UniqueWindow& window);

// The messages every secondary window answers alike, and the default for the
// rest: the close box hides, the focused control survives an activation, and
// a WM_NCDESTROY the object did not ask for (the owner took the window with
// it) leaves the object holding no handle to destroy again.
LRESULT HandleFrameMessage(UniqueWindow& window, HWND& lastFocus, UINT message, WPARAM wParam,
                           LPARAM lParam);

// Shows the window active; it is centred again when the main window has
// moved to another monitor since it was last placed.
void ShowOnMonitorOf(HWND window, HWND mainWindow);

// WM_DPICHANGED, once the controls are placed and dressed for the new DPI:
// takes the rectangle Windows suggests and paints everything again.
void FinishDpiChange(HWND window, LPARAM suggestedRect);

// The program's message box: `text` titled "V O V" with an OK button and
// `icon` (MB_ICONSTOP for the dialogs' refusals, MB_ICONINFORMATION for what
// a command did).
void ShowMessage(HWND owner, const std::string& text, UINT icon);

}  // namespace qov::win32
