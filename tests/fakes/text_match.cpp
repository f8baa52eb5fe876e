// Title matching off Windows: ASCII letter case is ignored, and the full-width
// forms U+FF01..U+FF5E count as their ASCII characters, as the user's locale
// compares on Windows ("ＱＯＶ" contains "qov").

#include "core/ports.h"

namespace qov {
namespace {

std::string Folded(const std::string& text) {
    std::string folded;
    for (std::size_t i = 0; i < text.size(); ++i) {
        auto c = static_cast<unsigned char>(text[i]);
        // The full-width forms are EF BC 81 .. EF BD 9E in UTF-8.
        if (c == 0xEF && i + 2 < text.size() && (text[i + 1] == '\xBC' || text[i + 1] == '\xBD')) {
            const unsigned point = 0xFF00 | (text[i + 1] & 0x3Fu) << 6 | (text[i + 2] & 0x3Fu);
            if (point >= 0xFF01 && point <= 0xFF5E) {
                c = static_cast<unsigned char>(point - 0xFEE0);
                i += 2;
            }
        }
        folded.push_back(static_cast<char>(c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c));
    }
    return folded;
}

}  // namespace

bool TitleContains(const std::string& text, const std::string& fragment) {
    return !text.empty() && Folded(text).find(Folded(fragment)) != std::string::npos;
}

}  // namespace qov
