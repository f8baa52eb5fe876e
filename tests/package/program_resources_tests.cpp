// qov.exe's resources as users meet them: the icon Explorer and the Start menu
// show (its first icon group is identifier 1 and holds the committed
// src/app/qov.ico, image for image), and the menus, caption for caption.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "core/command_ids.h"

namespace {

const char* Variable(const char* name) { return std::getenv(name) ? std::getenv(name) : ""; }

DWORD Field(const std::string& bytes, std::size_t at, std::size_t size) {  // little-endian
    DWORD value = 0;
    std::memcpy(&value, bytes.data() + at, size);
    return value;
}

TEST(ProgramIcon, ExeCarriesTheIconFileAsItsFirstIconGroup) {
    std::ifstream file(Variable("QOV_ICON_FILE"), std::ios::binary);
    const std::string ico{std::istreambuf_iterator<char>(file), {}};
    const DWORD asData = LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE;
    const HMODULE exe = LoadLibraryExA(Variable("QOV_EXE"), nullptr, asData);
    ASSERT_TRUE(exe && ico.size() > 6) << "cannot read qov.exe and qov.ico";
    ULONG_PTR first = 0;
    const ENUMRESNAMEPROCW keepFirst = [](HMODULE, LPCWSTR, LPWSTR name, LONG_PTR found) -> BOOL {
        return *reinterpret_cast<ULONG_PTR*>(found) = reinterpret_cast<ULONG_PTR>(name), FALSE;
    };
    EnumResourceNamesW(exe, RT_GROUP_ICON, keepFirst, reinterpret_cast<LONG_PTR>(&first));
    EXPECT_EQ(first, 1u) << "Explorer shows the icon group with the lowest identifier";
    const auto resource = [exe](LPCWSTR type, DWORD id) {
        const HRSRC found = FindResourceW(exe, MAKEINTRESOURCEW(id), type);
        const void* bytes = found ? LockResource(LoadResource(exe, found)) : nullptr;
        return std::string(static_cast<const char*>(bytes), bytes ? SizeofResource(exe, found) : 0);
    };
    // Both start with the same 6-byte header. The file's 16-byte entries end with
    // the image's size and offset, the group's 14-byte ones with the size and its icon's identifier.
    const std::string group = resource(RT_GROUP_ICON, 1);
    const std::size_t images = Field(ico, 4, 2);
    ASSERT_EQ(group.substr(0, 6), ico.substr(0, 6));
    ASSERT_EQ(group.size(), 6 + 14 * images);
    for (std::size_t i = 0; i < images; ++i) {
        const std::size_t inFile = 6 + 16 * i, inGroup = 6 + 14 * i;
        EXPECT_EQ(group.substr(inGroup, 12), ico.substr(inFile, 12)) << "entry " << i;
        const std::string image = ico.substr(Field(ico, inFile + 12, 4), Field(ico, inFile + 8, 4));
        EXPECT_TRUE(resource(RT_ICON, Field(group, inGroup + 12, 2)) == image) << "image " << i << " differs";
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
