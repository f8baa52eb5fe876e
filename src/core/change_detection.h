#pragma once
// Which way changes to the desktop are learnt: from the window system's
// reports, or by reading the whole desktop at intervals. "Auto" starts with
// the scan and finds out, on a window of the program's own, whether the
// reports the list relies on arrive; only when they all do does it trust them.

#include <chrono>
#include <string>

#include "core/settings.h"
#include "core/window_changes.h"

namespace qov {

// While reports arrive the whole desktop is still read now and then, in case
// one was lost: this often, or at the user's interval when that is longer.
inline constexpr int kSafetyScanMs = 10000;
// How long Auto waits for its window's reports before it settles on the scan.
inline constexpr auto kProbePatience = std::chrono::milliseconds(2000);

class ChangeDetection {
public:
    enum class Finding { Looking, ReportsArrive, ReportsMissing, NoReports /* none could be had */ };

    // `hooked`: the reports could be asked for.
    ChangeDetection(Detection setting, bool hooked);

    // A report about the program's own test window.
    void SawOnProbe(WindowEvent event);
    void PatienceRanOut();

    bool UsesReports() const;
    bool Probing() const { return setting_ == Detection::Auto && finding_ == Finding::Looking; }
    Finding Found() const { return finding_; }
    Detection Setting() const { return setting_; }
    // Milliseconds between two reads of the whole desktop.
    int ScanIntervalMs(int userIntervalMs) const;

private:
    Detection setting_;
    Finding finding_;
    unsigned seen_ = 0;  // one bit per WindowEvent
};

// For the settings dialog: what is in use, and for "自動" what was found.
std::string DetectionStateText(const ChangeDetection& detection);

}  // namespace qov
