#pragma once
// The program's options: one record, read by the window filters at every use
// and changed only by the settings dialogs and the target-mode menu items.

#include <cstdint>
#include <string>
#include <vector>

namespace qov {

inline constexpr int kMaxExcludedTitles = 1000;

struct Settings {
    bool ShowOnly = true;       // multi-window commands hit only visible windows
    bool ShowNoname = false;    // list windows without a title
    bool SystemWindow = false;  // list system windows too
    bool NotVWindow = false;    // ignore the exclusion list
    bool AlwaysTop = false;     // keep the program's own windows on top
    std::int32_t UpdateInterval = 1000;  // refresh interval, milliseconds

    // Title fragments, position n at index n - 1, in the order they were added.
    std::vector<std::string> ExcludedTitles;
    // Fragments that mark a system window; the last two are the program's own captions.
    std::vector<std::string> SystemTitles{"IME", "OLE", "DDE", "Program Manager", "QOV", "V O V"};

    std::int32_t ExcludedTitleCount() const {
        return static_cast<std::int32_t>(ExcludedTitles.size());
    }
    std::int32_t SystemTitleCount() const {
        return static_cast<std::int32_t>(SystemTitles.size());
    }

    // Appends at position count + 1. Refused (false, nothing stored) when the
    // list already holds kMaxExcludedTitles entries.
    bool AppendExcludedTitle(std::string title);
    // Removes the 1-based `position`; later entries move up. False when there
    // is no such position.
    bool RemoveExcludedTitle(int position);
};

}  // namespace qov
