#pragma once
// Real top-level windows for the Windows tests: windows of the test's own
// thread, and windows owned by a thread of their own (as other programs'
// windows are), which can be made to stop answering messages.
#include <windows.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>

#include "platform/win32/unique_handle.h"

namespace qov::test {

// A plain overlapped window of the test class at (100,100), 300 x 200,
// not yet shown.
win32::unique_hwnd CreateTestWindow(const std::wstring& title);

// Dispatches this thread's messages until `done` holds; false when it still
// does not after about five seconds.
bool PumpUntil(const std::function<bool()>& done);

// A shown window owned by a thread of its own. A thread started hung takes no
// messages until Release(); otherwise it pumps them all along.
class WindowThread {
public:
    enum class Start { Pumping, Hung };

    explicit WindowThread(Start start);
    ~WindowThread();
    WindowThread(const WindowThread&) = delete;
    WindowThread& operator=(const WindowThread&) = delete;

    HWND window() const { return window_; }
    bool hung() const { return !pumping_; }
    void Release();

private:
    void Run(Start start);

    win32::unique_kernel_handle created_;
    win32::unique_kernel_handle released_;
    std::atomic<HWND> window_{nullptr};
    std::atomic<DWORD> thread_id_{0};
    std::atomic<bool> pumping_{false};
    std::atomic<bool> finished_{false};
    std::thread thread_;
};

}  // namespace qov::test
