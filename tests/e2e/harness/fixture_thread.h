#pragma once
// A top-level window of the test's own, owned by a thread of its own, the way
// another program's window would be: QOV lists it and acts on it, and the
// fixture records what reached it. Its thread can be made to stop answering.
#include <windows.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/win32/unique_handle.h"

namespace qov::e2e {

struct FixtureOptions {
    static FixtureOptions Titled(std::wstring title, int show = SW_SHOWNOACTIVATE) {
        FixtureOptions options;
        options.title = std::move(title);
        options.show = show;
        return options;
    }

    std::wstring title;
    RECT rect{140, 120, 540, 420};  // screen coordinates
    int show = SW_SHOWNOACTIVATE;   // SW_HIDE leaves it never shown
    std::wstring class_name = L"QovE2eFixture";
    // Runs on the fixture's thread once the window exists (to add children).
    std::function<void(HWND)> build;
};

class FixtureThread {
public:
    explicit FixtureThread(FixtureOptions options);
    // Ends a hang, then ends the thread; the window is destroyed if still there.
    ~FixtureThread();
    FixtureThread(const FixtureThread&) = delete;
    FixtureThread& operator=(const FixtureThread&) = delete;

    // Null when the window could not be created.
    HWND window() const { return window_; }
    DWORD thread_id() const { return thread_id_; }
    const FixtureOptions& options() const { return options_; }
    bool exists() const { return window_ != nullptr && IsWindow(window_); }

    // Makes the thread sit inside a message handler, answering nothing, for
    // `duration` or until Release(). True once it is sitting there.
    bool Hang(std::chrono::milliseconds duration);
    void Release();
    // Asks the window to close, as its close box would.
    void Close();

    // The system commands (WM_SYSCOMMAND, low four bits cleared) received so far.
    std::vector<UINT> SysCommands() const;
    bool ReceivedSysCommand(UINT command) const;

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
    LRESULT Handle(UINT message, WPARAM wparam, LPARAM lparam);
    void Run();

    FixtureOptions options_;
    win32::unique_kernel_handle created_;
    win32::unique_kernel_handle released_;
    std::atomic<bool> hanging_{false};
    HWND window_ = nullptr;  // written before created_ is signalled
    DWORD thread_id_ = 0;
    mutable std::mutex mutex_;
    std::vector<UINT> sys_commands_;
    std::thread thread_;
};

}  // namespace qov::e2e
