// QOV's own CPU time at the default refresh interval with 200 windows, over
// a minute. Wine does not follow another process's time in GetProcessTimes,
// but GetThreadTimes on each of its threads does. Much of what a refresh
// costs is spent in the wineserver on QOV's behalf; when the script passes
// the server's Unix process id, its time over the same minute is shown too.
#include "benchmarks.h"

#include <windows.h>
#include <tlhelp32.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "harness/qov_process.h"
#include "harness/qov_registry.h"
#include "harness/wait.h"
#include "platform/win32/unique_handle.h"
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

// User plus kernel time of every thread of `process_id` now alive, in ms.
double ThreadTimesMs(DWORD process_id) {
    const win32::unique_kernel_handle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0));
    if (!snapshot || snapshot.get() == INVALID_HANDLE_VALUE) return -1;
    THREADENTRY32 entry{};
    entry.dwSize = sizeof(entry);
    double total = 0;
    for (BOOL more = Thread32First(snapshot.get(), &entry); more;
         more = Thread32Next(snapshot.get(), &entry)) {
        if (entry.th32OwnerProcessID != process_id) continue;
        const win32::unique_kernel_handle thread(
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
    if (!crowd.ready()) {
        std::printf("the window crowd did not start\n");
        return;
    }
    e2e::DeleteQovSettings();
    e2e::QovProcess qov(e2e::QovExePath());
    if (!qov.ready()) {
        std::wprintf(L"qov.exe did not start: %ls\n", qov.error().c_str());
        return;
    }
    if (!e2e::WaitUntil([&] { return qov.list().RowCount() >= kWindows; },
                        std::chrono::seconds(60))) {
        std::printf("qov.exe never listed the windows\n");
        return;
    }
    Sleep(2000);  // past the start-up work
    const char* server = std::getenv("QOV_WINESERVER_PID");
    const double qovBefore = ThreadTimesMs(qov.id());
    const double serverBefore = UnixProcessMs(server);
    const double start = NowMs();
    Sleep(kMeasureMs);
    const double elapsed = NowMs() - start;
    const double qovUsed = ThreadTimesMs(qov.id()) - qovBefore;
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
    e2e::DeleteQovSettings();
}

}  // namespace qov::bench
