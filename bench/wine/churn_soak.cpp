// QOV following a desktop whose windows come and go all the time: 200 fixed
// windows of another process and up to 800 more that it creates and destroys
// continuously for a minute (a triangle between none and 800 over 20 s, and
// one replaced at every 10 ms tick), each raising the reports Windows raises.
// QOV's windows and memory are read from outside every 10 s. Then the churn
// stops and the list is compared with the desktop: every fixture window
// listed once, and no row for a window that is gone.
#include "benchmarks.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "qov_under_test.h"
#include "stopwatch.h"
#include "window_crowd.h"

namespace qov::bench {
namespace {

constexpr int kFixed = 200;
constexpr int kChurnUpTo = 800;
constexpr DWORD kSoakMs = 60000;
constexpr DWORD kSampleMs = 10000;

// The list against the crowd's windows now.
void CompareWithDesktop(const char* when, const QovUnderTest& qov, const WindowCrowd& crowd) {
    const std::vector<HWND> listed = qov.ListedWindows();
    const std::vector<HWND> fixtures = crowd.Windows();
    const std::set<HWND> listedSet(listed.begin(), listed.end());
    const std::set<HWND> fixtureSet(fixtures.begin(), fixtures.end());
    int gone = 0, listedFixtures = 0;
    for (const HWND window : listedSet) {
        if (!IsWindow(window)) ++gone;
        else if (fixtureSet.count(window)) ++listedFixtures;
    }
    int missing = 0;
    for (const HWND window : fixtureSet)
        if (!listedSet.count(window)) ++missing;
    const auto doubled = static_cast<int>(listed.size() - listedSet.size());
    const bool equal = gone == 0 && missing == 0 && doubled == 0;
    std::printf("  %s: %zu rows; fixture windows %zu, listed %d, not listed %d; rows of gone windows %d, "
                "doubled rows %d: %s\n",
                when, listed.size(), fixtureSet.size(), listedFixtures, missing, gone, doubled,
                equal ? "the list equals the desktop" : "THE LIST DIFFERS FROM THE DESKTOP");
}

}  // namespace

void RunChurnSoak(const std::wstring& detect) {
    std::printf("\n== Churn soak: %d fixed windows and up to %d coming and going for %lu s, qov.exe at the "
                "default interval, Detect %ls\n",
                kFixed, kChurnUpTo, kSoakMs / 1000, detect.empty() ? L"not stored" : detect.c_str());
    WindowCrowd crowd(kFixed, L"Churn Window", kChurnUpTo);
    if (!crowd.Ready()) {
        std::printf("the window crowd did not start\n");
        return;
    }
    StoredSettings settings;
    if (!detect.empty()) settings[L"Detect"] = detect;
    QovUnderTest qov(settings);
    if (!qov.Ready()) {
        std::wprintf(L"qov.exe did not start: \"%ls\"\n", qov.Exe().c_str());
        return;
    }
    const double start = NowMs();
    PrintResources("start", qov.Resources());
    for (DWORD at = kSampleMs; at <= kSoakMs; at += kSampleMs) {
        Sleep(static_cast<DWORD>(std::max(0.0, start + at - NowMs())));
        const ProcessResources now = qov.Resources();
        std::printf("  at %2lu s: %zu fixture windows, %d rows; ", at / 1000, crowd.Windows().size(),
                    qov.RowCount());
        PrintResources("", now);
    }
    if (!crowd.Calm()) {
        std::printf("the churn did not stop\n");
        return;
    }
    const double calmAt = NowMs();
    Sleep(1500);
    CompareWithDesktop("1.5 s after the churn stopped", qov, crowd);
    Sleep(static_cast<DWORD>(std::max(0.0, calmAt + 12000 - NowMs())));
    CompareWithDesktop("12 s after (past a safety scan)", qov, crowd);
    PrintResources("end", qov.Resources());
    std::printf("  windows the churn created: %d\n", crowd.End());
}

}  // namespace qov::bench
