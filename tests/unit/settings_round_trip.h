#pragma once
// Start the program on a settings store holding whatever it holds, close it
// (which saves), start it again on what was saved, and report every broken
// rule. Shared by the hostile-settings unit tests and the settings fuzzer.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace qov::testing {

struct StoredValue {
    std::string key;    // under the program's application and section
    std::string value;
};

// What one start made of the store: the settings and everything that loading
// them set in the user interface.
struct LoadedState {
    bool ShowOnly = false;
    bool ShowNoname = false;
    bool SystemWindow = false;
    bool NotVWindow = false;
    bool AlwaysTop = false;
    std::int32_t UpdateInterval = 0;
    std::vector<std::string> ExcludedTitles;
    std::vector<std::string> SystemTitles;
    std::array<int, 5> columnWidths{};
    int timerInterval = 0;
    std::vector<std::string> excludedListLines;  // the settings dialog's list box
    std::vector<bool> controls;                   // menu checks, check boxes, option buttons
    bool operator==(const LoadedState&) const = default;
};

struct RoundTrip {
    LoadedState first;
    LoadedState second;
    std::vector<std::string> problems;  // empty when every rule holds
};

RoundTrip RoundTripSettings(const std::vector<StoredValue>& stored);

// The fuzzer's reading of raw bytes as stored values. Each record is a key
// selector byte, a 16-bit little-endian value length and the value's bytes;
// a value longer than the bytes left repeats them (or '9's when none are
// left), so a short input can hold a 64 KB value. Selectors 0x80..0xFF give
// "Wnd1".."Wnd128", 0x7F "Wnd" and the next 16-bit number, 0x7E a raw key
// of the next byte's length, anything else one of the program's other keys.
std::vector<StoredValue> DecodeStoredValues(const std::uint8_t* data, std::size_t size);

}  // namespace qov::testing
