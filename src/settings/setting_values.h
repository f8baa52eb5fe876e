#pragma once
// Text encodings of the stored settings. A stored value that cannot be read
// as its type gives the caller's fallback, so no registry content can break
// start-up.

#include <cstdint>
#include <string>
#include <string_view>

namespace qov {

// "True"/"False" in any letter case, or a decimal number (0 is false).
bool ParseBoolean(std::string_view text, bool fallback);
std::string FormatBoolean(bool value);

// A decimal refresh interval in milliseconds. Unreadable, zero or negative
// values give `fallback`.
std::int32_t ParseInterval(std::string_view text, std::int32_t fallback);
std::string FormatInteger(std::int32_t value);

// A column width in twips, written as a decimal number (fractions allowed
// on reading). Unreadable, negative or absurdly large widths give `fallback`.
int ParseColumnWidth(std::string_view text, int fallback);

}  // namespace qov
