#include "core/change_detection.h"

#include <algorithm>

namespace qov {
namespace {

constexpr unsigned Bit(WindowEvent event) { return 1u << static_cast<unsigned>(event); }

// The reports a list that trusts them cannot do without.
constexpr unsigned kNeeded = Bit(WindowEvent::NameChanged) | Bit(WindowEvent::Shown) |
                             Bit(WindowEvent::Hidden) | Bit(WindowEvent::Destroyed);

}  // namespace

ChangeDetection::ChangeDetection(Detection setting, bool hooked)
    : setting_(setting),
      finding_(!hooked ? Finding::NoReports
               : setting == Detection::Auto ? Finding::Looking
                                            : Finding::ReportsArrive) {}

void ChangeDetection::SawOnProbe(WindowEvent event) {
    if (!Probing()) return;
    seen_ |= Bit(event);
    if ((seen_ & kNeeded) == kNeeded) finding_ = Finding::ReportsArrive;
}

void ChangeDetection::PatienceRanOut() {
    if (Probing()) finding_ = Finding::ReportsMissing;
}

bool ChangeDetection::UsesReports() const {
    return setting_ != Detection::Scan && finding_ == Finding::ReportsArrive;
}

int ChangeDetection::ScanIntervalMs(int userIntervalMs) const {
    return UsesReports() ? std::max(kSafetyScanMs, userIntervalMs) : userIntervalMs;
}

std::string DetectionStateText(const ChangeDetection& detection) {
    using enum ChangeDetection::Finding;
    if (detection.UsesReports()) return "ウィンドウの変化をイベントで検出しています。";
    if (detection.Setting() == Detection::Scan) return "定期スキャンで検出しています。";
    switch (detection.Found()) {
    case Looking: return "イベントが届くか確認しています。それまでは定期スキャンです。";
    case ReportsMissing: return "イベントが届かないため、定期スキャンで検出しています。";
    case NoReports: return "イベントを受け取れないため、定期スキャンで検出しています。";
    case ReportsArrive: break;
    }
    return {};
}

}  // namespace qov
