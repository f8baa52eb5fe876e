#pragma once
// How titles are compared. The platform supplies the comparison (Windows
// compares as the user's locale says) and hands it to the core.

#include <string>

namespace qov {

// True when `fragment` occurs anywhere in `text`, letter case (and character
// width) ignored. An empty text contains nothing; an empty fragment is in
// every other text.
using TitleMatch = bool (*)(const std::string& text, const std::string& fragment);

}  // namespace qov
