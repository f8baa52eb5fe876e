#pragma once
// The store of the program's settings and saved layouts.

#include <optional>
#include <string>

namespace qov {

// Text values by key under the program's one section.
class TextStore {
public:
    virtual ~TextStore() = default;
    // Nothing when the key is missing or unreadable.
    virtual std::optional<std::string> Read(const std::string& key) = 0;
    virtual void Write(const std::string& key, const std::string& value) = 0;
    // Removes every value of the section.
    virtual void Clear() = 0;
};

}  // namespace qov
