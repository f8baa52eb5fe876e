#include <windows.h>

#include "win32/text.h"

namespace qov::win32 {

// The user's locale decides what "the same letter" means; width is ignored
// too, so a full-width title matches a fragment typed in half-width letters.
bool TitleContains(const std::string& text, const std::string& fragment) {
    if (text.empty()) return false;
    if (fragment.empty()) return true;
    const std::wstring wideText = Utf8ToWide(text);
    const std::wstring wideFragment = Utf8ToWide(fragment);
    const int found = ::FindNLSStringEx(
        LOCALE_NAME_USER_DEFAULT, FIND_FROMSTART | LINGUISTIC_IGNORECASE | NORM_IGNOREWIDTH,
        wideText.c_str(), static_cast<int>(wideText.size()), wideFragment.c_str(),
        static_cast<int>(wideFragment.size()), nullptr, nullptr, nullptr, 0);
    return found >= 0;
}

}  // namespace qov::win32
