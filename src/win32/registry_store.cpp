#include "win32/registry_store.h"

#include <windows.h>

#include <cwchar>

#include "win32/text.h"

namespace qov::win32 {
namespace {

// No setting of the program comes near this; a longer value is not ours.
constexpr DWORD kLongestValueBytes = 32768 * sizeof(wchar_t);

}  // namespace

std::optional<std::string> RegistryStore::Read(const std::string& key) {
    const std::wstring name = Utf8ToWide(key);
    DWORD bytes = 0;
    if (::RegGetValueW(HKEY_CURRENT_USER, keyPath_.c_str(), name.c_str(), RRF_RT_REG_SZ, nullptr,
                       nullptr, &bytes) != ERROR_SUCCESS ||
        bytes > kLongestValueBytes) {
        return std::nullopt;
    }
    std::wstring value(bytes / sizeof(wchar_t) + 1, L'\0');
    bytes = static_cast<DWORD>(value.size() * sizeof(wchar_t));
    // Fails with ERROR_MORE_DATA if the value grew in between: missing then.
    if (::RegGetValueW(HKEY_CURRENT_USER, keyPath_.c_str(), name.c_str(), RRF_RT_REG_SZ, nullptr,
                       value.data(), &bytes) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    value.resize(::wcsnlen(value.c_str(), value.size()));
    return WideToUtf8(value);
}

// Creates the key when it is missing. Nothing reports a failed save to the
// user; the value is simply not kept.
void RegistryStore::Write(const std::string& key, const std::string& value) {
    const std::wstring name = Utf8ToWide(key);
    const std::wstring data = Utf8ToWide(value);
    ::RegSetKeyValueW(HKEY_CURRENT_USER, keyPath_.c_str(), name.c_str(), REG_SZ, data.c_str(),
                      static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)));
}

void RegistryStore::Clear() { ::RegDeleteTreeW(HKEY_CURRENT_USER, keyPath_.c_str()); }

}  // namespace qov::win32
