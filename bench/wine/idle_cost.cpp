// QOV's own CPU time at the default refresh interval with 200 windows, over
// a minute. Wine does not follow another process's time in GetProcessTimes,
// but GetThreadTimes on each of its threads does. Much of what a refresh
// costs is spent in the wineserver on QOV's behalf; when the script passes
// the server's Unix process id, its time over the same minute is shown too,
// and QOV's memory and windows are read from outside before and after.
#include "benchmarks.h"

#include <windows.h>
#include <tlhelp32.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "qov_under_test.h"
#include "stopwatch.h"
#include "window_crowd.h"

namespace qov::bench {
namespace {

constexpr int kWindows = 200;
constexpr DWORD kMeasureMs = 60000;

double FileTimeMs(const FILETIME& time) {
    ULARGE_INTEGER value;
    value.LowPart = time.dwLowDateTime;
    value.HighPart = time.dwHighDateTime;
    return value.QuadPart / 10000.0;
}

// User plus kernel time of every thread of `processId` now alive, in ms.
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

// utime + stime of a Unix process from /proc (drive Z: is the root), in ms;
// negative when unknown. The kernel counts in ticks of 10 ms here.
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

}  // namespace

void RunIdleCost() {
    std::printf("\n== Idle cost: qov.exe at the default interval with %d windows, %lu s\n",
                kWindows, kMeasureMs / 1000);
    WindowCrowd crowd(kWindows, L"Idle Window");
    if (!crowd.Ready()) {
        std::printf("the window crowd did not start\n");
        return;
    }
    QovUnderTest qov(StoredSettings{});  // the defaults
    if (!qov.Ready()) {
        std::wprintf(L"qov.exe did not start: \"%ls\"\n", qov.Exe().c_str());
        return;
    }
    if (!qov.WaitForRows(kWindows, 60000)) {
        std::printf("qov.exe never listed the windows\n");
        return;
    }
    Sleep(2000);  // past the start-up work
    const char* server = std::getenv("QOV_WINESERVER_PID");
    const ProcessResources before = qov.Resources();
    const double qovBefore = ThreadTimesMs(qov.Id());
    const double serverBefore = UnixProcessMs(server);
    const double start = NowMs();
    Sleep(kMeasureMs);
    const double elapsed = NowMs() - start;
    const double qovUsed = ThreadTimesMs(qov.Id()) - qovBefore;
    const double serverUsed = UnixProcessMs(server) - serverBefore;

    const double percent = 100.0 * qovUsed / elapsed;
    std::printf("  qov.exe threads: %.0f ms CPU in %.1f s = %.2f %% of one core (%.1f ms per "
                "refresh)  target < 1 %%: %s\n",
                qovUsed, elapsed / 1000, percent, qovUsed / (elapsed / 1000),
                percent < 1.0 ? "met" : "MISSED");
    if (serverBefore >= 0 && serverUsed >= 0) {
        std::printf("  wineserver (whole prefix, same minute): %.0f ms CPU = %.2f %% of one core\n",
                    serverUsed, 100.0 * serverUsed / elapsed);
    }
    PrintResources("before", before);
    PrintResources("after", qov.Resources());
}

}  // namespace qov::bench
