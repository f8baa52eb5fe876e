// What QOV's start costs with the stored "Detect" given: with Auto it puts a
// window of its own through the changes it relies on and waits up to 2 s for
// their reports, beside its first list. 200 windows of another process; QOV
// is started five times. Timed: from CreateProcess until the list holds the
// 200 windows (its row count read every 2 ms), and QOV's CPU time in its
// first 3 s (its threads alive at 3 s).
#include "benchmarks.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "process_cpu.h"
#include "qov_under_test.h"
#include "stats.h"
#include "stopwatch.h"
#include "window_crowd.h"

namespace qov::bench {
namespace {

constexpr int kWindows = 200;
constexpr int kStarts = 5;
constexpr double kFirstSecondsMs = 3000;
constexpr double kGiveUpMs = 30000;

}  // namespace

void RunStartCost(const std::wstring& detect) {
    std::printf("\n== Start: qov.exe with %d windows, %d starts, Detect %ls\n", kWindows, kStarts,
                detect.empty() ? L"not stored" : detect.c_str());
    WindowCrowd crowd(kWindows, L"Start Window");
    if (!Started(crowd)) return;
    const StoredSettings settings = DetectSetting(detect);
    std::vector<double> firstList, cpu;
    for (int i = 0; i < kStarts; ++i) {
        QovUnderTest qov(settings);
        if (!Started(qov)) return;
        while (qov.RowCount() < kWindows && NowMs() - qov.StartedAtMs() < kGiveUpMs) Sleep(2);
        firstList.push_back(NowMs() - qov.StartedAtMs());
        Sleep(static_cast<DWORD>(std::max(0.0, qov.StartedAtMs() + kFirstSecondsMs - NowMs())));
        cpu.push_back(ThreadTimesMs(qov.Id()));
        std::printf("  start %d: list of %d after %.0f ms; %.0f ms CPU in the first %.0f s\n", i + 1, kWindows,
                    firstList.back(), cpu.back(), kFirstSecondsMs / 1000);
    }
    std::printf("  first list: median %.0f ms (min %.0f, max %.0f); CPU in the first 3 s: median %.0f ms "
                "(min %.0f, max %.0f)\n",
                Median(firstList), Percentile(firstList, 0), Percentile(firstList, 1), Median(cpu),
                Percentile(cpu, 0), Percentile(cpu, 1));
}

}  // namespace qov::bench
