#include "win32/change_feed.h"

#include <algorithm>

#include "win32/console_stop.h"

namespace qov::win32 {

void EventChangeFeed::Start(Detection detection) {
    stop_ = ConsoleStopEvent();
    if (detection != Detection::Scan)
        hooks_.emplace([this](WindowEvent event, WindowHandle window) { OnReport(event, window); });
    detection_.emplace(detection, hooks_ && hooks_->Hooked());
    if (detection_->Probing()) {
        probe_ = RunEventProbe();
        const Clock::time_point patience = Clock::now() + kProbePatience;
        while (probe_ && detection_->Probing() && Clock::now() < patience && RunMessages(patience)) {}
        detection_->PatienceRanOut();
    }
    if (!detection_->UsesReports()) {
        hooks_.reset();
        pending_.Clear();
    }
}

std::string EventChangeFeed::StateText() const {
    if (!detection_) return {};
    std::string text = DetectionStateText(*detection_);
    if (!detection_->UsesReports()) text += "（1秒ごと）";
    return text;
}

void EventChangeFeed::OnReport(WindowEvent event, WindowHandle window) {
    if (window == probe_) {
        detection_->SawOnProbe(event);
        return;
    }
    pending_.Note(window, event, Clock::now());
}

bool EventChangeFeed::RunMessages(Clock::time_point until) {
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(until - Clock::now()).count();
    const auto wait = static_cast<DWORD>(std::clamp<long long>(left, 0, INFINITE - 1));
    if (::MsgWaitForMultipleObjects(1, &stop_, FALSE, wait, QS_ALLINPUT) == WAIT_OBJECT_0)
        return false;
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
    return true;
}

bool EventChangeFeed::WaitUntil(Clock::time_point until) {
    while (::WaitForSingleObject(stop_, 0) != WAIT_OBJECT_0) {
        Clock::time_point wake = until;
        if (const auto due = pending_.NextDue()) wake = std::min(wake, *due);
        if (Clock::now() >= wake) return true;
        if (!RunMessages(wake)) return false;
    }
    return false;
}

std::vector<WindowChange> EventChangeFeed::TakeChanges() {
    std::vector<WindowChange> due = pending_.TakeDue(Clock::now());
    std::erase_if(due, [&](const WindowChange& change) { return change.window == probe_; });
    return due;
}

}  // namespace qov::win32
