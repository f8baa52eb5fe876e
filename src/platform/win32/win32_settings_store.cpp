#include "platform/win32/win32_settings_store.h"

#include <windows.h>

#include "platform/win32/text_conversion.h"

namespace qov::win32 {
namespace {

// No setting of the program comes near this; a longer value is not ours.
constexpr DWORD kLongestValueBytes = 32768 * sizeof(wchar_t);

std::wstring SectionKey(const std::string& app, const std::string& section) {
    return L"Software\\" + Utf8ToWide(app) + L"\\" + Utf8ToWide(section);
}

}  // namespace

std::string Win32SettingsStore::GetSetting(const std::string& app, const std::string& section,
                                           const std::string& key,
                                           const std::string& fallback) {
    const std::wstring subkey = SectionKey(app, section);
    const std::wstring name = Utf8ToWide(key);
    DWORD bytes = 0;
    if (RegGetValueW(HKEY_CURRENT_USER, subkey.c_str(), name.c_str(), RRF_RT_REG_SZ, nullptr,
                     nullptr, &bytes) != ERROR_SUCCESS ||
        bytes > kLongestValueBytes) {
        return fallback;
    }
    std::wstring value(bytes / sizeof(wchar_t) + 1, L'\0');
    bytes = static_cast<DWORD>(value.size() * sizeof(wchar_t));
    // Fails with ERROR_MORE_DATA if the value grew in between: the fallback then.
    if (RegGetValueW(HKEY_CURRENT_USER, subkey.c_str(), name.c_str(), RRF_RT_REG_SZ, nullptr,
                     value.data(), &bytes) != ERROR_SUCCESS) {
        return fallback;
    }
    value.resize(wcsnlen(value.c_str(), value.size()));
    return WideToUtf8(value);
}

void Win32SettingsStore::SaveSetting(const std::string& app, const std::string& section,
                                     const std::string& key, const std::string& value) {
    const std::wstring subkey = SectionKey(app, section);
    const std::wstring name = Utf8ToWide(key);
    const std::wstring data = Utf8ToWide(value);
    // Nothing reports a failed save to the user; the value is simply not kept.
    RegSetKeyValueW(HKEY_CURRENT_USER, subkey.c_str(), name.c_str(), REG_SZ, data.c_str(),
                    static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)));
}

}  // namespace qov::win32
