#pragma once
// The title comparison the tests hand to the core.

#include <string>

namespace qov::fakes {

// ASCII letter case is ignored. Windows also ignores character width; no
// test here relies on that.
bool TitleContains(const std::string& text, const std::string& fragment);

}  // namespace qov::fakes
