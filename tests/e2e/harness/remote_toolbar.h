#pragma once
// Reads another process's toolbar and clicks its buttons the way the mouse
// does, so the toolbar itself reports the click to its owner.
#include <windows.h>

#include <optional>
#include <vector>

namespace qov::e2e {

struct ToolbarButton {
    int command = 0;
    bool separator = false;
    RECT rect{};  // in the toolbar's client coordinates
};

// `process` is the toolbar's owner, opened with OpenForMemoryAccess;
// borrowed. Nothing when the toolbar does not answer.
std::optional<std::vector<ToolbarButton>> ReadToolbar(HWND toolbar, HANDLE process);

// Presses and releases the left button at the centre of `button`.
void ClickToolbarButton(HWND toolbar, const ToolbarButton& button);

}  // namespace qov::e2e
