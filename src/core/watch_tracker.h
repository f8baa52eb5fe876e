#pragma once
// What `qovc watch` and `qovc wait` know of the matching windows, and the
// lines their changes come to. Given the matching windows' records, read in
// full or one by one, it tells what appeared, changed and disappeared; a
// window changing again within kChangeSpacing of its last `changed` line is
// held and told once the spacing is up, with the newest values.

#include <chrono>
#include <map>
#include <optional>
#include <vector>

#include "core/output_formats.h"
#include "core/window_model.h"

namespace qov::cli {

struct WatchLine {
    WatchEvent event;
    WindowRecord window;
    bool active;
    bool operator==(const WatchLine&) const = default;
};

class WatchTracker {
public:
    using Clock = std::chrono::steady_clock;
    static constexpr auto kChangeSpacing = std::chrono::milliseconds(100);

    // The windows matching at the start: each is `present`.
    void Start(const Snapshot& matching);
    // The whole desktop's matching windows: any known one missing is gone.
    void SawAll(const Snapshot& matching, Clock::time_point now);
    // One window read afresh: its record when it matches, none when it is
    // gone or matches no longer.
    void Saw(WindowHandle window, const std::optional<WindowRecord>& matching, Clock::time_point now);
    // The foreground window now: the windows it moved between change `active`.
    void SawForeground(WindowHandle foreground, Clock::time_point now);

    // The lines owed at `now`, in the order they happened; held changes whose
    // spacing is up included.
    std::vector<WatchLine> TakeLines(Clock::time_point now);
    // When a held change is owed; none when nothing is held.
    std::optional<Clock::time_point> NextDue() const;
    std::size_t Matching() const { return windows_.size(); }
    std::vector<WindowRecord> MatchingWindows() const;

private:
    struct Known {
        WindowRecord window;     // the newest values read
        WindowRecord told;       // the values the last line carried
        bool toldActive = false;
        std::optional<Clock::time_point> lastChange;  // of its last `changed` line
        bool held = false;
    };
    bool Active(const WindowRecord& window) const { return window.handle == foreground_; }
    void Update(Known& known, const WindowRecord& window, Clock::time_point now);
    void Tell(WatchEvent event, Known& known);

    std::map<WindowHandle, Known> windows_;
    WindowHandle foreground_ = 0;
    std::vector<WatchLine> lines_;
};

}  // namespace qov::cli
