#pragma once
// Many titled, visible top-level windows in a process of their own, the way
// other programs' windows sit on a desktop. The benchmark program starts a
// copy of itself as that process.
#include <windows.h>

#include <string>

#include "win32/handles.h"

namespace qov::bench {

class WindowCrowd {
public:
    // Starts the process and waits until all `count` windows exist.
    WindowCrowd(int count, const std::wstring& titlePrefix);
    // Ends the process; its windows go with it.
    ~WindowCrowd();
    WindowCrowd(const WindowCrowd&) = delete;
    WindowCrowd& operator=(const WindowCrowd&) = delete;

    bool Ready() const { return ready_; }

private:
    win32::UniqueKernelHandle process_;
    win32::UniqueKernelHandle stop_;
    bool ready_ = false;
};

// The body of the crowd process: `crowd COUNT PREFIX READY_EVENT STOP_EVENT`.
int RunCrowdProcess(int argc, wchar_t** argv);

}  // namespace qov::bench
