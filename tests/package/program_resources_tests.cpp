// qov.exe's icon as users meet it: the one Explorer and the Start menu show;
// the version both programs give in their properties.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "win32/pictures.h"

namespace {

const char* Variable(const char* name) { return std::getenv(name) ? std::getenv(name) : ""; }

// Explorer shows the icon group with the lowest identifier. Each of its
// images is what CreateProgramIcon paints today: the exe carries the
// committed src/app/qov.ico, so after changing the picture, the file is made
// again with the update_icon target.
TEST(ProgramIcon, ExeShowsThePictureTheProgramPaints) {
    const DWORD asData = LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE;
    const HMODULE exe = LoadLibraryExA(Variable("QOV_EXE"), nullptr, asData);
    ASSERT_TRUE(exe) << "cannot read qov.exe";
    ULONG_PTR first = 0;
    const ENUMRESNAMEPROCW keepFirst = [](HMODULE, LPCWSTR, LPWSTR name, LONG_PTR found) -> BOOL {
        return *reinterpret_cast<ULONG_PTR*>(found) = reinterpret_cast<ULONG_PTR>(name), FALSE;
    };
    EnumResourceNamesW(exe, RT_GROUP_ICON, keepFirst, reinterpret_cast<LONG_PTR>(&first));
    EXPECT_EQ(first, 1u) << "another icon group comes first";
    const auto resource = [exe](LPCWSTR type, DWORD id) {
        const HRSRC found = FindResourceW(exe, MAKEINTRESOURCEW(id), type);
        const void* bytes = found ? LockResource(LoadResource(exe, found)) : nullptr;
        return std::string(static_cast<const char*>(bytes), bytes ? SizeofResource(exe, found) : 0);
    };
    // A 6-byte header, then 14-byte entries: width first, the image's icon identifier last.
    const std::string group = resource(RT_GROUP_ICON, 1);
    ASSERT_EQ(group.size(), 6u + 14 * 5) << "not five sizes";
    for (std::size_t entry = 6; entry < group.size(); entry += 14) {
        const int size = group[entry] == 0 ? 256 : static_cast<unsigned char>(group[entry]);
        WORD id = 0;
        std::memcpy(&id, &group[entry + 12], sizeof id);
        const std::string image = resource(RT_ICON, id);  // a bitmap header, then its rows bottom-up
        std::vector<DWORD> painted(static_cast<std::size_t>(size * size));
        ASSERT_GE(image.size(), 40 + painted.size() * 4);
        ICONINFO info{};
        ASSERT_TRUE(GetIconInfo(qov::win32::CreateProgramIcon(size).get(), &info));
        const qov::win32::UniqueBitmap colour{info.hbmColor}, mask{info.hbmMask};
        BITMAPINFO format{};
        format.bmiHeader = {sizeof(BITMAPINFOHEADER), size, size, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        GetDIBits(qov::win32::UniqueDC{CreateCompatibleDC(nullptr)}.get(), colour.get(), 0, size,
                  painted.data(), &format, DIB_RGB_COLORS);
        EXPECT_EQ(std::memcmp(image.data() + 40, painted.data(), painted.size() * 4), 0)
            << "the " << size << "-pixel icon differs from what the program paints";
    }
    FreeLibrary(exe);
}

// Explorer's Details tab and installers read the fixed numbers; the texts are
// what the Details tab shows. Both follow the project's version (QOV_VERSION).
TEST(ProgramVersion, BothProgramsCarryTheProjectsVersion) {
    const DWORD major = QOV_VERSION_MAJOR, minor = QOV_VERSION_MINOR, patch = QOV_VERSION_PATCH;
    const std::wstring text(QOV_VERSION, QOV_VERSION + std::strlen(QOV_VERSION));
    for (const char* variable : {"QOV_EXE", "QOVC_EXE"}) {
        const std::string path = Variable(variable);
        std::vector<char> info(GetFileVersionInfoSizeA(path.c_str(), nullptr));
        ASSERT_FALSE(info.empty()) << path << " has no version resource";
        ASSERT_TRUE(GetFileVersionInfoA(path.c_str(), 0, static_cast<DWORD>(info.size()), info.data()));
        VS_FIXEDFILEINFO* fixed = nullptr;
        UINT length = 0;
        ASSERT_TRUE(VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
        for (const DWORD versionMS : {fixed->dwFileVersionMS, fixed->dwProductVersionMS})
            EXPECT_EQ(versionMS, (major << 16) | minor) << path;
        for (const DWORD versionLS : {fixed->dwFileVersionLS, fixed->dwProductVersionLS})
            EXPECT_EQ(versionLS, patch << 16) << path;
        for (const wchar_t* name : {L"FileVersion", L"ProductVersion"}) {
            wchar_t* value = nullptr;
            const std::wstring key = std::wstring(L"\\StringFileInfo\\041104B0\\") + name;
            ASSERT_TRUE(VerQueryValueW(info.data(), key.c_str(), reinterpret_cast<void**>(&value), &length));
            EXPECT_EQ(std::wstring(value), text) << path;
        }
    }
}

}  // namespace
