// How long a renamed window takes to show its new title in QOV's list, with
// 1000 windows of another process on the desktop. The benchmark renames a
// random one of them (SetWindowTextW: the window's own thread changes the
// title and raises EVENT_OBJECT_NAMECHANGE, as Windows does) and looks for
// the new title in QOV's list from outside, with the list view's own search,
// every millisecond. Renames follow each other after 50–300 ms (varying, so
// they fall at every point of a timer's interval). QOV runs at the default
// interval (1 s) with the stored "Detect" given; a version that does not
// know the setting ignores it.
#include "benchmarks.h"

#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cwchar>
#include <random>
#include <string>
#include <vector>

#include "qov_under_test.h"
#include "stats.h"
#include "stopwatch.h"
#include "window_crowd.h"

namespace qov::bench {
namespace {

constexpr int kWindows = 1000;
constexpr int kRenames = 100;
constexpr double kGiveUpMs = 5000;
constexpr int kTitleColumn = 0, kHandleColumn = 4;

}  // namespace

void RunRenameLatency(const std::wstring& detect) {
    std::printf("\n== Rename latency: %d windows, %d renames, qov.exe at the default interval, Detect %ls\n",
                kWindows, kRenames, detect.empty() ? L"not stored" : detect.c_str());
    WindowCrowd crowd(kWindows, L"Latency Window");
    if (!Started(crowd)) return;
    const StoredSettings settings = DetectSetting(detect);
    QovUnderTest qov(settings);
    if (!Started(qov)) return;
    if (!qov.WaitForRows(kWindows, 60000)) {
        std::printf("qov.exe never listed the windows\n");
        return;
    }
    Sleep(3000);  // past the start-up work (and Auto's finding out)
    const std::vector<HWND> windows = crowd.Windows();
    const ProcessResources before = qov.Resources();

    std::mt19937 random(20261207);
    std::uniform_int_distribution<std::size_t> pickWindow(0, windows.size() - 1);
    std::uniform_int_distribution<int> pause(50, 300);
    std::vector<double> shown;   // from before the rename to the title found in the list
    std::vector<double> renamed;  // how long the rename itself took (the sent WM_SETTEXT)
    int missed = 0, wrongRow = 0;
    for (int i = 0; i < kRenames; ++i) {
        Sleep(pause(random));
        const HWND window = windows[pickWindow(random)];
        const std::wstring title = L"Renamed " + std::to_wstring(i + 1) + L" of " +
                                   std::to_wstring(reinterpret_cast<std::intptr_t>(window));
        const double start = NowMs();
        SetWindowTextW(window, title.c_str());
        renamed.push_back(NowMs() - start);
        int row = -1;
        while ((row = qov.FindTitle(title)) < 0 && NowMs() - start < kGiveUpMs) Sleep(1);
        const double seen = NowMs() - start;
        if (row < 0) {
            ++missed;
            continue;
        }
        shown.push_back(seen);
        const std::wstring handle = qov.Cell(row, kHandleColumn);
        if (std::wcstol(handle.c_str(), nullptr, 10) !=
                static_cast<long>(reinterpret_cast<std::intptr_t>(window)) ||
            qov.Cell(row, kTitleColumn) != title) {
            ++wrongRow;
        }
    }
    std::printf("  title shown in the list: median %.1f ms, p90 %.1f, p99 %.1f, max %.1f (%zu renames)"
                "  aim median <= 100, p99 <= 300: %s\n",
                Median(shown), Percentile(shown, 0.9), Percentile(shown, 0.99), Percentile(shown, 1.0),
                shown.size(),
                Median(shown) <= 100 && Percentile(shown, 0.99) <= 300 && missed == 0 ? "met" : "missed");
    std::printf("  the rename itself (WM_SETTEXT sent to the window's thread): median %.1f ms, max %.1f\n",
                Median(renamed), Percentile(renamed, 1.0));
    std::printf("  never shown within %.0f s: %d; shown on another window's row: %d\n", kGiveUpMs / 1000, missed,
                wrongRow);
    PrintResources("before", before);
    PrintResources("after", qov.Resources());
}

}  // namespace qov::bench
