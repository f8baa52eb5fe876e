#pragma once
// qovc's stdout and stderr: UTF-16 through WriteConsoleW on a console, so
// Japanese shows on any code page, with control characters made harmless;
// UTF-8 bytes (no BOM), exactly as given, when redirected.
#include <windows.h>

#include <string>

namespace qov::win32 {

class ConsoleText {
public:
    explicit ConsoleText(DWORD standardHandle);
    // UTF-8 text; a failed write (a closed pipe) is dropped, and remembered.
    void Write(const std::string& text) const;
    // No write has failed, and a pipe written to still has its reader.
    bool StillRead() const;

private:
    HANDLE handle_;  // the process's own: not ours to close
    bool console_;
    mutable bool failed_ = false;
};

}  // namespace qov::win32
