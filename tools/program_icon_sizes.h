#pragma once
// The sizes in the program's icon file: the small icon at 100, 150 and 200 %
// scale (16, 24, 32), the large one at 150 % (48) and Explorer's extra-large
// view (256). Windows scales the nearest larger one for any other size.
#include <array>

namespace qov::tools {

inline constexpr std::array<int, 5> kProgramIconSizes{16, 24, 32, 48, 256};

}  // namespace qov::tools
