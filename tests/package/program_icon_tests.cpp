// qov.exe's icon as Explorer and the Start menu show it: its first icon group
// is identifier 1 and holds the committed src/app/qov.ico, image for image.
// (That the file is what the picture code paints is the Windows tests' part.)
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

namespace {

// CMake hands over Unix paths, which Wine reaches through drive Z:.
std::wstring PathFromEnvironment(const char* name) {
    std::string path = std::getenv(name) ? std::getenv(name) : "";
    std::replace(path.begin(), path.end(), '/', '\\');
    return L"Z:" + std::wstring(path.begin(), path.end());
}

TEST(ProgramIcon, ExeCarriesTheIconFileAsItsFirstIconGroup) {
    std::ifstream file(PathFromEnvironment("QOV_ICON_FILE").c_str(), std::ios::binary);
    const std::string ico{std::istreambuf_iterator<char>(file), {}};
    const HMODULE exe = LoadLibraryExW(PathFromEnvironment("QOV_EXE").c_str(), nullptr,
                                       LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_TRUE(exe && ico.size() > 6) << "cannot read qov.exe and qov.ico";
    ULONG_PTR first = 0;
    EnumResourceNamesW(
        exe, RT_GROUP_ICON,
        [](HMODULE, LPCWSTR, LPWSTR name, LONG_PTR found) -> BOOL {
            *reinterpret_cast<ULONG_PTR*>(found) = reinterpret_cast<ULONG_PTR>(name);
            return FALSE;
        },
        reinterpret_cast<LONG_PTR>(&first));
    EXPECT_EQ(first, 1u) << "Explorer shows the icon group with the lowest identifier";
    const auto resource = [exe](LPCWSTR type, int id) {
        const HRSRC found = FindResourceW(exe, MAKEINTRESOURCEW(id), type);
        const auto* bytes = found ? static_cast<const char*>(LockResource(LoadResource(exe, found))) : nullptr;
        return bytes ? std::string(bytes, SizeofResource(exe, found)) : std::string();
    };
    // Both start with the same 6-byte header. The file's 16-byte entries end with
    // the image's offset in the file, the group's 14-byte ones with its icon's identifier.
    const std::string group = resource(RT_GROUP_ICON, 1);
    ASSERT_EQ(group.substr(0, 6), ico.substr(0, 6));
    const int images = static_cast<unsigned char>(ico[4]);
    ASSERT_EQ(group.size(), 6u + 14u * images);
    for (int i = 0; i < images; ++i) {
        const std::string fileEntry = ico.substr(6 + 16 * i, 16), groupEntry = group.substr(6 + 14 * i, 14);
        EXPECT_EQ(groupEntry.substr(0, 12), fileEntry.substr(0, 12)) << "entry " << i;
        DWORD size = 0, offset = 0;
        WORD id = 0;
        std::copy_n(fileEntry.data() + 8, 4, reinterpret_cast<char*>(&size));
        std::copy_n(fileEntry.data() + 12, 4, reinterpret_cast<char*>(&offset));
        std::copy_n(groupEntry.data() + 12, 2, reinterpret_cast<char*>(&id));
        EXPECT_TRUE(resource(RT_ICON, id) == ico.substr(offset, size)) << "image " << i << " differs";
    }
    FreeLibrary(exe);
}

}  // namespace
