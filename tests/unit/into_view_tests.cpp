#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "core/into_view.h"

namespace qov {
namespace {

// A 1920x1080 primary monitor with the taskbar along its bottom, and one
// left of it and higher, whose coordinates are all negative.
const Monitor kPrimary{{0, 0, 1920, 1080}, {0, 0, 1920, 1040}};
const Monitor kLeft{{-1280, -200, 0, 824}, {-1280, -200, 0, 784}};
// Below the primary, with a tall bar along its top.
const Monitor kBelow{{0, 1080, 1920, 2160}, {0, 1400, 1920, 2160}};

TEST(IntoView, EachWindowEndsWhollyInsideTheWorkAreaOfItsNearestMonitorMovedTheLeast) {
    const struct {
        const char* name;
        std::vector<Monitor> monitors;
        WindowRect window, expected;
    } cases[] = {
        {"already in view", {kPrimary, kLeft}, {100, 100, 700, 500}, {100, 100, 700, 500}},
        {"partly off the left edge", {kPrimary}, {-300, 100, 300, 500}, {0, 100, 600, 500}},
        {"far off to the right", {kPrimary, kLeft}, {90000, -90000, 90400, -89700}, {1520, 0, 1920, 300}},
        {"under the taskbar", {kPrimary}, {100, 900, 500, 1070}, {100, 870, 500, 1040}},
        {"larger than the work area", {kPrimary}, {-50, -50, 2000, 1200}, {0, 0, 1920, 1040}},
        {"below the left monitor's work area", {kPrimary, kLeft}, {-1000, 700, -600, 900}, {-1000, 584, -600, 784}},
        // Touches neither monitor: the left one is nearer than the primary.
        {"above both, nearest the left one", {kPrimary, kLeft}, {100, -900, 500, -500}, {-400, -200, 0, 200}},
        // Chosen by the larger share of the whole monitor, then kept clear of its bar.
        {"mostly on a monitor whose bar it covers", {kPrimary, kBelow}, {100, 900, 500, 1400}, {100, 1400, 500, 1900}},
        {"no monitor", {}, {5000, 5000, 5100, 5100}, {5000, 5000, 5100, 5100}},
        {"full screen", {kPrimary, kLeft}, {0, 0, 1920, 1080}, {0, 0, 1920, 1080}},
    };
    for (const auto& c : cases) {
        const WindowRect fitted = IntoView(c.window, c.monitors);
        EXPECT_EQ(fitted, c.expected) << c.name << ": (" << fitted.left << "," << fitted.top << ")-("
                                      << fitted.right << "," << fitted.bottom << ")";
        if (!c.monitors.empty()) {
            EXPECT_EQ(IntoView(fitted, c.monitors), fitted) << c.name << " moves again";
        }
    }
}

TEST(IntoView, WorkspaceCoordinatesStartAtTheWorkAreaOfTheirMonitor) {
    const Monitor barsLeftAndTop{{-1280, -200, 0, 824}, {-1200, -160, 0, 824}};
    const std::tuple<Monitor, WindowRect, WindowRect> cases[] = {  // monitor, workspace, screen
        {kPrimary, {10, 20, 110, 220}, {10, 20, 110, 220}},
        {barsLeftAndTop, {-1280, -200, -1180, -100}, {-1200, -160, -1100, -60}}};
    for (const auto& [monitor, workspace, screen] : cases) {
        EXPECT_EQ(WorkspaceToScreen(workspace, monitor), screen);
        EXPECT_EQ(ScreenToWorkspace(screen, monitor), workspace);
    }
}

}  // namespace
}  // namespace qov
