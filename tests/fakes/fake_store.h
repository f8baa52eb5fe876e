#pragma once
// The settings store: values by key, and the keys in the order they were written.

#include <map>
#include <string>
#include <vector>

#include "core/ports.h"

namespace qov::fakes {

struct FakeStore : TextStore {
    std::map<std::string, std::string> values;
    std::vector<std::string> writtenKeys;

    std::optional<std::string> Read(const std::string& key) override {
        const auto found = values.find(key);
        return found == values.end() ? std::nullopt : std::optional(found->second);
    }
    void Write(const std::string& key, const std::string& value) override {
        values[key] = value;
        writtenKeys.push_back(key);
    }
};

}  // namespace qov::fakes
