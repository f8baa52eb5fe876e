// Title matching for the simulated platform. The real system compares with the
// user's locale; this fold covers the scripts window titles in tests use:
// ASCII, Latin-1 and Latin Extended-A, basic Greek and Cyrillic, and the
// full-width ASCII forms and the ideographic space, which are folded to their
// ordinary forms so that "ＱＯＶ" and "qov" match (character width is
// ignored, as the locale's comparison may ignore it).

#include <algorithm>
#include <vector>

#include "platform/sim/utf8.h"
#include "platform/text_compare.h"

namespace qov {
namespace {

bool IsEvenOddPair(char32_t c, char32_t first, char32_t last) {
    return c >= first && c <= last;
}

char32_t FoldLatin(char32_t c) {
    if (c >= U'A' && c <= U'Z') return c + 0x20;
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 0x20;  // not the multiplication sign
    if (c == 0x178) return 0xFF;                              // Ÿ -> ÿ
    // Latin Extended-A alternates capital (even) and small (odd) letters,
    // except one stretch where the capital is the odd one.
    if (IsEvenOddPair(c, 0x100, 0x12F) || IsEvenOddPair(c, 0x132, 0x137) ||
        IsEvenOddPair(c, 0x14A, 0x177)) {
        return c | 1;
    }
    if (IsEvenOddPair(c, 0x139, 0x148) || IsEvenOddPair(c, 0x179, 0x17E)) {
        return (c & 1) ? c + 1 : c;
    }
    return c;
}

char32_t FoldGreek(char32_t c) {
    if (c >= 0x391 && c <= 0x3A9 && c != 0x3A2) return c + 0x20;
    if (c == 0x3C2) return 0x3C3;  // final sigma
    if (c == 0x386) return 0x3AC;
    if (c >= 0x388 && c <= 0x38A) return c + 0x25;
    if (c == 0x38C) return 0x3CC;
    if (c == 0x38E || c == 0x38F) return c + 0x3F;
    return c;
}

char32_t FoldCyrillic(char32_t c) {
    if (c >= 0x410 && c <= 0x42F) return c + 0x20;
    if (c >= 0x400 && c <= 0x40F) return c + 0x50;
    if (IsEvenOddPair(c, 0x460, 0x481) || IsEvenOddPair(c, 0x48A, 0x4BF)) return c | 1;
    return c;
}

char32_t Fold(char32_t c) {
    if (c >= 0xFF01 && c <= 0xFF5E) c -= 0xFEE0;  // full-width ASCII forms
    if (c == 0x3000) c = U' ';                      // the ideographic space is a wide space
    if (c < 0x250) return FoldLatin(c);
    if (c >= 0x370 && c < 0x400) return FoldGreek(c);
    if (c >= 0x400 && c < 0x530) return FoldCyrillic(c);
    return c;
}

std::vector<char32_t> Folded(std::string_view text) {
    std::vector<char32_t> points = sim::DecodeUtf8(text);
    std::transform(points.begin(), points.end(), points.begin(), Fold);
    return points;
}

}  // namespace

bool TitleContains(std::string_view text, std::string_view fragment) {
    if (text.empty()) return false;
    if (fragment.empty()) return true;
    const std::vector<char32_t> haystack = Folded(text);
    const std::vector<char32_t> needle = Folded(fragment);
    return std::search(haystack.begin(), haystack.end(), needle.begin(), needle.end()) !=
           haystack.end();
}

}  // namespace qov
