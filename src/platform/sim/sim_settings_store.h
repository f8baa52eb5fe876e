#pragma once
// Settings kept in memory, addressed like the real store by application,
// section and key; a test can preset values, read what was saved and count
// the writes.

#include <map>
#include <optional>
#include <string>
#include <tuple>

#include "platform/settings_store.h"

namespace qov::sim {

class SimSettingsStore : public SettingsStore {
public:
    std::string GetSetting(const std::string& app, const std::string& section,
                           const std::string& key, const std::string& fallback) override;
    void SaveSetting(const std::string& app, const std::string& section,
                     const std::string& key, const std::string& value) override;

    // Sets a value without counting it as a write.
    void Preset(const std::string& app, const std::string& section, const std::string& key,
                const std::string& value);
    // The stored value, or nothing when the key does not exist.
    std::optional<std::string> Value(const std::string& app, const std::string& section,
                                     const std::string& key) const;
    bool Contains(const std::string& app, const std::string& section,
                  const std::string& key) const;
    // How many keys exist under one application and section.
    std::size_t KeyCount(const std::string& app, const std::string& section) const;
    void Clear() { values_.clear(); }

    int Writes() const { return writes_; }
    int Reads() const { return reads_; }
    void ResetCounts() { writes_ = reads_ = 0; }

private:
    using Address = std::tuple<std::string, std::string, std::string>;
    std::map<Address, std::string> values_;
    int writes_ = 0;
    int reads_ = 0;
};

}  // namespace qov::sim
