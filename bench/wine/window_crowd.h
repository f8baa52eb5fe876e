#pragma once
// Many titled, visible top-level windows in a process of their own, the way
// other programs' windows sit on a desktop. The benchmark program starts a
// copy of itself as that process.
#include <windows.h>

#include <string>

#include "platform/win32/unique_handle.h"

namespace qov::bench {

class WindowCrowd {
public:
    // Starts the process and waits until all `count` windows exist.
    WindowCrowd(int count, const std::wstring& title_prefix);
    // Ends the process; its windows go with it.
    ~WindowCrowd();
    WindowCrowd(const WindowCrowd&) = delete;
    WindowCrowd& operator=(const WindowCrowd&) = delete;

    bool ready() const { return ready_; }
    DWORD process_id() const { return process_id_; }

private:
    win32::unique_kernel_handle process_;
    win32::unique_kernel_handle stop_;
    DWORD process_id_ = 0;
    bool ready_ = false;
};

// The body of the crowd process: `crowd COUNT PREFIX READY_EVENT STOP_EVENT`.
int RunCrowdProcess(int argc, wchar_t** argv);

}  // namespace qov::bench
