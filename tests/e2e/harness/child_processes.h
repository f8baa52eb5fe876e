#pragma once
// The programs another process started (QOV's help viewer), ended when the
// test is done: each is answered or closed through its own windows first,
// as a user would, and only then ended through its own process handle.
#include <windows.h>

#include <vector>

namespace qov::e2e {

// The processes whose parent is `parent`, running now.
std::vector<DWORD> ChildProcesses(DWORD parent);

class ChildProcessCleanup {
public:
    explicit ChildProcessCleanup(DWORD parent) : parent_(parent) {}
    ~ChildProcessCleanup();
    ChildProcessCleanup(const ChildProcessCleanup&) = delete;
    ChildProcessCleanup& operator=(const ChildProcessCleanup&) = delete;

private:
    DWORD parent_;
};

}  // namespace qov::e2e
