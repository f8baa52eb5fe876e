// How long the real qov.exe, refreshing 1000 windows ten times a second,
// takes to handle a message from another process, sent and posted.
//
// A sent message (WM_NULL through SendMessageTimeoutW) returns when QOV's
// thread next looks at its queue. A posted message is handled only when the
// thread takes it from the queue and dispatches it, which a thread inside a
// send of its own does not do. Its handling is made visible without sending
// anything: WM_SETREDRAW posted to QOV's status bar is handled by the
// default window procedure, which switches the bar's WS_VISIBLE style bit
// without repainting. Another process reads that bit (GetWindowLongW) with
// no message to QOV, so polling it measures exactly the posted message's
// wait. The bar ends as it was: its style is put back, nothing is drawn.
// QOV's memory and windows, read from outside before and after, show whether
// the 300 refreshes of the run left anything behind.
#include "benchmarks.h"

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "qov_under_test.h"
#include "stats.h"
#include "stopwatch.h"
#include "window_crowd.h"

namespace qov::bench {
namespace {

constexpr int kWindows = 1000;
constexpr double kSampleMs = 30000;
constexpr double kGiveUpMs = 5000;

bool BarVisible(HWND bar) { return (GetWindowLongW(bar, GWL_STYLE) & WS_VISIBLE) != 0; }

// Posts WM_SETREDRAW and waits for the style to follow; the wait in ms, or a
// negative number when it never did.
double PostedRoundTrip(HWND bar, bool visible) {
    const double start = NowMs();
    PostMessageW(bar, WM_SETREDRAW, visible ? TRUE : FALSE, 0);
    while (BarVisible(bar) != visible) {
        if (NowMs() - start > kGiveUpMs) return -1;
        // A millisecond's resolution; a busy poll would take the core and
        // the server time QOV itself needs.
        Sleep(1);
    }
    return NowMs() - start;
}

double SentRoundTrip(HWND window) {
    const double start = NowMs();
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &result)) return -1;
    return NowMs() - start;
}

BOOL CALLBACK Count(HWND, LPARAM count) {
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

double TimedEnumWindows() {
    int count = 0;
    const double start = NowMs();
    EnumWindows(Count, reinterpret_cast<LPARAM>(&count));
    return NowMs() - start;
}

void PrintLine(const char* what, const std::vector<double>& samples) {
    std::printf("  %-34s %6zu samples  median %7.1f ms  p99 %7.1f ms  max %7.1f ms\n", what,
                samples.size(), Median(samples), Percentile(samples, 0.99),
                Percentile(samples, 1.0));
}

}  // namespace

void RunResponsiveness() {
    std::printf("\n== Responsiveness: qov.exe at UpdateInterval 100 with %d windows\n", kWindows);
    WindowCrowd crowd(kWindows, L"Crowd Window");
    if (!Started(crowd)) return;
    QovUnderTest qov(StoredSettings{{L"UpdateInterval", L"100"}});
    if (!Started(qov)) return;
    if (!qov.WaitForRows(kWindows, 60000)) {
        std::printf("qov.exe never listed the windows\n");
        return;
    }
    const HWND bar = qov.StatusBar();
    if (!BarVisible(bar)) {
        std::printf("qov.exe's status bar is not visible\n");
        return;
    }
    const ProcessResources before = qov.Resources();

    std::vector<double> sent, posted, enumerations;
    int lost = 0;
    double nextEnumeration = 0;
    const double start = NowMs();
    // One probe at a time, apart by a varying few milliseconds, so the probes
    // fall at every point of QOV's refresh rather than in step with it.
    bool barVisible = true;
    for (int sample = 0; NowMs() - start < kSampleMs; ++sample) {
        if (NowMs() >= nextEnumeration) {
            enumerations.push_back(TimedEnumWindows());
            nextEnumeration = NowMs() + 500;
        }
        const bool sentProbe = sample % 2 == 0;
        const double wait =
            sentProbe ? SentRoundTrip(qov.Main()) : PostedRoundTrip(bar, !barVisible);
        if (wait < 0) {
            ++lost;
        } else {
            (sentProbe ? sent : posted).push_back(wait);
        }
        barVisible = BarVisible(bar);
        Sleep(static_cast<DWORD>(3 + (sample * 7) % 11));
    }
    if (!barVisible) PostedRoundTrip(bar, true);
    std::printf("rows listed: %d; samples over %.0f s:\n", qov.RowCount(), kSampleMs / 1000);
    PrintLine("sent WM_NULL answered", sent);
    PrintLine("posted WM_SETREDRAW handled", posted);
    PrintLine("one EnumWindows (this process)", enumerations);
    if (lost > 0) std::printf("  %d probes got no answer within %.0f ms\n", lost, kGiveUpMs);
    const double limit = Median(enumerations) + 20;
    const double worst = std::max(Percentile(sent, 0.99), Percentile(posted, 0.99));
    std::printf("  target p99 <= median EnumWindows + 20 ms = %.1f ms: %s\n", limit,
                worst <= limit && lost == 0 ? "met" : "MISSED");
    PrintResources("before", before);
    PrintResources("after", qov.Resources());
}

}  // namespace qov::bench
