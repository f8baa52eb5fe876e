#pragma once
// Conversions between the core's UTF-8 and the wide (UTF-16) text of the
// Win32 API, which the program uses throughout.
#include <string>
#include <string_view>

namespace qov::win32 {

// Invalid input (a lone surrogate from a title cut inside a pair) becomes
// U+FFFD rather than failing the whole conversion.
std::wstring Utf8ToWide(std::string_view text);
std::string WideToUtf8(std::wstring_view text);

// Whether `fragment` occurs in `text` as the user's locale compares letters,
// case and character width ignored: the core's TitleMatch.
bool TitleContains(const std::string& text, const std::string& fragment);

}  // namespace qov::win32
