#include "platform/sim/sim_settings_store.h"

namespace qov::sim {

std::string SimSettingsStore::GetSetting(const std::string& app, const std::string& section,
                                         const std::string& key, const std::string& fallback) {
    ++reads_;
    return Value(app, section, key).value_or(fallback);
}

void SimSettingsStore::SaveSetting(const std::string& app, const std::string& section,
                                   const std::string& key, const std::string& value) {
    ++writes_;
    values_[{app, section, key}] = value;
}

void SimSettingsStore::Preset(const std::string& app, const std::string& section,
                              const std::string& key, const std::string& value) {
    values_[{app, section, key}] = value;
}

std::optional<std::string> SimSettingsStore::Value(const std::string& app,
                                                   const std::string& section,
                                                   const std::string& key) const {
    const auto it = values_.find({app, section, key});
    if (it == values_.end()) return std::nullopt;
    return it->second;
}

bool SimSettingsStore::Contains(const std::string& app, const std::string& section,
                                const std::string& key) const {
    return values_.count({app, section, key}) != 0;
}

std::size_t SimSettingsStore::KeyCount(const std::string& app,
                                       const std::string& section) const {
    std::size_t count = 0;
    for (const auto& [address, value] : values_) {
        if (std::get<0>(address) == app && std::get<1>(address) == section) ++count;
    }
    return count;
}

}  // namespace qov::sim
