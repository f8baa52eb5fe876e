#pragma once
// Reads the simple-mode text of another process's status bar.
#include <windows.h>

#include <string>

namespace qov::e2e {

// `process` is the status bar's owner, opened with OpenForMemoryAccess;
// borrowed. Empty when the bar cannot be read.
std::wstring StatusBarText(HWND status_bar, HANDLE process);

}  // namespace qov::e2e
