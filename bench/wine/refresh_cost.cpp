// Cost of one steady refresh of the real program's code over 1000 windows of
// another process, against the least any refresh must do: one EnumWindows and,
// per window, one read each of the title, existence, placement, visibility
// and rectangle.
#include "benchmarks.h"

#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <vector>

#include "core/refresh.h"
#include "stats.h"
#include "stopwatch.h"
#include "timed_window_system.h"
#include "win32/list_view.h"
#include "win32/text.h"
#include "win32/window_system.h"
#include "window_crowd.h"

namespace qov::bench {
namespace {

constexpr int kWindows = 1000;
constexpr int kWarmUpRounds = 3;
constexpr int kRounds = 21;

BOOL CALLBACK Collect(HWND window, LPARAM list) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
}

struct Floor {
    double total = 0;
    double enumerate = 0;
    std::size_t windows = 0;
};

Floor MeasureFloor() {
    Floor floor;
    const double start = NowMs();
    std::vector<HWND> windows;
    windows.reserve(2 * kWindows);
    EnumWindows(Collect, reinterpret_cast<LPARAM>(&windows));
    floor.enumerate = NowMs() - start;
    int sink = 0;
    for (const HWND window : windows) {
        wchar_t title[255];
        sink += InternalGetWindowText(window, title, 255);
        sink += IsWindow(window);
        WINDOWPLACEMENT placement{};
        placement.length = sizeof(placement);
        sink += GetWindowPlacement(window, &placement);
        sink += IsWindowVisible(window);
        RECT rect;
        sink += GetWindowRect(window, &rect);
    }
    floor.total = NowMs() - start;
    floor.windows = windows.size() + (sink < 0);
    return floor;
}

void RunWaitingMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

// The program's refresh on the list and status bar of a hidden window of
// this process, as the main window runs it; its caption is a system title, so
// the refresh leaves it out.
class ProgramRefresh {
public:
    explicit ProgramRefresh(WindowSystem& windows)
        : parent_(CreateWindowExW(0, WC_STATICW, L"QOV refresh benchmark", WS_OVERLAPPEDWINDOW, 0,
                                  0, 600, 400, nullptr, nullptr, GetModuleHandleW(nullptr),
                                  nullptr)),
          list_(parent_.get(), USER_DEFAULT_SCREEN_DPI, kDefaultColumnWidths),
          model_(windows, settings_, win32::TitleContains),
          cycle_(model_, listed_, list_, RunWaitingMessages) {
        list_.Layout(0);
    }

    double TimedRun() {
        const double start = NowMs();
        cycle_.Run();
        return NowMs() - start;
    }
    int Rows() const { return static_cast<int>(listed_.size()); }

private:
    win32::UniqueWindow parent_;
    win32::ListView list_;
    Settings settings_;
    WindowModel model_;
    ListedWindows listed_;
    RefreshCycle cycle_;
};

}  // namespace

void RunRefreshCost() {
    std::printf("\n== Refresh cost: %d windows of another process\n", kWindows);
    WindowCrowd crowd(kWindows, L"Crowd Window");
    if (!Started(crowd)) return;
    win32::Win32WindowSystem native;
    ProgramRefresh program(native);
    program.TimedRun();  // fills the list
    std::printf("rows listed by the program: %d\n", program.Rows());

    std::vector<double> floors, enumerations, cycles, ratios;
    for (int round = 0; round < kWarmUpRounds + kRounds; ++round) {
        const Floor floor = MeasureFloor();
        const double cycle = program.TimedRun();
        if (round < kWarmUpRounds) continue;
        floors.push_back(floor.total);
        enumerations.push_back(floor.enumerate);
        cycles.push_back(cycle);
        ratios.push_back(cycle / floor.total);
    }
    std::printf("%d rounds, medians:\n", kRounds);
    std::printf("  floor (EnumWindows + 5 reads per window)  %8.1f ms\n", Median(floors));
    std::printf("    of which EnumWindows                    %8.1f ms\n", Median(enumerations));
    std::printf("  program steady refresh cycle              %8.1f ms\n", Median(cycles));
    std::printf("  ratio program / floor (median per round)  %8.2f   (target <= 1.30: %s)\n",
                Median(ratios), Median(ratios) <= 1.3 ? "met" : "MISSED");

    // Where the program's cycle goes, one more round through a timing layer.
    TimedWindowSystem timed(native);
    ProgramRefresh profiled(timed);
    profiled.TimedRun();
    timed.Clear();
    const double total = profiled.TimedRun();
    std::printf("profile of one program cycle (%.1f ms in all):\n", total);
    double calls = 0;
    for (int call = 0; call < TimedWindowSystem::kCalls; ++call) {
        const auto kind = static_cast<TimedWindowSystem::Call>(call);
        if (timed.Count(kind) == 0) continue;
        calls += timed.Ms(kind);
        std::printf("  %-10.*s %6ld calls %8.1f ms\n",
                    static_cast<int>(TimedWindowSystem::kNames[call].size()),
                    TimedWindowSystem::kNames[call].data(), timed.Count(kind), timed.Ms(kind));
    }
    std::printf("  list, text, yields and the rest     %8.1f ms\n", total - calls);

    // The title filters alone, on the titles the cycle read, as every refresh
    // would pay without the verdicts the enumeration remembers.
    std::vector<std::string> titles;
    native.EnumerateWindows([&](WindowHandle window) { titles.push_back(native.Title(window)); });
    Settings settings;
    WindowModel judge(native, settings, win32::TitleContains);
    const double filterStart = NowMs();
    int passed = 0;
    for (const std::string& title : titles) passed += judge.TitlePassesFilters(title);
    std::printf("title filters judged afresh (%zu titles, %d pass): %.1f ms; a steady cycle "
                "reuses its verdicts instead\n",
                titles.size(), passed, NowMs() - filterStart);
}

}  // namespace qov::bench
