#pragma once
#include <string_view>

namespace qov {

// True when `fragment` occurs anywhere in `text`, letter case ignored.
// An empty text contains nothing, not even an empty fragment; an empty
// fragment is contained in every non-empty text.
bool TitleContains(std::string_view text, std::string_view fragment);

}  // namespace qov
