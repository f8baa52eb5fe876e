#include "icon_file.h"

#include <cstddef>

#include "win32/handles.h"

namespace qov::tools {
namespace {

using win32::UniqueBitmap;

constexpr std::size_t kDirectoryHeaderBytes = 6;
constexpr std::size_t kDirectoryEntryBytes = 16;
constexpr std::size_t kBitmapHeaderBytes = 40;

void Put16(std::vector<std::uint8_t>& out, unsigned value) {
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void Put32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

unsigned Get16(const std::vector<std::uint8_t>& in, std::size_t at) {
    return in[at] | (in[at + 1] << 8);
}

std::uint32_t Get32(const std::vector<std::uint8_t>& in, std::size_t at) {
    return Get16(in, at) | (static_cast<std::uint32_t>(Get16(in, at + 2)) << 16);
}

// Mask rows are padded to whole 32-bit words.
std::size_t MaskStride(int size) { return (static_cast<std::size_t>(size) + 31) / 32 * 4; }

std::size_t ImageBytes(int size) {
    const auto edge = static_cast<std::size_t>(size);
    return kBitmapHeaderBytes + edge * edge * 4 + MaskStride(size) * edge;
}

// A bitmap header, then the colour rows and the mask rows, both bottom row
// first. The header's height counts both halves, as in every icon image.
void PutImage(std::vector<std::uint8_t>& out, const IconImage& image) {
    const int size = image.size;
    Put32(out, kBitmapHeaderBytes);
    Put32(out, static_cast<std::uint32_t>(size));
    Put32(out, static_cast<std::uint32_t>(size * 2));
    Put16(out, 1);   // planes
    Put16(out, 32);  // bits per pixel
    Put32(out, BI_RGB);
    Put32(out, static_cast<std::uint32_t>(ImageBytes(size) - kBitmapHeaderBytes));
    for (int unused = 0; unused < 4; ++unused) Put32(out, 0);

    for (int y = size - 1; y >= 0; --y)
        for (int x = 0; x < size; ++x) Put32(out, image.pixels[static_cast<std::size_t>(y * size + x)]);
    for (int y = size - 1; y >= 0; --y) {
        std::vector<std::uint8_t> row(MaskStride(size), 0);
        for (int x = 0; x < size; ++x) {
            const bool transparent = (image.pixels[static_cast<std::size_t>(y * size + x)] >> 24) == 0;
            if (transparent) row[static_cast<std::size_t>(x / 8)] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
        }
        out.insert(out.end(), row.begin(), row.end());
    }
}

// A memory device context for GetDIBits, deleted on every path.
class MemoryDc {
public:
    MemoryDc() : dc_(CreateCompatibleDC(nullptr)) {}
    ~MemoryDc() { DeleteDC(dc_); }
    MemoryDc(const MemoryDc&) = delete;
    MemoryDc& operator=(const MemoryDc&) = delete;
    HDC get() const { return dc_; }

private:
    HDC dc_;
};

}  // namespace

IconImage CaptureIcon(HICON icon) {
    ICONINFO info{};
    if (!GetIconInfo(icon, &info)) return {};
    UniqueBitmap colour{info.hbmColor};
    UniqueBitmap mask{info.hbmMask};
    BITMAP shape{};
    if (!colour || !GetObjectW(colour.get(), sizeof shape, &shape) || shape.bmWidth != shape.bmHeight)
        return {};

    IconImage image;
    image.size = shape.bmWidth;
    image.pixels.resize(static_cast<std::size_t>(image.size * image.size));
    BITMAPINFO request{};
    request.bmiHeader = {sizeof(BITMAPINFOHEADER), image.size, -image.size, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    MemoryDc dc;
    const int rows = GetDIBits(dc.get(), colour.get(), 0, static_cast<UINT>(image.size), image.pixels.data(),
                               &request, DIB_RGB_COLORS);
    if (rows != image.size) return {};
    return image;
}

std::vector<std::uint8_t> EncodeIconFile(const std::vector<IconImage>& images) {
    std::vector<std::uint8_t> out;
    Put16(out, 0);  // reserved
    Put16(out, 1);  // an icon, not a cursor
    Put16(out, static_cast<unsigned>(images.size()));
    std::size_t offset = kDirectoryHeaderBytes + kDirectoryEntryBytes * images.size();
    for (const IconImage& image : images) {
        // A byte holds the edge length; 0 stands for 256.
        out.push_back(static_cast<std::uint8_t>(image.size & 0xFF));
        out.push_back(static_cast<std::uint8_t>(image.size & 0xFF));
        out.push_back(0);  // not a palette image
        out.push_back(0);  // reserved
        Put16(out, 1);     // planes
        Put16(out, 32);    // bits per pixel
        Put32(out, static_cast<std::uint32_t>(ImageBytes(image.size)));
        Put32(out, static_cast<std::uint32_t>(offset));
        offset += ImageBytes(image.size);
    }
    for (const IconImage& image : images) PutImage(out, image);
    return out;
}

std::vector<int> IconFileSizes(const std::vector<std::uint8_t>& bytes) {
    if (bytes.size() < kDirectoryHeaderBytes || Get16(bytes, 0) != 0 || Get16(bytes, 2) != 1) return {};
    const unsigned count = Get16(bytes, 4);
    if (bytes.size() < kDirectoryHeaderBytes + kDirectoryEntryBytes * count) return {};
    std::vector<int> sizes;
    for (unsigned i = 0; i < count; ++i) {
        const std::size_t entry = kDirectoryHeaderBytes + kDirectoryEntryBytes * i;
        const std::uint32_t length = Get32(bytes, entry + 8);
        const std::uint32_t offset = Get32(bytes, entry + 12);
        if (offset > bytes.size() || length > bytes.size() - offset) return {};
        if (Get16(bytes, entry + 6) != 32) continue;
        sizes.push_back(bytes[entry] == 0 ? 256 : bytes[entry]);
    }
    return sizes;
}

}  // namespace qov::tools
