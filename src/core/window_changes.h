#pragma once
// What the window system reports as it happens, and the windows that are
// owed a look because of it. Reports are only hints: a window is always read
// afresh before anything is written about it, so many reports about one
// window come to one look.

#include <chrono>
#include <optional>
#include <unordered_map>
#include <vector>

#include "core/window_types.h"

namespace qov {

enum class WindowEvent {
    Created, Destroyed, Shown, Hidden, NameChanged, Moved, MinimizeStarted, MinimizeEnded,
    Foreground, Cloaked, Uncloaked,
};

struct WindowChange {
    WindowHandle window = 0;
    // Created or destroyed since the last look: whatever was known under the
    // handle belonged to another window.
    bool replaced = false;
    bool operator==(const WindowChange&) const = default;
};

class PendingChanges {
public:
    using Clock = std::chrono::steady_clock;
    // Reports gather this long before a look, so a flood is one look per window.
    static constexpr auto kGathering = std::chrono::milliseconds(30);
    // A program often titles or shows its window just after creating it, and
    // not every system says so: a new window is looked at again after this.
    static constexpr auto kSecondLook = std::chrono::milliseconds(400);

    void Note(WindowHandle window, WindowEvent event, Clock::time_point now);
    // The windows owed a look at `now`, each once, in the order first reported.
    std::vector<WindowChange> TakeDue(Clock::time_point now);
    // When the next look is owed; none when nothing is pending.
    std::optional<Clock::time_point> NextDue() const;
    void Clear();

private:
    struct Pending {
        WindowChange change;
        Clock::time_point due;
    };
    std::vector<Pending> soon_;  // first reported first, each window once
    std::unordered_map<WindowHandle, std::size_t> soonPositions_;
    std::vector<Pending> secondLooks_;
};

// How the look owed to reported windows is taken. A steady stream of reports
// keeps a window's timer from ever firing, so a look already owed is posted;
// a later report never puts off a timer already set; looks come at most
// every kLookSpacing, with the message loop running between them; and while
// a refresh runs nothing is posted (it would only wait again: the refresh
// plans what is owed when it ends).
inline constexpr auto kLookSpacing = std::chrono::milliseconds(100);

struct LookSetUp {
    std::optional<PendingChanges::Clock::time_point> timerDue = std::nullopt;  // the timer already set
    bool posted = false;                                         // a look waits in the queue
    bool refreshRunning = false;
    PendingChanges::Clock::time_point lastLookEnded{};
};

struct LookPlan {
    enum Kind { Nothing, Post, SetTimer } kind = Nothing;
    std::chrono::milliseconds wait{};  // SetTimer's
    bool operator==(const LookPlan&) const = default;
};

LookPlan PlanLook(std::optional<PendingChanges::Clock::time_point> due, PendingChanges::Clock::time_point now,
                  const LookSetUp& setUp);

}  // namespace qov
