#include "win32/process_tree.h"

#include <windows.h>
#include <tlhelp32.h>

#include <map>
#include <set>

#include "win32/handles.h"

namespace qov::win32 {
namespace {

// 0 when the process cannot be opened.
ULONGLONG StartTime(DWORD processId) {
    const UniqueKernelHandle process{::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId)};
    FILETIME created{}, exited{}, kernel{}, user{};
    if (!process || !::GetProcessTimes(process.get(), &created, &exited, &kernel, &user)) return 0;
    return (ULONGLONG{created.dwHighDateTime} << 32) | created.dwLowDateTime;
}

BOOL CALLBACK NoteShownWindow(HWND window, LPARAM shown) {
    DWORD processId = 0;
    if (::IsWindowVisible(window) && ::GetWindowThreadProcessId(window, &processId))
        reinterpret_cast<std::set<DWORD>*>(shown)->insert(processId);
    return TRUE;
}

}  // namespace

std::vector<AncestorProcess> AncestorProcesses() {
    std::map<DWORD, DWORD> parentOf;
    const HANDLE taken = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (taken == INVALID_HANDLE_VALUE) return {};
    const UniqueKernelHandle snapshot{taken};
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL more = ::Process32FirstW(snapshot.get(), &entry); more;
         more = ::Process32NextW(snapshot.get(), &entry))
        parentOf[entry.th32ProcessID] = entry.th32ParentProcessID;
    std::set<DWORD> shown;
    ::EnumWindows(NoteShownWindow, reinterpret_cast<LPARAM>(&shown));

    std::vector<AncestorProcess> ancestors;
    DWORD child = ::GetCurrentProcessId();
    ULONGLONG childStart = StartTime(child);
    for (auto parent = parentOf.find(child); parent != parentOf.end() && parent->second != 0;
         parent = parentOf.find(child)) {
        const DWORD id = parent->second;
        const ULONGLONG start = StartTime(id);
        if (start == 0 || start > childStart || ancestors.size() > 64) break;
        ancestors.push_back({id, shown.contains(id)});
        child = id, childStart = start;
    }
    return ancestors;
}

}  // namespace qov::win32
