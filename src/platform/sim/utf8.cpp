#include "platform/sim/utf8.h"

namespace qov::sim {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Decodes one character at `pos`; `length` receives the bytes it took.
char32_t DecodeOne(std::string_view text, std::size_t pos, std::size_t& length) {
    const auto lead = static_cast<unsigned char>(text[pos]);
    length = 1;
    int trailing = 0;
    char32_t value = 0;
    char32_t minimum = 0;
    if (lead < 0x80) {
        return lead;
    } else if ((lead & 0xE0) == 0xC0) {
        trailing = 1, value = lead & 0x1F, minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        trailing = 2, value = lead & 0x0F, minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        trailing = 3, value = lead & 0x07, minimum = 0x10000;
    } else {
        return kReplacement;
    }
    if (pos + trailing >= text.size()) {
        return kReplacement;
    }
    for (int i = 1; i <= trailing; ++i) {
        const auto next = static_cast<unsigned char>(text[pos + i]);
        if ((next & 0xC0) != 0x80) return kReplacement;
        value = (value << 6) | (next & 0x3F);
    }
    if (value < minimum || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) {
        return kReplacement;
    }
    length = static_cast<std::size_t>(trailing) + 1;
    return value;
}

}  // namespace

std::vector<char32_t> DecodeUtf8(std::string_view text) {
    std::vector<char32_t> result;
    result.reserve(text.size());
    for (std::size_t pos = 0; pos < text.size();) {
        std::size_t length = 0;
        result.push_back(DecodeOne(text, pos, length));
        pos += length;
    }
    return result;
}

std::size_t Utf16Length(std::string_view text) {
    std::size_t units = 0;
    for (std::size_t pos = 0; pos < text.size();) {
        std::size_t length = 0;
        units += DecodeOne(text, pos, length) > 0xFFFF ? 2 : 1;
        pos += length;
    }
    return units;
}

std::string TruncateToUtf16Units(std::string_view text, std::size_t maxUnits) {
    std::size_t units = 0;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t length = 0;
        const std::size_t needed = DecodeOne(text, pos, length) > 0xFFFF ? 2 : 1;
        if (units + needed > maxUnits) break;
        units += needed;
        pos += length;
    }
    return std::string(text.substr(0, pos));
}

}  // namespace qov::sim
