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
        for (const WindowHandle window : Targets()) BringIntoView(window, monitors);
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

std::string RescueCommands::SaveLayout() {
    std::vector<LayoutEntry> entries;
    for (const WindowHandle window : Targets()) {
        const std::optional<WindowPlacement> resting = RestingPlacement(windows_, window);
        if (!resting) continue;  // gone meanwhile, or its place unknown
        WindowIdentity identity{window, windows_.ClassName(window), windows_.Title(window),
                                windows_.ProcessImagePath(window)};
        entries.push_back({std::move(identity), *resting, windows_.IsTopmost(window),
                           BordersOf(window, resting->state)});
    }
    const std::optional<std::size_t> saved = qov::SaveLayout(layoutStore_, entries);
    return saved ? SavedLayoutMessage(*saved) : kLayoutNotSavedMessage;
}

// A saved rectangle may come from another arrangement of monitors, or from a
// hand-edited store: it is brought into view on today's monitors first.
std::string RescueCommands::RestoreLayout() {
    const std::vector<LayoutEntry> entries = LoadLayout(layoutStore_);
    if (entries.empty()) return kNoSavedLayoutMessage;
    std::vector<WindowIdentity> candidates;
    for (const WindowHandle window : Targets()) {
        candidates.push_back({window, windows_.ClassName(window), windows_.Title(window),
                              windows_.ProcessImagePath(window)});
    }
    const std::vector<std::optional<std::size_t>> matches = MatchLayout(entries, candidates);
    const std::vector<Monitor> monitors = windows_.Monitors();
    std::size_t restored = 0, refused = 0;
    for (std::size_t e = 0; e < entries.size(); ++e) {
        if (!matches[e]) continue;
        const LayoutEntry& entry = entries[e];
        const WindowHandle window = candidates[*matches[e]].handle;
        // Setting a maximised window's placement activates it: one already in place is left alone.
        const std::optional<WindowPlacement> now = RestingPlacement(windows_, window);
        // Borders are measured on a normal window; else those measured when it was saved.
        const InvisibleBorders borders = now && now->state == ShowState::Normal
                                             ? BordersOf(window, ShowState::Normal)
                                             : entry.borders;
        const WindowPlacement wanted{entry.placement.state,
                                     IntoView(entry.placement.normal, borders, monitors)};
        const Outcome placed = now == wanted ? Outcome::Done : windows_.SetPlacement(window, wanted);
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
