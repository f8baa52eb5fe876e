// The program's icon as a user meets it: qov.exe carries the committed
// src/app/qov.ico as its first icon group, the one Explorer and the Start menu
// show, with every size, each pixel for pixel what the picture code paints now
// (so a changed picture without a regenerated file fails here).
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "icon_file.h"
#include "platform/win32/pictures.h"
#include "platform/win32/unique_handle.h"
#include "program_icon_sizes.h"

namespace qov::tools {
namespace {

using win32::unique_hicon;

// A path from the environment; CMake hands over Unix paths, which Wine
// reaches through drive Z:.
std::wstring PathFromEnvironment(const char* name) {
    const char* value = std::getenv(name);
    std::string path = value != nullptr ? value : "";
    if (!path.empty() && path[0] == '/') {
        path = "Z:" + path;
        for (char& c : path)
            if (c == '/') c = '\\';
    }
    return std::wstring(path.begin(), path.end());
}

std::vector<std::uint8_t> ReadFile(const std::wstring& path) {
    std::ifstream file(path.c_str(), std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

IconImage PaintedIcon(int size) {
    unique_hicon icon{win32::CreateProgramIcon(size)};
    return CaptureIcon(icon.get());
}

std::string Hex(std::uint32_t pixel) {
    char text[16];
    std::snprintf(text, sizeof text, "%08X", pixel);
    return text;
}

// Compares two images, naming the first pixel that differs.
testing::AssertionResult SameImage(const IconImage& actual, const IconImage& expected) {
    if (actual.size != expected.size)
        return testing::AssertionFailure() << actual.size << " pixels square, not " << expected.size;
    for (std::size_t i = 0; i < expected.pixels.size(); ++i) {
        if (actual.pixels[i] != expected.pixels[i]) {
            return testing::AssertionFailure() << "pixel (" << i % expected.size << ", "
                                               << i / expected.size << ") is " << Hex(actual.pixels[i])
                                               << ", painted " << Hex(expected.pixels[i]);
        }
    }
    return testing::AssertionSuccess();
}

// An executable opened only to read its resources.
class ResourceModule {
public:
    explicit ResourceModule(const std::wstring& path)
        : module_(LoadLibraryExW(path.c_str(), nullptr,
                                 LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE)) {}
    ~ResourceModule() {
        if (module_ != nullptr) FreeLibrary(module_);
    }
    ResourceModule(const ResourceModule&) = delete;
    ResourceModule& operator=(const ResourceModule&) = delete;
    HMODULE get() const { return module_; }

private:
    HMODULE module_;
};

class ProgramIcon : public testing::Test {
protected:
    const std::wstring iconFile = PathFromEnvironment("QOV_ICON_FILE");
    const std::wstring exeFile = PathFromEnvironment("QOV_EXE");
};

TEST_F(ProgramIcon, FileListsEverySizeInThirtyTwoBits) {
    const std::vector<std::uint8_t> bytes = ReadFile(iconFile);
    ASSERT_FALSE(bytes.empty()) << "cannot read QOV_ICON_FILE";
    const std::vector<int> expected(kProgramIconSizes.begin(), kProgramIconSizes.end());
    EXPECT_EQ(IconFileSizes(bytes), expected);
}

// Read through qov.exe, which embeds the committed file: Wine's loader for
// .ico files takes the 256-pixel entry's stored width, 0, literally and
// stretches the 48-pixel image instead, while its resource loader does not.
TEST_F(ProgramIcon, ExeShowsThePaintedIconAsItsFirstIconGroup) {
    const ResourceModule module(exeFile);
    const HMODULE exe = module.get();
    ASSERT_NE(exe, nullptr) << "cannot open QOV_EXE";
    std::vector<ULONG_PTR> groups;
    EnumResourceNamesW(
        exe, RT_GROUP_ICON,
        [](HMODULE, LPCWSTR, LPWSTR name, LONG_PTR found) -> BOOL {
            reinterpret_cast<std::vector<ULONG_PTR>*>(found)->push_back(reinterpret_cast<ULONG_PTR>(name));
            return TRUE;
        },
        reinterpret_cast<LONG_PTR>(&groups));
    ASSERT_FALSE(groups.empty()) << "qov.exe has no icon";
    EXPECT_EQ(groups.front(), 1u) << "the first icon group is not identifier 1";

    for (int size : kProgramIconSizes) {
        unique_hicon loaded{static_cast<HICON>(
            LoadImageW(exe, MAKEINTRESOURCEW(1), IMAGE_ICON, size, size, 0))};
        ASSERT_TRUE(loaded) << "no " << size << "-pixel icon in qov.exe";
        EXPECT_TRUE(SameImage(CaptureIcon(loaded.get()), PaintedIcon(size)))
            << size << " pixels; after changing the picture, rebuild the file with the "
            << "update_icon target";
    }
}

TEST(IconFileSizes, RejectsWhatIsNotAnIconFile) {
    const std::vector<std::uint8_t> valid = EncodeIconFile({IconImage{1, {0xFF000000}}});
    ASSERT_EQ(IconFileSizes(valid), std::vector<int>{1});

    std::vector<std::uint8_t> cursor = valid;
    cursor[2] = 2;
    std::vector<std::uint8_t> truncated(valid.begin(), valid.end() - 1);
    std::vector<std::uint8_t> shortDirectory(valid.begin(), valid.begin() + 10);
    const struct {
        const char* what;
        std::vector<std::uint8_t> bytes;
    } table[] = {{"empty", {}},
                 {"a cursor file", cursor},
                 {"an image running past the end", truncated},
                 {"a directory cut short", shortDirectory}};
    for (const auto& row : table) EXPECT_TRUE(IconFileSizes(row.bytes).empty()) << row.what;
}

}  // namespace
}  // namespace qov::tools
