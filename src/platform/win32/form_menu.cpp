#include "platform/win32/form_menu.h"

#include <cctype>

#include "platform/win32/text_conversion.h"

namespace qov::win32::ui {
namespace {

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (std::toupper(static_cast<unsigned char>(a[i])) !=
            std::toupper(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

bool ParseKey(std::string_view text, WORD& key) {
    if (text.size() == 1 && std::isalnum(static_cast<unsigned char>(text[0]))) {
        key = static_cast<WORD>(std::toupper(static_cast<unsigned char>(text[0])));
        return true;
    }
    if (text.size() >= 2 && (text[0] == 'F' || text[0] == 'f')) {
        int number = 0;
        for (char digit : text.substr(1)) {
            if (!std::isdigit(static_cast<unsigned char>(digit))) return false;
            number = number * 10 + (digit - '0');
        }
        if (number < 1 || number > 24) return false;
        key = static_cast<WORD>(VK_F1 + number - 1);
        return true;
    }
    return false;
}

}  // namespace

bool ParseShortcut(std::string_view text, ACCEL& key) {
    key = ACCEL{};
    key.fVirt = FVIRTKEY;
    while (true) {
        const size_t plus = text.find('+');
        if (plus == std::string_view::npos || plus + 1 == text.size()) break;
        const std::string_view modifier = text.substr(0, plus);
        if (EqualsIgnoringCase(modifier, "Ctrl")) key.fVirt |= FCONTROL;
        else if (EqualsIgnoringCase(modifier, "Shift")) key.fVirt |= FSHIFT;
        else if (EqualsIgnoringCase(modifier, "Alt")) key.fVirt |= FALT;
        else return false;
        text.remove_prefix(plus + 1);
    }
    return ParseKey(text, key.key);
}

FormMenu::FormMenu(const std::vector<MenuItem>& table) : bar_(CreateMenu()) {
    if (!bar_) throw ToolkitError("cannot create a menu bar");
    std::vector<ACCEL> keys;
    Append(bar_.get(), table, keys);
    if (!keys.empty()) {
        accelerators_.reset(CreateAcceleratorTableW(keys.data(), static_cast<int>(keys.size())));
    }
}

void FormMenu::Append(HMENU parent, const std::vector<MenuItem>& items,
                      std::vector<ACCEL>& keys) {
    for (const MenuItem& item : items) {
        const UINT command = kFirstCommand + static_cast<UINT>(entries_.size());
        entries_.push_back({item.name, command, nullptr, item.onClick, false});
        std::wstring caption = Utf8ToWide(item.caption);
        if (!item.children.empty()) {
            HMENU submenu = CreatePopupMenu();
            if (!submenu) throw ToolkitError("cannot create a menu");
            // Owned by `parent` from here on.
            AppendMenuW(parent, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(submenu),
                        caption.c_str());
            entries_.back().submenu = submenu;
            Append(submenu, item.children, keys);
        } else if (item.caption == "-") {
            AppendMenuW(parent, MF_SEPARATOR, command, nullptr);
        } else {
            ACCEL key{};
            if (!item.shortcut.empty() && ParseShortcut(item.shortcut, key)) {
                key.cmd = static_cast<WORD>(command);
                keys.push_back(key);
                caption += L"\t" + Utf8ToWide(item.shortcut);
            }
            AppendMenuW(parent, MF_STRING, command, caption.c_str());
        }
    }
}

bool FormMenu::Run(UINT command) const {
    if (command < kFirstCommand || command - kFirstCommand >= entries_.size()) return false;
    const Entry& entry = entries_[command - kFirstCommand];
    if (entry.submenu || !entry.onClick) return false;
    auto onClick = entry.onClick;  // the handler may replace the menu
    onClick();
    return true;
}

const FormMenu::Entry* FormMenu::Find(std::string_view name) const {
    if (name.empty()) return nullptr;
    for (const Entry& entry : entries_) {
        if (entry.name == name) return &entry;
    }
    return nullptr;
}

UINT FormMenu::Command(std::string_view name) const {
    const Entry* entry = Find(name);
    return entry ? entry->command : 0;
}

HMENU FormMenu::Submenu(std::string_view name) const {
    const Entry* entry = Find(name);
    return entry ? entry->submenu : nullptr;
}

void FormMenu::SetChecked(std::string_view name, bool checked) {
    // An unknown name changes nothing, as checking a missing native item does.
    Entry* entry = nullptr;
    for (Entry& candidate : entries_) {
        if (!name.empty() && candidate.name == name) {
            entry = &candidate;
            break;
        }
    }
    if (!entry) return;
    entry->checked = checked;
    CheckMenuItem(bar_.get(), entry->command,
                  MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

bool FormMenu::Checked(std::string_view name) const {
    const Entry* entry = Find(name);
    return entry && entry->checked;
}

}  // namespace qov::win32::ui
