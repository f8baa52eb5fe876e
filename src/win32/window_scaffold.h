#pragma once
// What every window of the program is built on: the window it owns, the one
// window procedure that hands the window's messages to its object, the class
// registered on first use, no exception crossing USER32, and the DPI the
// window is shown at, kept current through WM_DPICHANGED.
#include <windows.h>

#include "win32/handles.h"

namespace qov::win32 {

class WindowScaffold {
public:
    WindowScaffold(const WindowScaffold&) = delete;
    WindowScaffold& operator=(const WindowScaffold&) = delete;

    HWND Handle() const { return window_.get(); }

    // What every window of one class shares.
    struct WindowClass {
        const wchar_t* name;
        const wchar_t* menu = nullptr;  // a menu resource; each window gets its own copy
        HICON icon = nullptr;           // shared icons, which the class does not own
        HICON smallIcon = nullptr;
    };
    // One window's CreateWindowExW arguments besides its class.
    struct WindowShape {
        const wchar_t* caption;
        DWORD style;
        DWORD exStyle;
        POINT at;
        SIZE size;
        HWND owner = nullptr;
    };

protected:
    WindowScaffold() = default;
    // A window still there goes without its messages reaching the object,
    // which is half gone by then.
    virtual ~WindowScaffold();

    // Creates the window, registering its class on first use. Its messages
    // get the default handling until Attach: a constructor calls that last,
    // so one that throws leaves no window pointing at a half-built object.
    // False, with the last error set, when the window cannot be made.
    bool Create(const WindowClass& windowClass, const WindowShape& shape);
    void Attach();
    // The same, its messages reaching the object from WM_NCCREATE on: for a
    // window whose WM_CREATE builds its parts.
    bool CreateAttached(const WindowClass& windowClass, const WindowShape& shape);
    // Destroys the window without its messages reaching the object.
    void Destroy();

    UINT Dpi() const { return dpi_; }
    // The caption and taskbar icons; the window owns them while it shows them.
    void ShowIcons(UniqueIcon small, UniqueIcon big);

    // The window's messages. What a window does not handle itself it passes
    // here: WM_DPICHANGED is answered alike for every window (OnDpiChanged,
    // then the rectangle Windows suggests), the rest gets the default handling.
    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // The window moved to a screen of another resolution: its controls are
    // dressed and placed again at `dpi`, before it takes its new size.
    virtual void OnDpiChanged(UINT dpi) = 0;

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
    HWND CreateWindowOf(const WindowClass& windowClass, const WindowShape& shape, void* attached);
    void Adopt(HWND window);
    LRESULT HandleDpiChange(UINT dpi, const RECT& suggested);

    UniqueIcon smallIcon_;
    UniqueIcon bigIcon_;
    UniqueWindow window_;  // declared after the icons, so it goes before them
    UINT dpi_ = USER_DEFAULT_SCREEN_DPI;
};

}  // namespace qov::win32
