#pragma once
// Icons as the .ico files Windows reads: one 32-bit image with alpha per size,
// each with the 1-bit mask that older readers use.
#include <windows.h>

#include <cstdint>
#include <vector>

namespace qov::tools {

// A square image, top row first, each pixel 0xAARRGGBB (straight alpha).
struct IconImage {
    int size = 0;
    std::vector<std::uint32_t> pixels;
};

// Reads back the colour image of an icon; size 0 when it cannot be read.
IconImage CaptureIcon(HICON icon);

// The bytes of an .ico file holding `images`, in the order given. Sizes from
// 1 to 256 pixels.
std::vector<std::uint8_t> EncodeIconFile(const std::vector<IconImage>& images);

// The edge lengths listed in an .ico file's directory, of its 32-bit images
// only; empty when `bytes` is not an icon file or its entries lie outside it.
std::vector<int> IconFileSizes(const std::vector<std::uint8_t>& bytes);

}  // namespace qov::tools
