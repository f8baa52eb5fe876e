#pragma once
// The main window's toolbar: the toolbar object in a host child window across
// the top of the main window, with the nineteen button positions of the
// command table (separators counted). A click posts the position's command
// ID to the main window as WM_COMMAND, so the command runs after the toolbar
// object's own handler has returned: a command may close the main window and
// with it the toolbar object.
#include <windows.h>

#include <memory>

namespace qov::win32 {

namespace toolbar { class cToolBar; }

class MainToolbar {
public:
    explicit MainToolbar(HWND mainWindow);
    ~MainToolbar();
    MainToolbar(const MainToolbar&) = delete;
    MainToolbar& operator=(const MainToolbar&) = delete;

    HWND Host() const;
    int Height() const;  // the host's height in pixels
    // Lays the host across the top of the main window's client area.
    void FitWidth(int clientWidth);
    // The main window moved to a screen of another DPI: new pictures, new size.
    void DpiChanged(UINT dpi);
    toolbar::cToolBar& Object();

private:
    struct Parts;
    std::unique_ptr<Parts> parts_;
};

}  // namespace qov::win32
