#include "qov_registry.h"

#include <windows.h>

#include "platform/win32/unique_handle.h"

namespace qov::e2e {
namespace {

constexpr wchar_t kKeyPath[] = L"Software\\Tamarind Desk\\QOV";

win32::unique_hkey OpenKey(REGSAM access) {
    win32::unique_hkey key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kKeyPath, 0, access, key.put()) != ERROR_SUCCESS) {
        return {};
    }
    return key;
}

}  // namespace

bool DeleteQovSettings() {
    const LSTATUS status = RegDeleteTreeW(HKEY_CURRENT_USER, kKeyPath);
    if (status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND) {
        // RegDeleteTree empties the key; the key itself goes with RegDeleteKey.
        RegDeleteKeyW(HKEY_CURRENT_USER, kKeyPath);
    }
    return !OpenKey(KEY_READ);
}

bool WriteQovSetting(const std::wstring& name, const std::wstring& value) {
    win32::unique_hkey key;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, kKeyPath, 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                        key.put(), nullptr) != ERROR_SUCCESS) {
        return false;
    }
    const auto size = static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t));
    return RegSetValueExW(key.get(), name.c_str(), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(value.c_str()), size) == ERROR_SUCCESS;
}

std::optional<std::wstring> ReadQovSetting(const std::wstring& name) {
    const win32::unique_hkey key = OpenKey(KEY_QUERY_VALUE);
    if (!key) return std::nullopt;
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExW(key.get(), name.c_str(), nullptr, &type, nullptr, &size) !=
            ERROR_SUCCESS ||
        type != REG_SZ) {
        return std::nullopt;
    }
    std::wstring value(size / sizeof(wchar_t) + 1, L'\0');
    if (RegQueryValueExW(key.get(), name.c_str(), nullptr, &type,
                         reinterpret_cast<BYTE*>(value.data()), &size) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    value.resize(wcsnlen(value.c_str(), value.size()));
    return value;
}

std::vector<std::wstring> QovSettingNames() {
    std::vector<std::wstring> names;
    const win32::unique_hkey key = OpenKey(KEY_QUERY_VALUE);
    if (!key) return names;
    for (DWORD index = 0;; ++index) {
        wchar_t name[256];
        DWORD length = 256;
        if (RegEnumValueW(key.get(), index, name, &length, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS) {
            break;
        }
        names.emplace_back(name, length);
    }
    return names;
}

}  // namespace qov::e2e
