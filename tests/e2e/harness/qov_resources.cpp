#include "qov_resources.h"

#include <psapi.h>

namespace qov::e2e {
namespace {

struct WindowCount {
    DWORD process_id;
    int count;
};

BOOL CALLBACK CountChild(HWND, LPARAM parameter) {
    ++reinterpret_cast<WindowCount*>(parameter)->count;
    return TRUE;
}

// EnumChildWindows walks every descendant, not only the direct children.
BOOL CALLBACK CountTopLevel(HWND window, LPARAM parameter) {
    auto* count = reinterpret_cast<WindowCount*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == count->process_id) {
        ++count->count;
        EnumChildWindows(window, CountChild, parameter);
    }
    return TRUE;
}

}  // namespace

std::optional<QovResources> ReadQovResources(HANDLE process, DWORD process_id, HWND main_window) {
    QovResources resources;
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof(counters);
    if (!GetProcessMemoryInfo(process, &counters, sizeof(counters))) return std::nullopt;
    resources.pagefile_bytes = counters.PagefileUsage;

    WindowCount windows{process_id, 0};
    EnumWindows(CountTopLevel, reinterpret_cast<LPARAM>(&windows));
    resources.windows = windows.count;

    const UINT query = RegisterWindowMessageW(win32::kLiveHandlesMessage);
    for (int kind = 0; kind < win32::kHandleKinds; ++kind) {
        DWORD_PTR answer = 0;
        if (query == 0 || !SendMessageTimeoutW(main_window, query, kind, 0, SMTO_NORMAL, 5000,
                                               &answer)) {
            return std::nullopt;
        }
        resources.handles[kind] = static_cast<long>(static_cast<LRESULT>(answer));
    }
    return resources;
}

}  // namespace qov::e2e
