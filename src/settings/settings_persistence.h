#pragma once
// Loading the settings at start and saving them at exit. Loading also brings
// the user interface into line with them: target-mode check marks, the
// settings dialog's controls, the timer interval, the column widths and the
// topmost state of the program's windows.

#include <functional>

#include "platform/forms.h"
#include "platform/settings_store.h"
#include "settings/setting_window.h"
#include "settings/settings.h"

namespace qov {

inline constexpr const char* kSettingsApp = "Tamarind Desk";
inline constexpr const char* kSettingsSection = "QOV";

// What loading the settings sets besides the Settings record.
struct SettingsTargets {
    Form& mainForm;  // S_OnlyViewWindow / S_AllWindow check marks
    Timer& checkTimer;
    ListView& listMain;
    SettingWindow& settingWindow;
    std::function<void()> setOwnWindowsTopmost;
};

// Reads every setting (missing or unreadable values give the defaults) and
// applies it. Appends the stored exclusion list, at most kMaxExcludedTitles.
void LoadSettings(SettingsStore& store, Settings& settings, const SettingsTargets& ui);

// Writes every setting and the current column widths of `listMain`.
void SaveSettings(SettingsStore& store, const Settings& settings, const ListView& listMain);

}  // namespace qov
