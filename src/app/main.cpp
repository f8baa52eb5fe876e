// Placeholder entry point until the main window exists: lists the desktop's
// top-level windows through the window-system layer.
#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) { return 0; }
