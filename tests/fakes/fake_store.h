#pragma once
// A text store in memory.

#include <map>
#include <string>
#include <utility>

#include "core/text_store.h"

namespace qov::fakes {

struct FakeStore : TextStore {
    explicit FakeStore(std::map<std::string, std::string> stored = {}) : values(std::move(stored)) {}
    std::map<std::string, std::string> values;
    bool keepsWrites = true;

    std::optional<std::string> Read(const std::string& key) override {
        const auto found = values.find(key);
        return found == values.end() ? std::nullopt : std::optional(found->second);
    }
    void Write(const std::string& key, const std::string& value) override {
        if (keepsWrites) values[key] = value;
    }
    void Clear() override { values.clear(); }
};

}  // namespace qov::fakes
