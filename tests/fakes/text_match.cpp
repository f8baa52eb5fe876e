#include "fakes/text_match.h"

#include <algorithm>

namespace qov::fakes {

bool TitleContains(const std::string& text, const std::string& fragment) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
    const auto found = std::search(text.begin(), text.end(), fragment.begin(), fragment.end(),
                                   [&](char a, char b) { return lower(a) == lower(b); });
    return !text.empty() && found != text.end();
}

}  // namespace qov::fakes
