// The registry store and the locale's title match: what the system decides.
#include "win32/registry_store.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace qov::win32 {
namespace {

class RegistryStoreTest : public testing::Test {
protected:
    // A key of its own per run, so runs never see each other's values.
    const std::wstring keyPath = L"Software\\QOV Tests " + std::to_wstring(GetCurrentProcessId());
    void TearDown() override { RegDeleteTreeW(HKEY_CURRENT_USER, keyPath.c_str()); }
    RegistryStore store{keyPath};
};

TEST_F(RegistryStoreTest, WritesStringValuesThatReadBackUnchanged) {
    const std::pair<std::string, std::string> cases[] = {
        {"ShowOnly", "True"}, {"Wnd1", "メモ帳 - 無題"}, {"Wnd2", "ＭＳ Ｐゴシック 𠮷"},
        {"Empty", ""},        {"Long", std::string(5000, 'x')},
    };
    for (const auto& [key, value] : cases) store.Write(key, value);  // the first creates the key
    for (const auto& [key, value] : cases) EXPECT_EQ(store.Read(key), value) << key;
    DWORD type = 0;
    RegGetValueW(HKEY_CURRENT_USER, keyPath.c_str(), L"Wnd1", RRF_RT_ANY, &type, nullptr, nullptr);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
}

TEST_F(RegistryStoreTest, AnythingButAStringOfOursReadsAsMissing) {
    EXPECT_EQ(store.Read("ShowOnly"), std::nullopt) << "no key at all";
    store.Write("Present", "1");
    EXPECT_EQ(store.Read("Missing"), std::nullopt) << "no value";
    const DWORD number = 5;
    RegSetKeyValueW(HKEY_CURRENT_USER, keyPath.c_str(), L"Number", REG_DWORD, &number, 4);
    EXPECT_EQ(store.Read("Number"), std::nullopt) << "not a string";
    const std::wstring huge(100000, L'x');
    RegSetKeyValueW(HKEY_CURRENT_USER, keyPath.c_str(), L"Huge", REG_SZ, huge.c_str(),
                    static_cast<DWORD>((huge.size() + 1) * sizeof(wchar_t)));
    EXPECT_EQ(store.Read("Huge"), std::nullopt) << "too long to be ours";
}

TEST(TitleContains, IgnoresCaseAndWidthButNotKana) {
    const struct {
        const char* text;
        const char* fragment;
        bool contains;
    } cases[] = {
        {"", "", false},           {"", "a", false},
        {"Console", "", true},     {"untitled - notepad", "NotePad", true},
        {"Notepad", "pan", false}, {"ÄRGER", "ärger", true},
        {"ＡＢＣ エディタ", "abc", true}, {"abc editor", "ＡＢＣ", true},
        {"ﾃｽﾄ", "テスト", true},      {"無題 - メモ帳", "メモ", true},
        {"無題 - メモ帳", "帳簿", false}, {"ファイル", "ふぁいる", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TitleContains(c.text, c.fragment), c.contains)
            << '"' << c.fragment << "\" in \"" << c.text << '"';
    }
}

}  // namespace
}  // namespace qov::win32
