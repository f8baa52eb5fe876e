#pragma once
// QOV's stored settings: HKEY_CURRENT_USER\Software\Tamarind Desk\QOV, one
// REG_SZ value per key. Tests clear it before starting QOV and read it after.
#include <optional>
#include <string>
#include <vector>

namespace qov::e2e {

// Removes the key with all its values; true when it is gone.
bool DeleteQovSettings();
bool WriteQovSetting(const std::wstring& name, const std::wstring& value);
// Nothing when the value is missing or is not a string.
std::optional<std::wstring> ReadQovSetting(const std::wstring& name);
std::vector<std::wstring> QovSettingNames();

}  // namespace qov::e2e
