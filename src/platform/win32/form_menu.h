#pragma once
// A form's menu bar built from the program's menu table, with the keyboard
// shortcuts as an accelerator table.
//
// Command identifiers are fixed by the table's shape: 1000 plus the item's
// position in a depth-first walk of the table, counting every entry (menus,
// submenus, separators and items). Other programs, and the end-to-end tests,
// fire a command by posting WM_COMMAND with its identifier.
#include <windows.h>

#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "platform/forms.h"
#include "platform/win32/unique_handle.h"

namespace qov::win32::ui {

class FormMenu {
public:
    static constexpr UINT kFirstCommand = 1000;

    explicit FormMenu(const std::vector<MenuItem>& table);

    HMENU Bar() const { return bar_.get(); }
    HACCEL Accelerators() const { return accelerators_.get(); }
    // Runs the item's onClick; false when no item has that identifier.
    bool Run(UINT command) const;
    UINT Command(std::string_view name) const;  // 0 when no item has that name
    HMENU Submenu(std::string_view name) const;

    void SetChecked(std::string_view name, bool checked);
    bool Checked(std::string_view name) const;

private:
    struct Entry {
        std::string name;
        UINT command = 0;
        HMENU submenu = nullptr;
        std::function<void()> onClick;
        bool checked = false;
    };

    void Append(HMENU parent, const std::vector<MenuItem>& items, std::vector<ACCEL>& keys);
    const Entry* Find(std::string_view name) const;

    unique_hmenu bar_;
    unique_haccel accelerators_;
    std::vector<Entry> entries_;  // in depth-first order: entries_[i].command == 1000 + i
};

// Parses "F5", "Ctrl+H" and the like; false when the text names no key.
bool ParseShortcut(std::string_view text, ACCEL& key);

}  // namespace qov::win32::ui
