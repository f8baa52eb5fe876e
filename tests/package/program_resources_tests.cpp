// qov.exe's resources as users meet them: the icon Explorer and the Start menu
// show, and the menus, caption for caption.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "core/command_ids.h"
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

// Each item as "caption=command"; a submenu's items follow its caption, up to "<".
void ListItems(HMENU menu, std::vector<std::wstring>& items) {
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        wchar_t text[128] = {};
        MENUITEMINFOW item{};
        item.cbSize = sizeof item;
        item.fMask = MIIM_FTYPE | MIIM_STRING | MIIM_SUBMENU | MIIM_ID;
        item.dwTypeData = text;
        item.cch = 128;
        GetMenuItemInfoW(menu, i, TRUE, &item);
        if (item.fType & MFT_SEPARATOR) items.push_back(L"-");
        else if (!item.hSubMenu) items.push_back(text + (L"=" + std::to_wstring(item.wID)));
        else items.push_back(text), ListItems(item.hSubMenu, items), items.push_back(L"<");
    }
}

std::wstring Item(const wchar_t* caption, int command) {
    return caption + (L"=" + std::to_wstring(command));
}

TEST(ProgramMenu, EveryCaptionInItsPlaceWithItsCommand) {
    const HMODULE exe = LoadLibraryExA(Variable("QOV_EXE"), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    const HMENU menu = exe ? LoadMenuW(exe, MAKEINTRESOURCEW(IDR_MAIN_MENU)) : nullptr;
    ASSERT_TRUE(menu) << "qov.exe has no main menu";
    std::vector<std::wstring> items;
    ListItems(menu, items);
    const std::vector<std::wstring> expected{
        L"ファイル(&F)", Item(L"最新情報に更新\tF5", IDM_REFRESH), L"-", Item(L"終了\tF4", IDM_EXIT), L"<",
        L"単独ウィンドウ(&O)", Item(L"元のサイズに戻す(&R)", IDM_RESTORE), Item(L"移動(&M) ", IDM_MOVE),
        Item(L"サイズ変更(&S) ", IDM_SIZE), Item(L"最小化(&N) ", IDM_MINIMIZE),
        Item(L"最大化(&X) ", IDM_MAXIMIZE), L"-", Item(L"前面に表示(&T) ", IDM_BRING_TO_FRONT),
        Item(L"常に再前面に表示(&A) ", IDM_MAKE_TOPMOST), L"-", Item(L"非表示 \tCtrl+H", IDM_HIDE),
        Item(L"表示 \tCtrl+S", IDM_SHOW), L"-", Item(L"閉じる(C) ", IDM_CLOSE), L"-",
        Item(L"画面内に戻す(&B)", IDM_INTO_VIEW), L"<",
        L"複数ウィンドウ(&S)", L"ターゲットウィンドウ",
        Item(L"現在表示されているウィンドウのみ", IDM_TARGET_VISIBLE), Item(L"全てのウィンドウ", IDM_TARGET_ALL),
        L"<", L"-", Item(L"元のサイズに戻す(&R) ", IDM_ALL_RESTORE), Item(L"最小化(&N)", IDM_ALL_MINIMIZE),
        Item(L"最大化(&X)", IDM_ALL_MAXIMIZE), L"-", Item(L"非表示", IDM_ALL_HIDE), Item(L"表示", IDM_ALL_SHOW),
        L"-", Item(L"閉じる(&D)", IDM_ALL_CLOSE), L"-", Item(L"画面内に戻す(&B)", IDM_ALL_INTO_VIEW),
        Item(L"配置を保存(&V)", IDM_SAVE_LAYOUT), Item(L"配置を復元(&L)", IDM_RESTORE_LAYOUT), L"<",
        L"設定(&S)", Item(L"設定", IDM_SETTINGS), L"<",
        L"ヘルプ(&H)", Item(L"目次表示\tF1", IDM_HELP), Item(L"バージョン情報(&V)", IDM_ABOUT), L"<"};
    EXPECT_EQ(items, expected);
    DestroyMenu(menu);
    FreeLibrary(exe);
}

}  // namespace
