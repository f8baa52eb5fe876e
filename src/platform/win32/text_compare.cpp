#include "platform/text_compare.h"

#include <windows.h>

#include "platform/win32/text_conversion.h"

namespace qov {

// The user's locale decides what "the same letter" means; width is ignored
// too, so a full-width title matches a fragment typed in half-width letters.
bool TitleContains(std::string_view text, std::string_view fragment) {
    if (text.empty()) return false;
    if (fragment.empty()) return true;
    const std::wstring wide_text = win32::Utf8ToWide(text);
    const std::wstring wide_fragment = win32::Utf8ToWide(fragment);
    const int found = ::FindNLSStringEx(
        LOCALE_NAME_USER_DEFAULT, FIND_FROMSTART | LINGUISTIC_IGNORECASE | NORM_IGNOREWIDTH,
        wide_text.c_str(), static_cast<int>(wide_text.size()), wide_fragment.c_str(),
        static_cast<int>(wide_fragment.size()), nullptr, nullptr, nullptr, 0);
    return found >= 0;
}

}  // namespace qov
