#include "core/rescue_commands.h"

#include "core/into_view.h"

namespace qov {

std::string SavedLayoutMessage(std::size_t saved) {
    return std::to_string(saved) + " 個のウィンドウの配置を保存しました。";
}

std::string RestoredLayoutMessage(std::size_t restored, std::size_t notFound, std::size_t refused) {
    std::string text = std::to_string(restored) + " 個のウィンドウを元の配置に戻しました。\n見つからなかったウィンドウ: " +
                       std::to_string(notFound) + " 個";
    if (refused > 0) text += "\n戻せなかったウィンドウ: " + std::to_string(refused) + " 個";
    return text;
}

std::vector<WindowRecord> RescueCommands::TargetRecords() {
    std::vector<WindowRecord> windows = model_.Enumerate({.detail = Detail::Full, .limit = kMaxWindows}).windows;
    std::erase_if(windows, [&](const WindowRecord& w) { return !windowCommands_.IsTarget(w); });
    return windows;
}

std::optional<std::string> RescueCommands::Run(const GivenCommand& command) {
    switch (command.id) {
    case IDM_INTO_VIEW: {
        const std::optional<WindowHandle> window = command.selected;
        if (window && windows_.Exists(*window)) {
            if (const Protection p = ProtectionOf(windows_, *window, own_); p != Protection::None)
                return ProtectionReason(p);
            BringIntoView(*window, windows_.Monitors());
        }
        return std::string{};
    }
    case IDM_ALL_INTO_VIEW: {
        const std::vector<Monitor> monitors = windows_.Monitors();
        for (const WindowHandle window : windowCommands_.Targets()) BringIntoView(window, monitors);
        return std::string{};
    }
    case IDM_SAVE_LAYOUT: return SaveLayout();
    case IDM_RESTORE_LAYOUT: return RestoreLayout();
    default: return std::nullopt;
    }
}

// A minimised or maximised window's invisible borders are not known.
InvisibleBorders RescueCommands::BordersOf(WindowHandle window, ShowState state) {
    if (state != ShowState::Normal) return {};
    return BordersBetween(windows_.Rectangle(window), windows_.VisibleFrame(window));
}

void RescueCommands::BringIntoView(WindowHandle window, const std::vector<Monitor>& monitors) {
    const std::optional<WindowPlacement> resting = RestingPlacement(windows_, window);
    if (!resting) return;
    const WindowRect inView =
        IntoView(resting->normal, BordersOf(window, resting->state), monitors);
    if (inView != resting->normal) windows_.SetPlacement(window, {resting->state, inView});
}

// A minimised or maximised window whose normal place the system will not
// tell (Wine tells no other process; Windows, of some windows created
// maximised) is saved with its show state alone.
std::string RescueCommands::SaveLayout() {
    const std::vector<Monitor> monitors = windows_.Monitors();
    std::vector<LayoutEntry> entries;
    for (const WindowRecord& window : TargetRecords()) {
        const std::optional<WindowPlacement> resting = RestingPlacement(windows_, window.handle);
        const ShowState state = resting ? resting->state : window.state;
        if (!resting && state != ShowState::Minimized && state != ShowState::Maximized)
            continue;  // gone meanwhile, or a normal window beyond reach
        const std::optional<WindowRect> normal =
            resting ? std::optional(resting->normal) : std::nullopt;
        const Monitor* monitor = NearestMonitor(normal.value_or(window.rect), monitors);
        entries.push_back({{window.handle, window.className, window.title, window.image}, state, normal,
                           window.topmost, BordersOf(window.handle, state), monitor ? monitor->device : "",
                           monitor ? monitor->dpi : 0});
    }
    const std::optional<std::size_t> saved = qov::SaveLayout(layoutStore_, entries);
    return saved ? SavedLayoutMessage(*saved) : kLayoutNotSavedMessage;
}

// A saved rectangle may come from another arrangement of monitors, or from a
// hand-edited store: it is sized for the DPI of its monitor today and brought
// into view on today's monitors first.
Outcome RescueCommands::PutBack(WindowHandle window, const LayoutEntry& entry,
                                const std::vector<Monitor>& monitors) {
    if (!entry.normal) return PutBackShowState(window, entry.state);
    // Setting a maximised window's placement activates it: one already in place is left alone.
    const std::optional<WindowPlacement> now = RestingPlacement(windows_, window);
    // Borders are measured on a normal window; else those measured when it was saved.
    const InvisibleBorders borders = now && now->state == ShowState::Normal
                                         ? BordersOf(window, ShowState::Normal)
                                         : entry.borders;
    const WindowPlacement wanted{entry.state, IntoView(ScaledToMonitor(entry, monitors), borders, monitors)};
    // A maximised window is maximised on the monitor of its normal place.
    if (wanted.state == ShowState::Maximized && windows_.GetShowState(window) == ShowState::Maximized &&
        NearestMonitor(windows_.Rectangle(window), monitors) != NearestMonitor(wanted.normal, monitors)) {
        return windows_.MoveMaximized(window, wanted.normal);
    }
    return now == wanted ? Outcome::Done : windows_.SetPlacement(window, wanted);
}

// Only a minimised or maximised state is saved without a place. A hidden
// window is not shown to give it its state: it counts as refused.
Outcome RescueCommands::PutBackShowState(WindowHandle window, ShowState state) {
    const ShowState now = windows_.GetShowState(window);
    if (now == state) return Outcome::Done;
    if (now == ShowState::Unknown) return Outcome::Gone;
    if (windows_.GetVisibility(window) == Visibility::Hidden) return Outcome::Refused;
    return windows_.Show(window, state == ShowState::Minimized ? ShowCommand::ShowMinimizedNoActivate
                                                               : ShowCommand::ShowMaximized);
}

std::string RescueCommands::RestoreLayout() {
    const std::vector<LayoutEntry> entries = LoadLayout(layoutStore_);
    if (entries.empty()) return kNoSavedLayoutMessage;
    std::vector<WindowIdentity> candidates;
    for (const WindowRecord& window : TargetRecords())
        candidates.push_back({window.handle, window.className, window.title, window.image});
    const std::vector<std::optional<std::size_t>> matches = MatchLayout(entries, candidates);
    const std::vector<Monitor> monitors = windows_.Monitors();
    std::size_t restored = 0, refused = 0;
    for (std::size_t e = 0; e < entries.size(); ++e) {
        if (!matches[e]) continue;
        const LayoutEntry& entry = entries[e];
        const WindowHandle window = candidates[*matches[e]].handle;
        const Outcome placed = PutBack(window, entry, monitors);
        if (placed == Outcome::Gone) continue;  // not found after all
        if (placed != Outcome::Done) {
            ++refused;
            continue;
        }
        if (windows_.IsTopmost(window) != entry.topmost) {
            if (entry.topmost) windows_.MakeTopmost(window);
            else windows_.RemoveTopmost(window);
        }
        ++restored;
    }
    return RestoredLayoutMessage(restored, entries.size() - restored - refused, refused);
}

}  // namespace qov
