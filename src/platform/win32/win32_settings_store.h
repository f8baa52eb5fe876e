#pragma once
// Settings in the registry: application A, section S and key K are the
// REG_SZ value K of HKEY_CURRENT_USER\Software\A\S.
#include "platform/settings_store.h"

namespace qov::win32 {

class Win32SettingsStore final : public SettingsStore {
public:
    std::string GetSetting(const std::string& app, const std::string& section,
                           const std::string& key, const std::string& fallback) override;
    void SaveSetting(const std::string& app, const std::string& section,
                     const std::string& key, const std::string& value) override;
};

}  // namespace qov::win32
