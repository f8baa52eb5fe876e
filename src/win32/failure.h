#pragma once
// What the program does with an exception that reaches a window procedure or
// wWinMain: no exception may cross USER32's frames, and a failure must not
// end the program without a word.
#include <windows.h>

#include <exception>

namespace qov::win32 {

// Shows what failed in a message box titled "V O V" and ends the message loop
// with exit code 1. Safe to call from any handler of the program's thread.
void ReportFailure(const std::exception_ptr& failure) noexcept;

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
