#include <gtest/gtest.h>

#include "core/settings.h"
#include "fakes/fake_store.h"

namespace qov {
namespace {

using Values = std::map<std::string, std::string>;

Settings Load(const Values& values) {
    fakes::FakeStore store;
    store.values = values;
    return LoadSettings(store);
}

TEST(SettingsStore, DefaultsAndEverySettingGoUnderTheirKeysInOrderAndReadBack) {
    fakes::FakeStore store;
    SaveSettings(store, LoadSettings(store));
    EXPECT_EQ(store.writtenKeys, (std::vector<std::string>{
        "ShowOnly", "ShowNoname", "UpdateInterval", "SystemWindow", "NotVWindow", "TitleWidth",
        "StatusWidth", "SizeWidth", "ClassWidth", "hWndWidth", "Wnd1", "AlwaysTop"}));
    EXPECT_EQ(store.values, (Values{
        {"ShowOnly", "True"}, {"ShowNoname", "False"}, {"UpdateInterval", "1000"},
        {"SystemWindow", "False"}, {"NotVWindow", "False"}, {"TitleWidth", "4000"},
        {"StatusWidth", "1000"}, {"SizeWidth", "2000"}, {"ClassWidth", "2000"},
        {"hWndWidth", "1000"}, {"Wnd1", ""}, {"AlwaysTop", "False"}}));
    EXPECT_EQ(LoadSettings(store).systemTitles,
              (std::vector<std::string>{"IME", "OLE", "DDE", "Program Manager", "QOV", "V O V"}));

    const Values changed{
        {"ShowOnly", "False"}, {"ShowNoname", "True"}, {"UpdateInterval", "250"},
        {"SystemWindow", "True"}, {"NotVWindow", "True"}, {"TitleWidth", "1"}, {"StatusWidth", "2"},
        {"SizeWidth", "3"}, {"ClassWidth", "4"}, {"hWndWidth", "5"}, {"Wnd1", "a"}, {"Wnd2", "b"},
        {"Wnd3", ""}, {"AlwaysTop", "True"}};
    Settings settings = Load(changed);
    SaveSettings(store, settings);
    EXPECT_EQ(store.values, changed);
    settings.excludedTitles.pop_back();  // a shortened list reads back short
    SaveSettings(store, settings);
    EXPECT_EQ(LoadSettings(store).excludedTitles, std::vector<std::string>{"a"});
}

TEST(SettingsStore, HostileValuesGiveSaneSettings) {
    using Field = int (*)(const Settings&);
    const Field onlyVisible = [](const Settings& s) { return int(s.showOnlyVisible); };
    const Field untitled = [](const Settings& s) { return int(s.showUntitled); };
    const Field system = [](const Settings& s) { return int(s.showSystemWindows); };
    const Field topmost = [](const Settings& s) { return int(s.alwaysOnTop); };
    const Field interval = [](const Settings& s) { return s.refreshIntervalMs; };
    const Field width = [](const Settings& s) { return s.columnWidths[0]; };
    const Field titles = [](const Settings& s) { return int(s.excludedTitles.size()); };
    Values manyTitles;
    for (int n = 1; n <= kMaxExcludedTitles + 5; ++n) manyTitles["Wnd" + std::to_string(n)] = "t";
    const std::string huge(65536, '9');
    const struct {
        Values stored;
        Field field;
        int expected;
    } cases[] = {
        {{{"ShowOnly", "fAlSe"}}, onlyVisible, 0}, {{{"ShowOnly", ""}}, onlyVisible, 1},
        {{{"ShowNoname", " 7 "}}, untitled, 1}, {{{"SystemWindow", "nan"}}, system, 0},
        {{{"SystemWindow", "-0"}}, system, 0}, {{{"AlwaysTop", huge + "x"}}, topmost, 0},
        {{{"UpdateInterval", "-250"}}, interval, 1000}, {{{"UpdateInterval", "0"}}, interval, 1000},
        {{{"UpdateInterval", "2147483647"}}, interval, 2147483647},
        {{{"UpdateInterval", "2147483648"}}, interval, 1000},
        {{{"UpdateInterval", huge}}, interval, 1000}, {{{"UpdateInterval", "inf"}}, interval, 1000},
        {{{"UpdateInterval", "250.5"}}, interval, 1000},
        {{{"UpdateInterval", " +250 "}}, interval, 250}, {{{"TitleWidth", "-1"}}, width, 4000},
        {{{"TitleWidth", "1e308"}}, width, 4000}, {{{"TitleWidth", "1234.6"}}, width, 1235},
        {{{"TitleWidth", "nan"}}, width, 4000}, {{{"Wnd1", "a"}, {"Wnd3", "c"}}, titles, 1},
        {{{"Wnd1", ""}, {"Wnd2", "b"}}, titles, 0},
        {{{"Wnd0", "z"}, {"wnd1", "z"}, {"Wnd01", "z"}}, titles, 0},
        {manyTitles, titles, kMaxExcludedTitles},
    };
    for (const auto& [stored, field, expected] : cases)
        EXPECT_EQ(field(Load(stored)), expected) << stored.begin()->second.substr(0, 20);
}

TEST(SettingsDialog, CloseAppliesTheControlsAndSaysWhenToMakeWindowsTopmost) {
    const struct {
        SettingsDialogState state;
        bool untitled, ignoreExclusions, system;
        int interval;
    } cases[] = {
        {{true, true, true, false, 2}, false, false, false, 1000},
        {{false, false, false, true, 0}, true, true, true, 100},
        {{true, false, true, true, 4}, false, false, true, 10000},
        {{false, true, false, false, -1}, true, true, false, 250},  // no choice: kept
    };
    for (const auto& c : cases) {
        Settings settings;
        settings.refreshIntervalMs = 250;
        EXPECT_EQ(DialogStateFrom(settings).intervalChoice, -1);
        EXPECT_EQ(ApplyDialogState(c.state, settings), c.state.alwaysOnTop);
        EXPECT_EQ((std::array{settings.showUntitled, settings.ignoreExclusions,
                              settings.showSystemWindows, settings.alwaysOnTop}),
                  (std::array{c.untitled, c.ignoreExclusions, c.system, c.state.alwaysOnTop}));
        EXPECT_EQ(settings.refreshIntervalMs, c.interval);
        const SettingsDialogState back = DialogStateFrom(settings);
        EXPECT_EQ((std::array{back.hideUntitled, back.useExclusionList, back.excludeSystem}),
                  (std::array{c.state.hideUntitled, c.state.useExclusionList, c.state.excludeSystem}));
    }
}

TEST(SettingsDialog, RemovingAndAddingExcludedTitles) {
    const std::pair<int, std::vector<std::string>> removals[] = {
        {0, {"b", "c", "d"}}, {2, {"a", "b", "d"}}, {3, {"a", "b", "c"}},
        {-1, {"a", "b", "c", "d"}}, {4, {"a", "b", "c", "d"}}};
    for (const auto& [line, remaining] : removals) {
        Settings settings;
        settings.excludedTitles = {"a", "b", "c", "d"};
        const bool refused = remaining.size() == 4;
        EXPECT_STREQ(RemoveExcludedTitle(settings, line), refused ? kNothingSelectedMessage : nullptr);
        EXPECT_EQ(settings.excludedTitles, remaining) << line;
    }
    Settings settings;
    EXPECT_STREQ(AddExcludedTitle(settings, ""), kNothingEnteredMessage);
    for (const char* typed : {" ", "a", "a"}) EXPECT_STREQ(AddExcludedTitle(settings, typed), nullptr);
    EXPECT_EQ(settings.excludedTitles, (std::vector<std::string>{" ", "a", "a"}));
    settings.excludedTitles.resize(kMaxExcludedTitles, "t");
    EXPECT_STREQ(AddExcludedTitle(settings, "more"), kListFullMessage);
    EXPECT_EQ(settings.excludedTitles.size(), std::size_t(kMaxExcludedTitles));
}

}  // namespace
}  // namespace qov
