#include <gtest/gtest.h>

#include <map>

#include "core/settings.h"
#include "fakes/fake_store.h"

namespace qov {
namespace {

using Values = std::map<std::string, std::string>;

using Store = fakes::FakeStore;

TEST(SettingsStore, DefaultsAndEverySettingGoUnderTheirKeysAndReadBack) {
    Store store, loaded;
    SaveSettings(store, Settings{});
    SaveSettings(loaded, LoadSettings(loaded));  // read from an empty store
    EXPECT_EQ(loaded.values, store.values);
    const Values changed{
        {"ShowOnly", "False"}, {"ShowNoname", "True"}, {"UpdateInterval", "250"},
        {"SystemWindow", "True"}, {"NotVWindow", "True"}, {"TitleWidth", "1"}, {"StatusWidth", "2"},
        {"SizeWidth", "3"}, {"ClassWidth", "4"}, {"hWndWidth", "5"}, {"Wnd1", "a"}, {"Wnd2", "b"},
        {"Wnd3", ""}, {"AlwaysTop", "True"}, {"Detect", "Events"}};
    Store changedStore(changed);
    SaveSettings(store, LoadSettings(changedStore));
    EXPECT_EQ(store.values, changed);  // "Wnd3" ends the list, which was longer
}

TEST(SettingsStore, HostileValuesGiveDefaultsOrTheirSaneMeaning) {
    const std::string huge(65536, '9');
    const std::array<const char*, 3> cases[] = {  // key, stored, saved back
        {"ShowOnly", "fAlSe", "False"}, {"ShowOnly", "", "True"}, {"ShowNoname", " 7 ", "True"},
        {"AlwaysTop", huge.c_str(), "False"}, {"AlwaysTop", "nan", "False"},
        {"UpdateInterval", "0", "1000"}, {"UpdateInterval", "2147483648", "1000"},
        {"UpdateInterval", "250.5", "1000"}, {"UpdateInterval", " +250 ", "250"},
        {"TitleWidth", "-1", "4000"}, {"TitleWidth", "999999", "4000"},
        {"TitleWidth", "1234.6", "1235"},
        {"Detect", " sCaN ", "Scan"}, {"Detect", "events", "Events"}, {"Detect", "Eventsx", "Auto"},
        {"Detect", "", "Auto"},
    };
    for (const auto& [key, text, expected] : cases) {
        Store store(Values{{key, text}}), out;
        SaveSettings(out, LoadSettings(store));
        EXPECT_EQ(out.values[key], expected) << key << " = " << std::string(text).substr(0, 20);
    }
    // The titles run up to the first missing or empty "WndN", a thousand at most.
    Store gap({{"Wnd0", "z"}, {"Wnd1", "a"}, {"Wnd2", ""}, {"Wnd3", "c"}}), many;
    for (int n = 1; n <= kMaxExcludedTitles + 5; ++n) many.values["Wnd" + std::to_string(n)] = "t";
    EXPECT_EQ(LoadSettings(gap).excludedTitles, std::vector<std::string>{"a"});
    EXPECT_EQ(LoadSettings(many).excludedTitles.size(), std::size_t(kMaxExcludedTitles));
}

// Each control's stored value is seen through the real dialog; here, an
// interval none of the choices gives is kept while no choice is made.
TEST(SettingsDialog, AnIntervalOfNoChoiceIsKeptUntilOneIsChosen) {
    Settings s;
    s.refreshIntervalMs = 250;
    EXPECT_TRUE(ApplyDialogState({false, true, false, true, -1}, s)) << "always on top asks for topmost windows";
    EXPECT_EQ(std::tuple(s.showUntitled, s.refreshIntervalMs), std::tuple(true, 250));
    EXPECT_EQ(DialogStateFrom(s).intervalChoice, -1);
}

TEST(SettingsDialog, RemovingAndAddingExcludedTitles) {
    const std::pair<int, std::vector<std::string>> removals[] = {
        {0, {"b", "c"}}, {2, {"a", "b"}}, {-1, {"a", "b", "c"}}, {3, {"a", "b", "c"}}};
    for (const auto& [line, remaining] : removals) {
        Settings s;
        s.excludedTitles = {"a", "b", "c"};
        const bool refused = remaining.size() == 3;
        EXPECT_STREQ(RemoveExcludedTitle(s, line), refused ? kNothingSelectedMessage : nullptr);
        EXPECT_EQ(s.excludedTitles, remaining) << line;
    }
    Settings settings;
    settings.excludedTitles.resize(kMaxExcludedTitles - 1, "t");
    EXPECT_STREQ(AddExcludedTitle(settings, ""), kNothingEnteredMessage);
    EXPECT_STREQ(AddExcludedTitle(settings, " t"), nullptr);  // as typed
    EXPECT_STREQ(AddExcludedTitle(settings, "more"), kListFullMessage);
    EXPECT_EQ(settings.excludedTitles.back(), " t");
}

}  // namespace
}  // namespace qov
