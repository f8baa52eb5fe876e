// The registry settings store: where values live, round trips, and the
// fallback for everything that is not a readable string of ours.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/win32/win32_settings_store.h"

namespace qov::win32 {
namespace {

class RegistrySettings : public ::testing::Test {
protected:
    // A test application of its own, so runs never see each other's values.
    const std::string app = "QOV Tests " + std::to_string(GetCurrentProcessId());
    const std::wstring appKey = L"Software\\QOV Tests " + std::to_wstring(GetCurrentProcessId());

    void TearDown() override { RegDeleteTreeW(HKEY_CURRENT_USER, appKey.c_str()); }

    Win32SettingsStore store;
};

TEST_F(RegistrySettings, ValuesRoundTrip) {
    const std::pair<std::string, std::string> cases[] = {
        {"ShowOnly", "True"},
        {"UpdateInterval", "-1000"},
        {"Wnd1", "メモ帳 - 無題"},
        {"Wnd2", "ＭＳ Ｐゴシック 𠮷"},
        {"Empty", ""},
        {"Long", std::string(5000, 'x')},
    };
    for (const auto& [key, value] : cases) store.SaveSetting(app, "QOV", key, value);
    for (const auto& [key, value] : cases) {
        EXPECT_EQ(store.GetSetting(app, "QOV", key, "fallback"), value) << key;
    }
    store.SaveSetting(app, "QOV", "ShowOnly", "False");
    EXPECT_EQ(store.GetSetting(app, "QOV", "ShowOnly", ""), "False") << "a save replaces";
}

TEST_F(RegistrySettings, ValueIsAStringUnderSoftwareAppSection) {
    store.SaveSetting(app, "QOV", "Wnd1", "電卓");
    wchar_t value[32] = {};
    DWORD bytes = sizeof(value);
    DWORD type = 0;
    const std::wstring key = appKey + L"\\QOV";
    ASSERT_EQ(RegGetValueW(HKEY_CURRENT_USER, key.c_str(), L"Wnd1", RRF_RT_ANY, &type, value,
                           &bytes),
              ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_STREQ(value, L"電卓");
}

TEST_F(RegistrySettings, AnythingUnreadableGivesTheFallback) {
    EXPECT_EQ(store.GetSetting(app, "QOV", "Missing", "4000"), "4000") << "no key at all";
    store.SaveSetting(app, "QOV", "Present", "1");
    EXPECT_EQ(store.GetSetting(app, "QOV", "Missing", "4000"), "4000") << "no value";
    EXPECT_EQ(store.GetSetting(app, "Other", "Present", "x"), "x") << "another section";

    const std::wstring key = appKey + L"\\QOV";
    const DWORD number = 5;
    RegSetKeyValueW(HKEY_CURRENT_USER, key.c_str(), L"Number", REG_DWORD, &number, sizeof(number));
    EXPECT_EQ(store.GetSetting(app, "QOV", "Number", "1000"), "1000") << "not a string";

    const std::wstring huge(100000, L'x');
    RegSetKeyValueW(HKEY_CURRENT_USER, key.c_str(), L"Huge", REG_SZ, huge.c_str(),
                    static_cast<DWORD>((huge.size() + 1) * sizeof(wchar_t)));
    EXPECT_EQ(store.GetSetting(app, "QOV", "Huge", "short"), "short") << "too long to be ours";
}

}  // namespace
}  // namespace qov::win32
