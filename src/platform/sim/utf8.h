#pragma once
// UTF-8 helpers shared by the simulated platform: decoding to code points and
// cutting text the way a fixed-size UTF-16 buffer of the real system cuts it.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace qov::sim {

// Malformed bytes decode to U+FFFD, one per byte, so no input is lost silently.
std::vector<char32_t> DecodeUtf8(std::string_view text);

// UTF-16 units the text takes: 2 for code points above U+FFFF, 1 otherwise.
std::size_t Utf16Length(std::string_view text);

// The longest prefix of `text` that fits in `maxUnits` UTF-16 units, cut at a
// character boundary (a character needing a surrogate pair is never split).
std::string TruncateToUtf16Units(std::string_view text, std::size_t maxUnits);

}  // namespace qov::sim
