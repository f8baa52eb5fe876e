// QOV following a desktop whose windows come and go all the time: 200 fixed
// windows of another process and up to 800 more that it creates and destroys
// continuously for a minute (a triangle between none and 800 over 20 s, and
// one replaced at every 10 ms tick), each raising the reports Windows raises.
// QOV's windows and memory are read from outside every 10 s, with how far the
// list is behind the desktop (one reading of the list, which QOV changes
// meanwhile). Then the churn stops and the list is compared with the desktop
// 0.5 s, 1.5 s and 12 s later: every fixture window listed once, and no row
// for a window that is gone. The first two fall before a safety scan
// (every 10 s) in most runs; the last comes after one.
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
void CompareWithDesktop(const char* when, const QovUnderTest& qov, const WindowCrowd& crowd,
                        bool settled = true) {
    const std::vector<HWND> listed = qov.ListedWindows(settled);
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
                "doubled rows %d%s\n",
                when, listed.size(), fixtureSet.size(), listedFixtures, missing, gone, doubled,
                !settled ? "" : equal ? ": the list equals the desktop" : ": THE LIST DIFFERS FROM THE DESKTOP");
}

}  // namespace

void RunChurnSoak(const std::wstring& detect) {
    std::printf("\n== Churn soak: %d fixed windows and up to %d coming and going for %lu s, qov.exe at the "
                "default interval, Detect %ls\n",
                kFixed, kChurnUpTo, kSoakMs / 1000, detect.empty() ? L"not stored" : detect.c_str());
    WindowCrowd crowd(kFixed, L"Churn Window", kChurnUpTo);
    if (!Started(crowd)) return;
    const StoredSettings settings = DetectSetting(detect);
    QovUnderTest qov(settings);
    if (!Started(qov)) return;
    const double start = NowMs();
    PrintResources("start", qov.Resources());
    for (DWORD at = kSampleMs; at <= kSoakMs; at += kSampleMs) {
        Sleep(static_cast<DWORD>(std::max(0.0, start + at - NowMs())));
        const std::string when = "at " + std::to_string(at / 1000) + " s, churning";
        CompareWithDesktop(when.c_str(), qov, crowd, false);
        PrintResources("", qov.Resources());
    }
    if (!crowd.Calm()) {
        std::printf("the churn did not stop\n");
        return;
    }
    const double calmAt = NowMs();
    Sleep(500);
    CompareWithDesktop("0.5 s after the churn stopped", qov, crowd);
    Sleep(static_cast<DWORD>(std::max(0.0, calmAt + 1500 - NowMs())));
    CompareWithDesktop("1.5 s after", qov, crowd);
    Sleep(static_cast<DWORD>(std::max(0.0, calmAt + 12000 - NowMs())));
    CompareWithDesktop("12 s after (past a safety scan)", qov, crowd);
    PrintResources("end", qov.Resources());
    std::printf("  windows the churn created: %d\n", crowd.End());
}

}  // namespace qov::bench
