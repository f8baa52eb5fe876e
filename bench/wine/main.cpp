// The benchmarks under Wine: qov_bench_wine [refresh] [respond] [idle] (all
// three when none is named). Run by scripts/bench-wine.sh; see bench/README.md.
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
    auto chosen = [&](const wchar_t* name) {
        if (argc == 1) return true;
        for (int i = 1; i < argc; ++i)
            if (std::wstring(argv[i]) == name) return true;
        return false;
    };
    if (chosen(L"refresh")) qov::bench::RunRefreshCost();
    std::fflush(stdout);
    if (chosen(L"respond")) qov::bench::RunResponsiveness();
    std::fflush(stdout);
    if (chosen(L"idle")) qov::bench::RunIdleCost();
    std::fflush(stdout);
    return 0;
}
