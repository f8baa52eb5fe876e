// QOV refreshing ten times a second while a few hundred windows come, go and
// change their titles: its memory and the objects it holds stay level, it
// keeps answering, and when the churn stops its list is exactly the desktop's.
// The churn lasts QOV_SOAK_SECONDS (30 by default; longer by hand).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <set>

#include "harness/qov_resources.h"
#include "harness/qov_test.h"
#include "harness/qov_texts.h"
#include "harness/remote_memory.h"
#include "harness/wait.h"
#include "harness/window_churn.h"

namespace qov::e2e {
namespace {

using win32::HandleKind;

constexpr int kChurnWindows = 300;
constexpr int kChurnThreads = 4;
// Heap pages the list view and the allocator may still take on while the
// rows turn over: more than this is growth, not noise.
constexpr std::size_t kMemoryNoiseBytes = 8u << 20;

std::chrono::seconds SoakDuration() {
    const char* text = std::getenv("QOV_SOAK_SECONDS");
    const int seconds = text ? std::atoi(text) : 0;
    return std::chrono::seconds(seconds > 0 ? seconds : 30);
}

class Soak : public QovTest {
protected:
    QovResources Read() {
        const auto resources = ReadQovResources(qov().process(), qov().id(), qov().main_window());
        EXPECT_TRUE(resources.has_value()) << "QOV did not answer the resource query";
        return resources.value_or(QovResources{});
    }

    // The listed handles and titles, when the list reads the same twice.
    std::optional<std::map<std::wstring, std::wstring>> ListedTitles() {
        const auto rows = qov().list().Snapshot();
        if (!rows) return std::nullopt;
        std::map<std::wstring, std::wstring> listed;
        for (const Row& row : *rows) listed[row[kHandle]] = row[kTitle];
        return listed;
    }
};

TEST_F(Soak, ChurningWindowsLeaveQovLevelAndItsListRight) {
    WindowChurn churn(kChurnWindows, kChurnThreads);
    ASSERT_TRUE(churn.ready()) << "the churning windows were not all created";
    ASSERT_NO_FATAL_FAILURE(StartQov());
    ASSERT_TRUE(WaitUntil([&] { return qov().list().RowCount() >= kChurnWindows; }))
        << "QOV never listed the windows";

    churn.Start();
    // The first seconds of churn settle the list view's and the heap's sizes.
    Sleep(3000);
    const QovResources baseline = Read();
    std::vector<QovResources> samples;
    const auto end = std::chrono::steady_clock::now() + SoakDuration();
    while (std::chrono::steady_clock::now() < end) {
        Sleep(2000);
        EXPECT_TRUE(SendWithTimeout(qov().main_window(), WM_NULL, 0, 0, nullptr, 5000))
            << "QOV stopped answering";
        samples.push_back(Read());
    }
    churn.Stop();
    ASSERT_FALSE(samples.empty());
    EXPECT_GT(churn.Changes(), 1000) << "the desktop hardly changed";

    // Memory: the mean of the last three samples against the baseline.
    std::size_t late = 0;
    const std::size_t tail = std::min<std::size_t>(3, samples.size());
    for (std::size_t i = samples.size() - tail; i < samples.size(); ++i)
        late += samples[i].pagefile_bytes / tail;
    std::printf("soak: %ld window changes in %lld s; QOV memory %.1f MB -> %.1f MB; %d windows; "
                "GDI %ld, menus %ld, image lists %ld\n",
                churn.Changes(), static_cast<long long>(SoakDuration().count()),
                baseline.pagefile_bytes / 1048576.0, late / 1048576.0, baseline.windows,
                baseline.Handles(HandleKind::GdiObject), baseline.Handles(HandleKind::Menu),
                baseline.Handles(HandleKind::ImageList));
    EXPECT_LE(late, baseline.pagefile_bytes + kMemoryNoiseBytes)
        << "memory grew from " << baseline.pagefile_bytes << " to " << late << " bytes";
    // Refreshing creates no windows or handles: every sample holds what the
    // baseline held.
    for (const QovResources& sample : samples) {
        EXPECT_EQ(sample.windows, baseline.windows);
        EXPECT_EQ(sample.handles, baseline.handles);
    }
    EXPECT_GT(baseline.Handles(HandleKind::GdiObject) + baseline.Handles(HandleKind::Menu), 0)
        << "the program reports none of its handles";

    // Once the churn stops, the list comes to show exactly the churn's windows.
    std::map<std::wstring, std::wstring> expected;
    for (const auto& [window, title] : churn.Windows()) expected[HandleText(window)] = title;
    std::optional<std::map<std::wstring, std::wstring>> listed;
    EXPECT_TRUE(WaitUntil([&] {
        listed = ListedTitles();
        return listed == expected;
    })) << "listed " << (listed ? listed->size() : 0) << " windows, expected " << expected.size();
    EXPECT_EQ(qov().StatusText(), StatusCountText(static_cast<int>(expected.size())));
}

}  // namespace
}  // namespace qov::e2e
