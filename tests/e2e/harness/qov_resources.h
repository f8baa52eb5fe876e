#pragma once
// What QOV holds while it runs, read from outside: its memory, its windows
// and the handles its owning types keep (menus, image lists, GDI objects...),
// which the program reports itself because GetGuiResources is not
// implemented under Wine.
#include <windows.h>

#include <array>
#include <cstddef>
#include <optional>

#include "platform/win32/live_handles.h"

namespace qov::e2e {

struct QovResources {
    std::size_t pagefile_bytes = 0;  // PagefileUsage: resident private memory under Wine
    int windows = 0;                 // top-level and child windows of the process
    std::array<long, win32::kHandleKinds> handles{};  // by win32::HandleKind

    long Handles(win32::HandleKind kind) const { return handles[static_cast<int>(kind)]; }
};

// Nothing when QOV does not answer within a few seconds or the process
// cannot be read. `process` needs PROCESS_QUERY_INFORMATION | PROCESS_VM_READ.
std::optional<QovResources> ReadQovResources(HANDLE process, DWORD process_id, HWND main_window);

}  // namespace qov::e2e
