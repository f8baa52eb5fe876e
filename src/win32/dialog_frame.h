#pragma once
// What the program's three secondary windows share: a fixed frame whose
// client area is given in twips and which opens on its owner's monitor,
// hiding instead of closing, the focused control kept across activations,
// and the user-interface font at the window's DPI.
#include <windows.h>

#include <string>

#include "win32/handles.h"
#include "win32/window_scaffold.h"

namespace qov::win32 {

struct DialogLook {
    const wchar_t* className;
    const wchar_t* caption;
    DWORD style;
    DWORD exStyle;
    int clientWidth;   // twips
    int clientHeight;  // twips
};

// Caption, system menu and close box; neither minimise nor maximise, nor a sizing border.
inline constexpr DWORD kFixedFrameStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;

class DialogFrame : public WindowScaffold {
protected:
    // Creates the window hidden, at the DPI of the main window's monitor and
    // centred there. The dialog calls Attach once its controls exist.
    DialogFrame(const DialogLook& look, HWND mainWindow);
    // The window goes before the font its controls use.
    ~DialogFrame() override;

    // Shows the window active; it is centred again when the main window has
    // moved to another monitor since it was last placed.
    void Show();
    // The user-interface font at the window's DPI, made on first use.
    HFONT UiFont();

    // The close box hides, the focused control survives an activation.
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    // Places the controls again at `dpi`, each with its font (UiFont, or the
    // dialog's own).
    virtual void PlaceControls(UINT dpi) = 0;

private:
    void OnDpiChanged(UINT dpi) final;
    void ShowIconsAtDpi(UINT dpi);
    void KeepFocusAcrossActivation(WPARAM activation);

    HWND mainWindow_;
    HWND lastFocus_ = nullptr;
    UniqueFont font_;
};

// The program's message box: `text` titled "V O V" with an OK button and
// `icon` (MB_ICONSTOP for the dialogs' refusals, MB_ICONINFORMATION for what
// a command did).
void ShowMessage(HWND owner, const std::string& text, UINT icon);

}  // namespace qov::win32
