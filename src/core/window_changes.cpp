#include "core/window_changes.h"

#include <algorithm>

namespace qov {

void PendingChanges::Note(WindowHandle window, WindowEvent event, Clock::time_point now) {
    const bool replaced = event == WindowEvent::Created || event == WindowEvent::Destroyed;
    const auto [position, added] = soonPositions_.try_emplace(window, soon_.size());
    if (added) soon_.push_back({{window, replaced}, now + kGathering});
    else soon_[position->second].change.replaced |= replaced;
    if (event == WindowEvent::Created) secondLooks_.push_back({{window, false}, now + kSecondLook});
}

std::vector<WindowChange> PendingChanges::TakeDue(Clock::time_point now) {
    std::vector<WindowChange> due;
    const auto take = [&](std::vector<Pending>& pending) {
        std::erase_if(pending, [&](const Pending& p) {
            if (p.due > now) return false;
            const auto same = std::ranges::find(due, p.change.window, &WindowChange::window);
            if (same == due.end()) due.push_back(p.change);
            else same->replaced |= p.change.replaced;
            return true;
        });
    };
    take(soon_);
    take(secondLooks_);
    soonPositions_.clear();
    for (std::size_t i = 0; i < soon_.size(); ++i) soonPositions_.emplace(soon_[i].change.window, i);
    return due;
}

std::optional<PendingChanges::Clock::time_point> PendingChanges::NextDue() const {
    std::optional<Clock::time_point> next;
    for (const auto* pending : {&soon_, &secondLooks_})
        for (const Pending& p : *pending)
            if (!next || p.due < *next) next = p.due;
    return next;
}

void PendingChanges::Clear() {
    soon_.clear();
    soonPositions_.clear();
    secondLooks_.clear();
}

LookPlan PlanLook(std::optional<PendingChanges::Clock::time_point> due, PendingChanges::Clock::time_point now,
                  const LookSetUp& setUp) {
    if (!due) return {};
    const auto when = std::max(*due, setUp.lastLookEnded + kLookSpacing);
    if (when <= now) return setUp.posted || setUp.refreshRunning ? LookPlan{} : LookPlan{LookPlan::Post};
    if (setUp.timerDue && *setUp.timerDue <= when) return {};
    return {LookPlan::SetTimer, std::chrono::ceil<std::chrono::milliseconds>(when - now)};
}

}  // namespace qov
