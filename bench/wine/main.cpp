// The benchmarks under Wine:
//   qov_bench_wine [refresh] [respond] [idle[:DETECT]] [latency[:DETECT]]
//                  [churn[:DETECT]] [watch[:DETECT]] [start[:DETECT]]
// (refresh, respond and idle when none is named). DETECT is stored as QOV's
// "Detect" (Auto, Events, Scan) before QOV starts; for watch it is qovc's
// --detect word. Run by scripts/bench-wine.sh; see bench/README.md.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <string>

#include "benchmarks.h"
#include "window_crowd.h"

int wmain(int argc, wchar_t** argv) {
    if (argc > 1 && std::wstring(argv[1]) == L"crowd") return qov::bench::RunCrowdProcess(argc, argv);
    // The refresh benchmark makes the program's list view and status bar.
    INITCOMMONCONTROLSEX classes{sizeof(classes), ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&classes);
    if (argc == 1) {
        qov::bench::RunRefreshCost();
        std::fflush(stdout);
        qov::bench::RunResponsiveness();
        std::fflush(stdout);
        qov::bench::RunIdleCost({});
        std::fflush(stdout);
        return 0;
    }
    for (int i = 1; i < argc; ++i) {
        const std::wstring word = argv[i];
        const std::size_t colon = word.find(L':');
        const std::wstring name = word.substr(0, colon);
        const std::wstring detect = colon == std::wstring::npos ? L"" : word.substr(colon + 1);
        if (name == L"refresh") qov::bench::RunRefreshCost();
        else if (name == L"respond") qov::bench::RunResponsiveness();
        else if (name == L"idle") qov::bench::RunIdleCost(detect);
        else if (name == L"latency") qov::bench::RunRenameLatency(detect);
        else if (name == L"churn") qov::bench::RunChurnSoak(detect);
        else if (name == L"watch") qov::bench::RunWatchCost(detect);
        else if (name == L"start") qov::bench::RunStartCost(detect);
        else std::printf("no benchmark \"%ls\"\n", word.c_str());
        std::fflush(stdout);
    }
    return 0;
}
