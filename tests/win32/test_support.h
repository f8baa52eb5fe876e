#pragma once
// Shared by the Windows tests: their entry point (in test_support.cpp), a
// window of the test's own thread, one of another thread and a bounded wait.
#include <windows.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <string>
#include <thread>

#include "win32/handles.h"

namespace qov::test {

using namespace std::chrono_literals;

constexpr wchar_t kSettingsKey[] = L"Software\\Tamarind Desk\\QOV";  // under HKEY_CURRENT_USER
constexpr UINT kHang = WM_APP;  // an OtherThreadWindow sleeps in its handler for wParam milliseconds

// A plain overlapped window at (100,100), 300 x 200, not yet shown.
win32::UniqueWindow CreateTestWindow(const std::wstring& title, const wchar_t* className = L"QovTestWindow");

// Runs this thread's messages until `done` holds; false if it still does not
// after `limit`. It looks at least every 50 ms: in the end-to-end tests one
// look at QOV's list is many messages to it.
bool PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds limit = 15s);

// Another program's window: a test window on a thread of its own, shown as
// `show` says (SW_HIDE: never shown). Given a system command, it first keeps
// answering for `asksFor`, as a program with a question open does.
class OtherThreadWindow {
public:
    explicit OtherThreadWindow(const wchar_t* title, int show = SW_SHOWNOACTIVATE,
                               std::chrono::milliseconds asksFor = 0ms,
                               const wchar_t* className = L"QovTestWindow");
    ~OtherThreadWindow();  // closes it, unless a test already has
    HWND Get() const { return window_; }

private:
    std::atomic<HWND> window_{nullptr};
    std::thread thread_;  // last: it starts once the member above exists
};

}  // namespace qov::test
