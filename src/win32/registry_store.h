#pragma once
// The settings store: REG_SZ values under one key of HKEY_CURRENT_USER.
#include <string>

#include "core/text_store.h"

namespace qov::win32 {

inline constexpr const wchar_t* kSettingsKey = L"Software\\Tamarind Desk\\QOV";
// The saved window layout, apart from the settings so that replacing it cannot touch them.
inline constexpr const wchar_t* kLayoutKey = L"Software\\Tamarind Desk\\QOV\\Layout";

class RegistryStore final : public TextStore {
public:
    explicit RegistryStore(std::wstring keyPath = kSettingsKey) : keyPath_(std::move(keyPath)) {}
    // A value that is not REG_SZ, or too long, reads as missing.
    std::optional<std::string> Read(const std::string& key) override;
    void Write(const std::string& key, const std::string& value) override;
    // Deletes the key, with any keys under it; the next write creates it again.
    void Clear() override;

private:
    std::wstring keyPath_;
};

}  // namespace qov::win32
