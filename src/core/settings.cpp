// The settings record and what the buttons of the two settings dialogs do to it.

#include <algorithm>
#include <utility>

#include "core/settings.h"

namespace qov {

bool Settings::AppendExcludedTitle(std::string title) {
    if (excludedTitles.size() >= static_cast<std::size_t>(kMaxExcludedTitles)) return false;
    excludedTitles.push_back(std::move(title));
    return true;
}

SettingsDialogState DialogStateFrom(const Settings& settings) {
    SettingsDialogState state;
    state.hideUntitled = !settings.showUntitled;
    state.excludeSystem = !settings.showSystemWindows;
    state.useExclusionList = !settings.ignoreExclusions;
    state.alwaysOnTop = settings.alwaysOnTop;
    // A stored interval none of the choices offers selects none of them.
    const auto choice = std::find(kRefreshIntervalChoices.begin(), kRefreshIntervalChoices.end(),
                                  settings.refreshIntervalMs);
    state.intervalChoice = choice == kRefreshIntervalChoices.end()
                               ? -1
                               : static_cast<int>(choice - kRefreshIntervalChoices.begin());
    state.detection = settings.detection;
    return state;
}

bool ApplyDialogState(const SettingsDialogState& state, Settings& settings) {
    settings.showUntitled = !state.hideUntitled;
    settings.ignoreExclusions = !state.useExclusionList;
    // Clearing it leaves the windows topmost until the next start, as the
    // check box's caption says.
    settings.alwaysOnTop = state.alwaysOnTop;
    settings.showSystemWindows = !state.excludeSystem;
    // No choice selected: the interval stays as it was.
    if (state.intervalChoice >= 0 &&
        state.intervalChoice < static_cast<int>(kRefreshIntervalChoices.size()))
        settings.refreshIntervalMs =
            kRefreshIntervalChoices[static_cast<std::size_t>(state.intervalChoice)];
    settings.detection = state.detection;
    // Every time: a window of the program created since the last press is not topmost yet.
    return state.alwaysOnTop;
}

const char* RemoveExcludedTitle(Settings& settings, int line) {
    std::vector<std::string>& titles = settings.excludedTitles;
    if (line < 0 || line >= static_cast<int>(titles.size())) return kNothingSelectedMessage;
    titles.erase(titles.begin() + line);
    return nullptr;
}

const char* AddExcludedTitle(Settings& settings, const std::string& text) {
    if (text.empty()) return kNothingEnteredMessage;
    // Refused past what the store reads back at the next start.
    if (!settings.AppendExcludedTitle(text)) return kListFullMessage;
    return nullptr;
}

}  // namespace qov
