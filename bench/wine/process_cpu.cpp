#include "process_cpu.h"

#include <tlhelp32.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "win32/handles.h"

namespace qov::bench {
namespace {

double FileTimeMs(const FILETIME& time) {
    ULARGE_INTEGER value;
    value.LowPart = time.dwLowDateTime;
    value.HighPart = time.dwHighDateTime;
    return value.QuadPart / 10000.0;
}

}  // namespace

double ThreadTimesMs(DWORD processId) {
    const win32::UniqueKernelHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0));
    if (!snapshot || snapshot.get() == INVALID_HANDLE_VALUE) return -1;
    THREADENTRY32 entry{};
    entry.dwSize = sizeof(entry);
    double total = 0;
    for (BOOL more = Thread32First(snapshot.get(), &entry); more;
         more = Thread32Next(snapshot.get(), &entry)) {
        if (entry.th32OwnerProcessID != processId) continue;
        const win32::UniqueKernelHandle thread(
            OpenThread(THREAD_QUERY_LIMITED_INFORMATION, FALSE, entry.th32ThreadID));
        FILETIME created, exited, kernel, user;
        if (thread && GetThreadTimes(thread.get(), &created, &exited, &kernel, &user))
            total += FileTimeMs(kernel) + FileTimeMs(user);
    }
    return total;
}

// Drive Z: is the root.
double UnixProcessMs(const char* pid) {
    if (pid == nullptr || *pid == '\0') return -1;
    std::ifstream stat(std::string("Z:\\proc\\") + pid + "\\stat");
    std::string line;
    if (!std::getline(stat, line)) return -1;
    std::istringstream fields(line.substr(line.rfind(')') + 2));
    std::string field;
    long long utime = 0, stime = 0;
    for (int index = 3; fields >> field; ++index) {
        if (index == 14) utime = std::atoll(field.c_str());
        if (index == 15) {
            stime = std::atoll(field.c_str());
            return (utime + stime) * 10.0;
        }
    }
    return -1;
}

}  // namespace qov::bench
