// qovc watch's lines: what the tracker makes of the matching windows' records
// as they change, and how one line is written.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/watch_tracker.h"

namespace qov::cli {
namespace {

using namespace std::chrono_literals;
using Clock = WatchTracker::Clock;

WindowRecord Window(WindowHandle handle, std::string title, ShowState state = ShowState::Normal) {
    return {.handle = handle, .title = std::move(title), .state = state, .visibility = Visibility::Visible,
            .rect = {10, 20, 310, 220}, .className = "Notepad", .processId = 7, .image = "C:\\W\\notepad.exe"};
}

// A line as "event handle title[ active]", so a table can say what it expects.
std::string Describe(const std::vector<WatchLine>& lines) {
    std::string text;
    for (const WatchLine& l : lines)
        text += std::string(text.empty() ? "" : "; ") + WatchEventWord(l.event) + " " +
                std::to_string(l.window.handle) + " " + l.window.title + (l.active ? " active" : "");
    return text;
}

struct Step {
    int atMs;
    // One window read afresh (handle 0: none), none when gone or not matching;
    // or, with `all`, the whole desktop's matching windows.
    WindowHandle handle;
    std::optional<WindowRecord> read;
    std::vector<WindowRecord> all = {};
    WindowHandle foreground = -1;  // -1: unchanged
    std::string expected = "";     // the lines taken after the step
};

TEST(WatchTracker, TellsWhatAppearedChangedAndDisappearedHoldingQuickChanges) {
    const Clock::time_point start{};
    WatchTracker tracker;
    tracker.Start({{Window(1, "memo"), Window(2, "mail")}, 2});
    EXPECT_EQ(Describe(tracker.TakeLines(start)), "present 1 memo; present 2 mail active");
    const Step steps[] = {
        {10, 3, Window(3, "new"), {}, -1, "appeared 3 new"},
        {20, 3, Window(3, "new"), {}, -1, ""},  // read again, unchanged
        {30, 1, Window(1, "memo 2"), {}, -1, "changed 1 memo 2"},
        // Within 100 ms of its last change: held, then told with the newest values.
        {60, 1, Window(1, "memo 3"), {}, -1, ""},
        {90, 1, Window(1, "memo 4"), {}, -1, ""},
        {129, 0, {}, {}, -1, ""},
        {130, 0, {}, {}, -1, "changed 1 memo 4"},
        // Changed back within the hold to what was told: nothing to tell.
        {150, 1, Window(1, "memo 5"), {}, -1, ""},
        {160, 1, Window(1, "memo 4"), {}, -1, ""},
        {240, 0, {}, {}, -1, ""},
        // The foreground moved: both windows' `active` changed.
        {300, 0, {}, {}, 1, "changed 2 mail; changed 1 memo 4 active"},
        // Renamed out of the selectors, and back in.
        {400, 3, std::nullopt, {}, -1, "disappeared 3 new"},
        {410, 3, Window(3, "new"), {}, -1, "appeared 3 new"},
        // A held change of a window that goes: it goes with its newest values.
        {420, 3, Window(3, "newer"), {}, -1, "changed 3 newer"},
        {430, 3, Window(3, "newest"), {}, -1, ""},
        {440, 3, std::nullopt, {}, -1, "disappeared 3 newest"},
        // The whole desktop: one gone, one new, one minimised.
        {600, 0, {}, {Window(2, "mail", ShowState::Minimized), Window(4, "late")}, 4,
         "changed 2 mail; appeared 4 late active; disappeared 1 memo 4 active"},
    };
    for (const Step& s : steps) {
        const Clock::time_point now = start + std::chrono::milliseconds(s.atMs);
        if (!s.all.empty()) tracker.SawAll({s.all, s.foreground}, now);
        else if (s.handle) tracker.Saw(s.handle, s.read, now);
        if (s.all.empty() && s.foreground != -1) tracker.SawForeground(s.foreground, now);
        EXPECT_EQ(Describe(tracker.TakeLines(now)), s.expected) << "at " << s.atMs << " ms";
    }
    EXPECT_EQ(tracker.Matching(), 2u);
}

TEST(WatchLineFormat, JsonCarriesTheEventTimeAndTheListsFieldsTableOneReadableLine) {
    WindowRecord w = Window(-16777214, "無題 \"メモ\"\n", ShowState::Minimized);
    w.topmost = true;
    const std::string time = "2026-12-07T16:42:07.123Z";
    EXPECT_EQ(FormatWatchLine(WatchEvent::Changed, time, w, true, Format::Json),
              "{\"event\": \"changed\", \"time\": \"2026-12-07T16:42:07.123Z\", \"handle\": -16777214, "
              "\"title\": \"無題 \\\"メモ\\\"\\n\", \"status\": \"minimized\", \"active\": true, \"topmost\": true, "
              "\"cloaked\": false, \"left\": 10, \"top\": 20, \"right\": 310, \"bottom\": 220, "
              "\"class\": \"Notepad\", \"pid\": 7, \"process\": \"notepad.exe\"}\r\n");
    EXPECT_EQ(FormatWatchLine(WatchEvent::Disappeared, time, w, false, Format::Table),
              "2026-12-07T16:42:07.123Z  disappeared  -16777214  minimized topmost  (10,20)-(310,220)  Notepad  "
              "notepad.exe:7  無題 \"メモ\" \r\n");
}

}  // namespace
}  // namespace qov::cli
