#include "child_processes.h"

#include <tlhelp32.h>

#include <chrono>

#include "platform/win32/unique_handle.h"
#include "wait.h"

namespace qov::e2e {
namespace {

// A snapshot's "none" is INVALID_HANDLE_VALUE, not NULL.
struct snapshot_traits {
    using pointer = HANDLE;
    static pointer invalid() noexcept { return INVALID_HANDLE_VALUE; }
    static void close(pointer h) noexcept { ::CloseHandle(h); }
};

// A message box is answered with the button that declines (the help viewer
// asks whether to look for its missing file); other windows are closed.
BOOL CALLBACK AnswerOrClose(HWND window, LPARAM process_id) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != static_cast<DWORD>(process_id) || !IsWindowVisible(window)) return TRUE;
    for (int answer : {IDNO, IDCANCEL, IDOK}) {
        if (HWND button = GetDlgItem(window, answer)) {
            PostMessageW(button, BM_CLICK, 0, 0);
            return TRUE;
        }
    }
    PostMessageW(window, WM_CLOSE, 0, 0);
    return TRUE;
}

void End(DWORD process_id) {
    win32::unique_kernel_handle process(
        OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, process_id));
    if (!process) return;
    const bool ended = WaitUntil(
        [&] {
            EnumWindows(AnswerOrClose, static_cast<LPARAM>(process_id));
            return WaitForSingleObject(process.get(), 0) == WAIT_OBJECT_0;
        },
        std::chrono::milliseconds(10000));
    if (!ended) {
        TerminateProcess(process.get(), 1);
        WaitForSingleObject(process.get(), 5000);
    }
}

}  // namespace

std::vector<DWORD> ChildProcesses(DWORD parent) {
    std::vector<DWORD> children;
    win32::unique_handle<snapshot_traits> snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot) return children;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Process32FirstW(snapshot.get(), &entry); more;
         more = Process32NextW(snapshot.get(), &entry)) {
        if (entry.th32ParentProcessID == parent) children.push_back(entry.th32ProcessID);
    }
    return children;
}

ChildProcessCleanup::~ChildProcessCleanup() {
    for (DWORD child : ChildProcesses(parent_)) End(child);
}

}  // namespace qov::e2e
