#pragma once
// Another process's dialogs and message boxes, found by caption, and their
// ordinary controls (buttons, check boxes, list and combo boxes, tab strips),
// found by text or class and driven with the messages a user's input sends.
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace qov::e2e {

// The top-level windows of `process_id` whose caption reads `caption`
// exactly, hidden ones included; message boxes (#32770) only when asked for.
std::vector<HWND> TopLevelWindows(DWORD process_id, const std::wstring& caption,
                                  bool message_boxes = false);

class RemoteDialog {
public:
    explicit RemoteDialog(HWND window) : window_(window) {}

    // The one visible window of that caption (not a message box), if any.
    static std::optional<RemoteDialog> FindVisible(DWORD process_id, const std::wstring& caption);

    HWND window() const { return window_; }
    bool Exists() const { return IsWindow(window_) != FALSE; }
    bool Visible() const { return IsWindowVisible(window_) != FALSE; }

    // The first control, at any depth, whose text reads `text` (and whose
    // class is `class_name`, when given); null when there is none.
    HWND Control(const std::wstring& text, const wchar_t* class_name = nullptr) const;
    // The first control of that class, at any depth.
    HWND ControlOfClass(const wchar_t* class_name) const;

    // Clicks a button (or check box) of that text the way the mouse does.
    // Posted, so a modal message box it opens does not hold up the test.
    bool Click(const std::wstring& text) const;
    // The check state of the check box or option button of that text.
    std::optional<bool> Checked(const std::wstring& text) const;
    // Switches the tab strip to `tab` (0-based) as a click on the tab would.
    bool SelectTab(int tab) const;

private:
    HWND window_;
};

// The lines of another process's list box, or of a combo box's list.
std::vector<std::wstring> ListBoxLines(HWND list_box);
std::vector<std::wstring> ComboBoxLines(HWND combo_box);

// A message box of another process: its title, and the text of its Static child.
struct RemoteMessageBox {
    HWND window = nullptr;
    std::wstring title;
    std::wstring text;
};

// The visible message box of `process_id` titled `title`, if any.
std::optional<RemoteMessageBox> FindMessageBox(DWORD process_id, const std::wstring& title);
// Presses the box's OK button; true once the box is gone.
bool DismissMessageBox(const RemoteMessageBox& box);

}  // namespace qov::e2e
