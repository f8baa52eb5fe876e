#pragma once
// qovc's change feed: the window system's reports about top-level windows,
// trusted as the setting says (Auto: once this process's own unseen window
// has been reported), gathered per window; the console's stop; and this
// thread's messages, through which the reports arrive.
#include <windows.h>

#include <optional>

#include "core/change_detection.h"
#include "core/change_feed.h"
#include "win32/window_events.h"

namespace qov::win32 {

class EventChangeFeed final : public cli::ChangeFeed {
public:
    void Start(Detection detection) override;
    bool UsesReports() const override { return detection_ && detection_->UsesReports(); }
    std::string StateText() const override;
    bool WaitUntil(Clock::time_point until) override;
    std::vector<WindowChange> TakeChanges() override;

private:
    void OnReport(WindowEvent event, WindowHandle window);
    // Runs this thread's messages as they come until `until`; false once stopped.
    bool RunMessages(Clock::time_point until);

    std::optional<WindowEventHooks> hooks_;
    std::optional<ChangeDetection> detection_;
    PendingChanges pending_;
    WindowHandle probe_ = 0;
    HANDLE stop_ = nullptr;  // the process's, never closed
};

}  // namespace qov::win32
