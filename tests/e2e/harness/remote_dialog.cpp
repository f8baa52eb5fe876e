#include "remote_dialog.h"

#include <commctrl.h>

#include <functional>

#include "remote_memory.h"
#include "wait.h"

namespace qov::e2e {
namespace {

constexpr wchar_t kMessageBoxClass[] = L"#32770";

std::wstring TextOf(HWND window) {
    // WM_GETTEXT is marshalled across processes; GetWindowTextW of another
    // process's control would not ask the control at all.
    wchar_t text[512] = {};
    if (!SendWithTimeout(window, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text))) return {};
    return text;
}

std::wstring ClassOf(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

using WindowVisitor = std::function<bool(HWND)>;  // false stops the walk

BOOL CALLBACK Visit(HWND window, LPARAM parameter) {
    return (*reinterpret_cast<WindowVisitor*>(parameter))(window) ? TRUE : FALSE;
}

void ForEachTopLevel(WindowVisitor visitor) {
    EnumWindows(Visit, reinterpret_cast<LPARAM>(&visitor));
}

void ForEachChild(HWND parent, WindowVisitor visitor) {
    EnumChildWindows(parent, Visit, reinterpret_cast<LPARAM>(&visitor));
}

HWND FirstChild(HWND parent, const std::function<bool(HWND)>& matches) {
    HWND found = nullptr;
    ForEachChild(parent, [&](HWND child) {
        if (!matches(child)) return true;
        found = child;
        return false;
    });
    return found;
}

}  // namespace

std::vector<HWND> TopLevelWindows(DWORD process_id, const std::wstring& caption,
                                  bool message_boxes) {
    std::vector<HWND> windows;
    ForEachTopLevel([&](HWND window) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == process_id && (ClassOf(window) == kMessageBoxClass) == message_boxes &&
            TextOf(window) == caption) {
            windows.push_back(window);
        }
        return true;
    });
    return windows;
}

std::optional<RemoteDialog> RemoteDialog::FindVisible(DWORD process_id,
                                                      const std::wstring& caption) {
    for (HWND window : TopLevelWindows(process_id, caption)) {
        if (IsWindowVisible(window)) return RemoteDialog(window);
    }
    return std::nullopt;
}

HWND RemoteDialog::Control(const std::wstring& text, const wchar_t* class_name) const {
    return FirstChild(window_, [&](HWND child) {
        return (class_name == nullptr || _wcsicmp(ClassOf(child).c_str(), class_name) == 0) &&
               TextOf(child) == text;
    });
}

HWND RemoteDialog::ControlOfClass(const wchar_t* class_name) const {
    return FirstChild(window_,
                      [&](HWND child) { return _wcsicmp(ClassOf(child).c_str(), class_name) == 0; });
}

bool RemoteDialog::Click(const std::wstring& text) const {
    const HWND button = Control(text, WC_BUTTONW);
    return button != nullptr && PostMessageW(button, BM_CLICK, 0, 0);
}

std::optional<bool> RemoteDialog::Checked(const std::wstring& text) const {
    const HWND button = Control(text, WC_BUTTONW);
    LRESULT state = 0;
    if (button == nullptr || !SendWithTimeout(button, BM_GETCHECK, 0, 0, &state)) return std::nullopt;
    return state == BST_CHECKED;
}

bool RemoteDialog::SelectTab(int tab) const {
    const HWND tabs = ControlOfClass(WC_TABCONTROLW);
    LRESULT current = -1;
    return tabs != nullptr && SendWithTimeout(tabs, TCM_SETCURFOCUS, tab, 0) &&
           SendWithTimeout(tabs, TCM_GETCURSEL, 0, 0, &current) && current == tab;
}

namespace {

struct LineMessages {
    UINT count;
    UINT length;
    UINT text;
};

std::vector<std::wstring> Lines(HWND control, const LineMessages& messages) {
    std::vector<std::wstring> lines;
    LRESULT count = 0;
    if (!SendWithTimeout(control, messages.count, 0, 0, &count)) return lines;
    for (LRESULT i = 0; i < count; ++i) {
        LRESULT length = 0;
        if (!SendWithTimeout(control, messages.length, i, 0, &length) || length < 0) break;
        std::wstring line(static_cast<std::size_t>(length) + 1, L'\0');
        if (!SendWithTimeout(control, messages.text, i, reinterpret_cast<LPARAM>(line.data()))) break;
        line.resize(static_cast<std::size_t>(length));
        lines.push_back(line);
    }
    return lines;
}

}  // namespace

std::vector<std::wstring> ListBoxLines(HWND list_box) {
    return Lines(list_box, {LB_GETCOUNT, LB_GETTEXTLEN, LB_GETTEXT});
}

std::vector<std::wstring> ComboBoxLines(HWND combo_box) {
    return Lines(combo_box, {CB_GETCOUNT, CB_GETLBTEXTLEN, CB_GETLBTEXT});
}

std::optional<RemoteMessageBox> FindMessageBox(DWORD process_id, const std::wstring& title) {
    for (HWND window : TopLevelWindows(process_id, title, true)) {
        if (!IsWindowVisible(window)) continue;
        RemoteMessageBox box{window, title, {}};
        // The icon is a Static too, without text.
        FirstChild(window, [&](HWND child) {
            if (_wcsicmp(ClassOf(child).c_str(), WC_STATICW) != 0) return false;
            box.text = TextOf(child);
            return !box.text.empty();
        });
        return box;
    }
    return std::nullopt;
}

bool DismissMessageBox(const RemoteMessageBox& box) {
    const HWND ok = GetDlgItem(box.window, IDOK);
    if (ok != nullptr) {
        PostMessageW(ok, BM_CLICK, 0, 0);
    } else {
        PostMessageW(box.window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    }
    return WaitUntil([&] { return !IsWindow(box.window); });
}

}  // namespace qov::e2e
