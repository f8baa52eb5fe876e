#pragma once
// Many titled, visible top-level windows in a process of their own, the way
// other programs' windows sit on a desktop. The benchmark program starts a
// copy of itself as that process. Optionally the crowd churns: besides its
// fixed windows it creates and destroys others continuously until calmed.
#include <windows.h>

#include <string>
#include <vector>

#include "win32/handles.h"

namespace qov::bench {

class WindowCrowd {
public:
    // Starts the process and waits until all `count` windows exist. With
    // `churnUpTo` > 0, up to that many more windows come and go meanwhile.
    WindowCrowd(int count, const std::wstring& titlePrefix, int churnUpTo = 0);
    // Ends the process; its windows go with it.
    ~WindowCrowd();
    WindowCrowd(const WindowCrowd&) = delete;
    WindowCrowd& operator=(const WindowCrowd&) = delete;

    bool Ready() const { return ready_; }
    // The crowd's windows now, fixed and churning, in no order.
    std::vector<HWND> Windows() const;
    // Stops the churn and waits until it has; the windows then stay as they are.
    bool Calm();
    // Ends the process (its windows go with it); the number of windows the
    // churn created, or -1.
    int End();

private:
    win32::UniqueKernelHandle process_;
    win32::UniqueKernelHandle stop_, calm_, calmed_;
    DWORD processId_ = 0;
    bool ready_ = false;
};

// The body of the crowd process:
// `crowd COUNT PREFIX READY_EVENT STOP_EVENT CHURN_UP_TO CALM_EVENT CALMED_EVENT`.
int RunCrowdProcess(int argc, wchar_t** argv);

// Says why a benchmark cannot go on when the crowd did not start.
bool Started(const WindowCrowd& crowd);

}  // namespace qov::bench
