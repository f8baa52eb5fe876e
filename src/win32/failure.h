#pragma once
// What the program does with an exception that reaches a window procedure or
// wWinMain: no exception may cross USER32's frames, and a failure must not
// end the program without a word.
#include <windows.h>

#include <exception>
#include <stdexcept>
#include <string>

namespace qov::win32 {

// Shows what failed in a message box titled "V O V" and ends the message loop
// with exit code 1. Safe to call from any handler of the program's thread.
void ReportFailure(const std::exception_ptr& failure) noexcept;

// "`what` (error N)", N being the calling thread's last Win32 error.
std::string LastErrorText(const std::string& what);

// Throws the failure of the Win32 call just made, as `Error`.
template <typename Error = std::runtime_error>
[[noreturn]] void ThrowLastError(const std::string& what) {
    throw Error(LastErrorText(what));
}

// Runs a window procedure's handler; an exception is reported (above) and 0 returned.
template <typename Handler>
LRESULT Guarded(Handler&& handler) noexcept {
    try {
        return handler();
    } catch (...) {
        ReportFailure(std::current_exception());
        return 0;
    }
}

}  // namespace qov::win32
