#include "settings/settings_persistence.h"

#include <array>
#include <string>

#include "settings/setting_values.h"

namespace qov {
namespace {

struct ColumnKey {
    const char* key;
    int defaultWidth;  // twips
};
constexpr std::array<ColumnKey, 5> kColumnKeys{{
    {"TitleWidth", 4000},
    {"StatusWidth", 1000},
    {"SizeWidth", 2000},
    {"ClassWidth", 2000},
    {"hWndWidth", 1000},
}};

std::string ExcludedTitleKey(int position) { return "Wnd" + std::to_string(position); }

class Store {
public:
    explicit Store(SettingsStore& store) : store_(store) {}

    std::string Text(const std::string& key, const std::string& fallback) {
        return store_.GetSetting(kSettingsApp, kSettingsSection, key, fallback);
    }
    bool Boolean(const std::string& key, bool fallback) {
        return ParseBoolean(Text(key, FormatBoolean(fallback)), fallback);
    }
    void Write(const std::string& key, const std::string& value) {
        store_.SaveSetting(kSettingsApp, kSettingsSection, key, value);
    }

private:
    SettingsStore& store_;
};

}  // namespace

void LoadSettings(SettingsStore& backing, Settings& settings, const SettingsTargets& ui) {
    Store store(backing);
    SettingWindow& dialog = ui.settingWindow;

    settings.ShowOnly = store.Boolean("ShowOnly", true);
    ui.mainForm.SetMenuChecked("S_OnlyViewWindow", settings.ShowOnly);
    ui.mainForm.SetMenuChecked("S_AllWindow", !settings.ShowOnly);

    settings.ShowNoname = store.Boolean("ShowNoname", false);
    dialog.Check2.SetChecked(!settings.ShowNoname);

    settings.SystemWindow = store.Boolean("SystemWindow", false);
    (settings.SystemWindow ? dialog.Option2 : dialog.Option1).SetSelected(true);

    settings.NotVWindow = store.Boolean("NotVWindow", false);
    dialog.Check1.SetChecked(!settings.NotVWindow);

    settings.AlwaysTop = store.Boolean("AlwaysTop", false);
    if (settings.AlwaysTop) ui.setOwnWindowsTopmost();
    dialog.Check3.SetChecked(settings.AlwaysTop);

    settings.UpdateInterval = ParseInterval(store.Text("UpdateInterval", "1000"), 1000);
    for (std::size_t i = 0; i < SettingWindow::kIntervals.size(); ++i)
        if (SettingWindow::kIntervals[i] == settings.UpdateInterval)
            dialog.Option3[i]->SetSelected(true);
    ui.checkTimer.SetInterval(settings.UpdateInterval);

    for (std::size_t column = 0; column < kColumnKeys.size(); ++column) {
        const ColumnKey& c = kColumnKeys[column];
        const int width =
            ParseColumnWidth(store.Text(c.key, std::to_string(c.defaultWidth)), c.defaultWidth);
        ui.listMain.SetColumnWidth(static_cast<int>(column) + 1, width);
    }

    // The stored list runs up to the first missing or empty key.
    while (settings.ExcludedTitleCount() < kMaxExcludedTitles) {
        std::string title = store.Text(ExcludedTitleKey(settings.ExcludedTitleCount() + 1), "");
        if (title.empty()) break;
        dialog.List1.AddItem(title);
        settings.AppendExcludedTitle(std::move(title));
    }

    settings.SystemTitles = Settings{}.SystemTitles;
}

void SaveSettings(SettingsStore& backing, const Settings& settings, const ListView& listMain) {
    Store store(backing);
    store.Write("ShowOnly", FormatBoolean(settings.ShowOnly));
    store.Write("ShowNoname", FormatBoolean(settings.ShowNoname));
    store.Write("UpdateInterval", FormatInteger(settings.UpdateInterval));
    store.Write("SystemWindow", FormatBoolean(settings.SystemWindow));
    store.Write("NotVWindow", FormatBoolean(settings.NotVWindow));
    for (std::size_t column = 0; column < kColumnKeys.size(); ++column)
        store.Write(kColumnKeys[column].key,
                    std::to_string(listMain.ColumnWidth(static_cast<int>(column) + 1)));
    for (int n = 1; n <= settings.ExcludedTitleCount(); ++n)
        store.Write(ExcludedTitleKey(n), settings.ExcludedTitles[n - 1]);
    // An empty entry ends the stored list, so a shortened list reads back short.
    store.Write(ExcludedTitleKey(settings.ExcludedTitleCount() + 1), "");
    store.Write("AlwaysTop", FormatBoolean(settings.AlwaysTop));
}

}  // namespace qov
