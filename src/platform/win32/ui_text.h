#pragma once
// UTF-8 (the program's text) to and from UTF-16 (the wide Win32 functions).
#include <string>
#include <string_view>

namespace qov::win32::ui {

std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);

}  // namespace qov::win32::ui
