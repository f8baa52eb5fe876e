#pragma once
// Conversions at the boundary between the program's UTF-8 text and the wide
// (UTF-16) text of the Win32 API.
#include <string>
#include <string_view>

namespace qov::win32 {

// Invalid input (a lone surrogate, say from a title cut in the middle of a
// pair) becomes U+FFFD rather than failing the whole conversion.
std::wstring Utf8ToWide(std::string_view text);
std::string WideToUtf8(std::wstring_view text);

}  // namespace qov::win32
