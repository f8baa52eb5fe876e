// The settings under the keys and texts the program has always stored, so
// settings written by any earlier version keep working.

#include <utility>

#include "core/settings.h"

namespace qov {
namespace {

constexpr std::array<const char*, 5> kColumnWidthKeys{"TitleWidth", "StatusWidth", "SizeWidth",
                                                      "ClassWidth", "hWndWidth"};

std::string ExcludedTitleKey(std::size_t position) { return "Wnd" + std::to_string(position); }

bool ReadBoolean(TextStore& store, const char* key, bool fallback) {
    return ParseBoolean(store.Read(key).value_or(""), fallback);
}

}  // namespace

Settings LoadSettings(TextStore& store) {
    Settings settings;
    settings.showOnlyVisible = ReadBoolean(store, "ShowOnly", true);
    settings.showUntitled = ReadBoolean(store, "ShowNoname", false);
    settings.showSystemWindows = ReadBoolean(store, "SystemWindow", false);
    settings.ignoreExclusions = ReadBoolean(store, "NotVWindow", false);
    settings.alwaysOnTop = ReadBoolean(store, "AlwaysTop", false);
    settings.refreshIntervalMs = ParseInterval(store.Read("UpdateInterval").value_or(""), 1000);
    settings.detection = ParseDetection(store.Read("Detect").value_or(""));
    for (std::size_t column = 0; column < kColumnWidthKeys.size(); ++column)
        settings.columnWidths[column] = ParseColumnWidth(
            store.Read(kColumnWidthKeys[column]).value_or(""), kDefaultColumnWidths[column]);
    // The stored list runs up to the first missing or empty key.
    while (settings.excludedTitles.size() < static_cast<std::size_t>(kMaxExcludedTitles)) {
        std::optional<std::string> title =
            store.Read(ExcludedTitleKey(settings.excludedTitles.size() + 1));
        if (!title || title->empty()) break;
        settings.excludedTitles.push_back(std::move(*title));
    }
    return settings;
}

void SaveSettings(TextStore& store, const Settings& settings) {
    store.Write("ShowOnly", FormatBoolean(settings.showOnlyVisible));
    store.Write("ShowNoname", FormatBoolean(settings.showUntitled));
    store.Write("UpdateInterval", std::to_string(settings.refreshIntervalMs));
    store.Write("SystemWindow", FormatBoolean(settings.showSystemWindows));
    store.Write("NotVWindow", FormatBoolean(settings.ignoreExclusions));
    for (std::size_t column = 0; column < kColumnWidthKeys.size(); ++column)
        store.Write(kColumnWidthKeys[column], std::to_string(settings.columnWidths[column]));
    const std::vector<std::string>& titles = settings.excludedTitles;
    for (std::size_t n = 1; n <= titles.size(); ++n)
        store.Write(ExcludedTitleKey(n), titles[n - 1]);
    // An empty entry ends the stored list, so a shortened list reads back short.
    store.Write(ExcludedTitleKey(titles.size() + 1), "");
    store.Write("AlwaysTop", FormatBoolean(settings.alwaysOnTop));
    store.Write("Detect", FormatDetection(settings.detection));
}

}  // namespace qov
