#pragma once
// How `qovc watch` and `qovc wait` learn of changes to the desktop: the port
// the Win32 half implements with the window system's reports, its own probe
// window and the console's Ctrl+C.

#include <chrono>
#include <string>
#include <vector>

#include "core/settings.h"
#include "core/window_changes.h"

namespace qov::cli {

class ChangeFeed {
public:
    using Clock = std::chrono::steady_clock;
    virtual ~ChangeFeed() = default;

    // Asks for the reports unless `detection` is Scan; with Auto, finds out
    // whether they come (within kProbePatience) before returning.
    virtual void Start(Detection detection) = 0;
    // The reports are trusted: the desktop is read whole only at the safety scan.
    virtual bool UsesReports() const = 0;
    // One line for people: which way changes are learnt.
    virtual std::string StateText() const = 0;
    // Returns once reported windows are owed a look, `until` has come, or the
    // user stopped the program (then false).
    virtual bool WaitUntil(Clock::time_point until) = 0;
    // The windows owed a look now, each once.
    virtual std::vector<WindowChange> TakeChanges() = 0;
};

}  // namespace qov::cli
