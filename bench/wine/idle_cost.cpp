// QOV's own CPU time at the default refresh interval with 200 windows, over
// a minute, with the stored "Detect" given (none: the default). Much of what
// a refresh costs is spent in the wineserver on QOV's behalf; when the script
// passes the server's Unix process id, its time over the same minute is shown
// too, and QOV's memory and windows are read from outside before and after.
#include "benchmarks.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "process_cpu.h"
#include "qov_under_test.h"
#include "stopwatch.h"
#include "window_crowd.h"

namespace qov::bench {
namespace {

constexpr int kWindows = 200;
constexpr DWORD kMeasureMs = 60000;

}  // namespace

void RunIdleCost(const std::wstring& detect) {
    std::printf("\n== Idle cost: qov.exe at the default interval with %d windows, %lu s, Detect %ls\n",
                kWindows, kMeasureMs / 1000, detect.empty() ? L"not stored" : detect.c_str());
    WindowCrowd crowd(kWindows, L"Idle Window");
    if (!Started(crowd)) return;
    const StoredSettings settings = DetectSetting(detect);
    QovUnderTest qov(settings);
    if (!Started(qov)) return;
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
    std::printf("  qov.exe threads: %.0f ms CPU in %.1f s = %.2f %% of one core (%.1f ms a "
                "second)  target < 1 %%: %s\n",
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
