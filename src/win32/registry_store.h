#pragma once
// The settings store: REG_SZ values under one key of HKEY_CURRENT_USER.
#include <string>

#include "core/ports.h"

namespace qov::win32 {

inline constexpr const wchar_t* kSettingsKey = L"Software\\Tamarind Desk\\QOV";

class RegistryStore final : public TextStore {
public:
    explicit RegistryStore(std::wstring keyPath = kSettingsKey) : keyPath_(std::move(keyPath)) {}
    // A value that is not REG_SZ, or too long, reads as missing.
    std::optional<std::string> Read(const std::string& key) override;
    void Write(const std::string& key, const std::string& value) override;

private:
    std::wstring keyPath_;
};

}  // namespace qov::win32
