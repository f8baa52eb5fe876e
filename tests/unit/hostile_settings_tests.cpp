// Settings stores holding what no run of the program wrote: the program must
// start with sane settings, save them, and start again to the same state.
// The same check runs under the settings fuzzer (tests/fuzz).

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "settings_round_trip.h"

namespace qov::testing {
namespace {

std::string Join(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += "\n  " + line;
    return text;
}

std::vector<StoredValue> ExclusionRun(int count, const std::string& prefix = "t") {
    std::vector<StoredValue> stored;
    for (int n = 1; n <= count; ++n)
        stored.push_back({"Wnd" + std::to_string(n), prefix + std::to_string(n)});
    return stored;
}

const std::string k64K(65536, 'x');
const std::string kHugeNumber(65536, '9');

struct HostileStore {
    const char* name;
    std::vector<StoredValue> stored;
    std::int32_t interval;  // UpdateInterval the first start must end up with
    std::size_t titles;     // length of the exclusion list it must load
};

const std::vector<HostileStore> kHostileStores{
    {"empty store", {}, 1000, 0},
    {"every key empty",
     {{"ShowOnly", ""}, {"ShowNoname", ""}, {"SystemWindow", ""}, {"NotVWindow", ""},
      {"AlwaysTop", ""}, {"UpdateInterval", ""}, {"TitleWidth", ""}, {"hWndWidth", ""},
      {"Wnd1", ""}},
     1000, 0},
    {"odd booleans",
     {{"ShowOnly", "tRuE"}, {"ShowNoname", " 7 "}, {"SystemWindow", "nan"},
      {"NotVWindow", "-0"}, {"AlwaysTop", "True"}},
     1000, 0},
    {"boolean of 64 KB digits", {{"ShowNoname", kHugeNumber}, {"AlwaysTop", k64K}}, 1000, 0},
    {"negative interval", {{"UpdateInterval", "-250"}}, 1000, 0},
    {"zero interval", {{"UpdateInterval", "0"}}, 1000, 0},
    {"largest interval", {{"UpdateInterval", "2147483647"}}, 2147483647, 0},
    {"interval past 32 bits", {{"UpdateInterval", "2147483648"}}, 1000, 0},
    {"interval of 64 KB digits", {{"UpdateInterval", kHugeNumber}}, 1000, 0},
    {"fractional interval", {{"UpdateInterval", "250.5"}}, 1000, 0},
    {"interval with sign and spaces", {{"UpdateInterval", " +250 "}}, 250, 0},
    {"interval not a number", {{"UpdateInterval", "inf"}}, 1000, 0},
    {"widths out of range",
     {{"TitleWidth", "-1"}, {"StatusWidth", "1e308"}, {"SizeWidth", kHugeNumber},
      {"ClassWidth", "nan"}, {"hWndWidth", "-2147483648"}},
     1000, 0},
    {"exclusion list with a gap", {{"Wnd1", "a"}, {"Wnd3", "c"}}, 1000, 1},
    {"exclusion list starting empty", {{"Wnd1", ""}, {"Wnd2", "b"}}, 1000, 0},
    {"keys around the list", {{"Wnd0", "z"}, {"Wnd-1", "z"}, {"Wnd01", "z"}, {"wnd1", "z"}}, 1000, 0},
    {"more titles than the list holds", ExclusionRun(1005), 1000, 1000},
    {"title of 64 KB", {{"Wnd1", k64K}, {"Wnd2", "ok"}}, 1000, 2},
    {"titles with NUL, bad UTF-8 and spaces",
     {{"Wnd1", std::string("a\0b", 3)}, {"Wnd2", "\xff\xfe\xc3"}, {"Wnd3", " "}}, 1000, 3},
};

TEST(HostileSettingsTest, EveryStoreLoadsSanelyAndReloadsTheSame) {
    for (const HostileStore& store : kHostileStores) {
        SCOPED_TRACE(store.name);
        const RoundTrip trip = RoundTripSettings(store.stored);
        EXPECT_TRUE(trip.problems.empty()) << Join(trip.problems);
        EXPECT_EQ(trip.first.UpdateInterval, store.interval);
        EXPECT_EQ(trip.first.ExcludedTitles.size(), store.titles);
    }
}

// Raw inputs as the fuzzer hands them over, through its decoding.
TEST(HostileSettingsTest, FuzzerInputsPassTheSameChecks) {
    const std::vector<std::string> inputs{
        "",
        std::string("\x80\x03\x00" "abc", 6),       // Wnd1 = "abc"
        std::string("\x80\xff\xff" "ab", 5),        // Wnd1 = 64 KB of "ab"
        std::string("\x05\x20\x00", 3),             // UpdateInterval = 32 '9's
        std::string("\x7f\xe9\x03\x01\x00z", 6),    // Wnd1001 = "z"
        std::string("\x7e\x04" "Wnd1" "\x02\x00hi", 10),
        std::string("\x80\x01\x00q\x81\x00\x00\x82\x01\x00r", 12),  // Wnd1, empty Wnd2, Wnd3
    };
    for (std::size_t i = 0; i < inputs.size(); ++i) {
        SCOPED_TRACE("input " + std::to_string(i));
        const auto* bytes = reinterpret_cast<const std::uint8_t*>(inputs[i].data());
        const RoundTrip trip = RoundTripSettings(DecodeStoredValues(bytes, inputs[i].size()));
        EXPECT_TRUE(trip.problems.empty()) << Join(trip.problems);
    }
}

}  // namespace
}  // namespace qov::testing
