#include "settings_round_trip.h"

#include <algorithm>
#include <map>

#include "main_window/main_form.h"
#include "platform/sim/sim_desktop.h"
#include "platform/sim/sim_process_services.h"
#include "platform/sim/sim_settings_store.h"
#include "platform/sim/sim_toolkit.h"
#include "settings/settings_persistence.h"

namespace qov::testing {
namespace {

constexpr std::array<const char*, 11> kOtherKeys{
    "ShowOnly",   "ShowNoname",  "SystemWindow", "NotVWindow", "AlwaysTop", "UpdateInterval",
    "TitleWidth", "StatusWidth", "SizeWidth",    "ClassWidth", "hWndWidth"};

LoadedState Capture(MainForm& main, const Settings& settings) {
    LoadedState state;
    state.ShowOnly = settings.ShowOnly;
    state.ShowNoname = settings.ShowNoname;
    state.SystemWindow = settings.SystemWindow;
    state.NotVWindow = settings.NotVWindow;
    state.AlwaysTop = settings.AlwaysTop;
    state.UpdateInterval = settings.UpdateInterval;
    state.ExcludedTitles = settings.ExcludedTitles;
    state.SystemTitles = settings.SystemTitles;
    for (int column = 1; column <= 5; ++column)
        state.columnWidths[static_cast<std::size_t>(column - 1)] = main.ListMain.ColumnWidth(column);
    state.timerInterval = main.CheckTimer.Interval();
    SettingWindow& dialog = *main.SettingWindowIfLoaded();
    for (int line = 0; line < dialog.List1.ListCount(); ++line)
        state.excludedListLines.push_back(dialog.List1.Item(line));
    state.controls = {main.Window().MenuChecked("S_OnlyViewWindow"),
                      main.Window().MenuChecked("S_AllWindow"),
                      dialog.Check1.Checked(), dialog.Check2.Checked(), dialog.Check3.Checked(),
                      dialog.Option1.Selected(), dialog.Option2.Selected()};
    for (OptionButton* option : dialog.Option3) state.controls.push_back(option->Selected());
    return state;
}

// One run of the program: start, read what loading made, close (saving).
LoadedState StartAndClose(sim::SimSettingsStore& store, bool& saved) {
    sim::SimDesktop desktop;
    sim::SimToolkit toolkit{&desktop};
    sim::SimProcessServices process;
    Platform platform{desktop, toolkit, store, process};
    Settings settings;
    WindowTables tables;
    MainForm main(platform, settings, tables);
    LoadedState state = Capture(main, settings);
    store.ResetCounts();
    main.ExitProgram_Click();
    saved = toolkit.QuitRequested() && store.Writes() > 0;
    return state;
}

// The exclusion list the store holds: "Wnd1", "Wnd2", ... up to the first
// missing or empty key, at most the list's capacity.
std::vector<std::string> StoredExclusionList(const std::map<std::string, std::string>& values) {
    std::vector<std::string> titles;
    for (int n = 1; n <= kMaxExcludedTitles; ++n) {
        const auto it = values.find("Wnd" + std::to_string(n));
        if (it == values.end() || it->second.empty()) break;
        titles.push_back(it->second);
    }
    return titles;
}

void CheckLoaded(const LoadedState& s, const char* run, std::vector<std::string>& problems) {
    auto fail = [&](const std::string& what) { problems.push_back(std::string(run) + ": " + what); };
    if (s.UpdateInterval <= 0) fail("UpdateInterval " + std::to_string(s.UpdateInterval));
    if (s.timerInterval != s.UpdateInterval) fail("timer interval differs from UpdateInterval");
    if (s.ExcludedTitles.size() > static_cast<std::size_t>(kMaxExcludedTitles))
        fail(std::to_string(s.ExcludedTitles.size()) + " excluded titles");
    if (std::find(s.ExcludedTitles.begin(), s.ExcludedTitles.end(), "") != s.ExcludedTitles.end())
        fail("an empty excluded title");
    if (s.excludedListLines != s.ExcludedTitles) fail("list box differs from the exclusion list");
    if (s.SystemTitles != Settings{}.SystemTitles) fail("system titles changed");
    for (int width : s.columnWidths)
        if (width < 0) fail("negative column width " + std::to_string(width));
}

}  // namespace

RoundTrip RoundTripSettings(const std::vector<StoredValue>& stored) {
    sim::SimSettingsStore store;
    std::map<std::string, std::string> values;  // a later value for a key replaces the earlier
    for (const StoredValue& v : stored) {
        store.Preset(kSettingsApp, kSettingsSection, v.key, v.value);
        values[v.key] = v.value;
    }
    RoundTrip result;
    bool saved = false;
    result.first = StartAndClose(store, saved);
    if (!saved) result.problems.push_back("first run: closing saved nothing");
    CheckLoaded(result.first, "first run", result.problems);
    if (result.first.ExcludedTitles != StoredExclusionList(values))
        result.problems.push_back("first run: exclusion list is not the stored run of Wnd keys");
    result.second = StartAndClose(store, saved);
    CheckLoaded(result.second, "second run", result.problems);
    if (!(result.second == result.first))
        result.problems.push_back("second run loaded something else than the first");
    return result;
}

std::vector<StoredValue> DecodeStoredValues(const std::uint8_t* data, std::size_t size) {
    std::vector<StoredValue> stored;
    std::size_t at = 0;
    auto take16 = [&]() -> unsigned {
        unsigned value = 0;
        for (int shift = 0; shift < 16 && at < size; shift += 8) value |= unsigned(data[at++]) << shift;
        return value;
    };
    while (at < size) {
        const std::uint8_t selector = data[at++];
        StoredValue v;
        if (selector >= 0x80) {
            v.key = "Wnd" + std::to_string(selector - 0x7F);
        } else if (selector == 0x7F) {
            v.key = "Wnd" + std::to_string(take16());
        } else if (selector == 0x7E) {
            const std::size_t length = at < size ? data[at++] : 0;
            const std::size_t n = std::min(length, size - at);
            v.key.assign(reinterpret_cast<const char*>(data + at), n);
            at += n;
        } else {
            v.key = kOtherKeys[selector % kOtherKeys.size()];
        }
        const std::size_t length = take16();
        const std::size_t available = std::min(length, size - at);
        v.value.assign(reinterpret_cast<const char*>(data + at), available);
        at += available;
        if (available == 0) v.value.assign(length, '9');
        while (v.value.size() < length)
            v.value.append(v.value, 0, std::min(v.value.size(), length - v.value.size()));
        stored.push_back(std::move(v));
    }
    return stored;
}

}  // namespace qov::testing
