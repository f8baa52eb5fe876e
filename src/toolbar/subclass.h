#pragma once
// The link from a host window to the toolbar object that hooks it: a window
// property on the host, named after the host's handle as signed 32-bit
// decimal text ("66722" for 0x104A2), holding the object's address. The
// property is a borrowed pointer; the object removes it before it goes.
#include <windows.h>

#include <string>

namespace qov::toolbar {

class cToolBar;

namespace basSubClass {

std::wstring PropertyName(HWND host);

// Installed as the host's window procedure while a toolbar object hooks it.
LRESULT CALLBACK SubClassWindowProc(HWND hwnd, UINT uMsg, WPARAM wParam, LPARAM lParam);

}  // namespace basSubClass
}  // namespace qov::toolbar
