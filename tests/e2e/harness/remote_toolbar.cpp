#include "remote_toolbar.h"

#include <commctrl.h>

#include "remote_memory.h"

namespace qov::e2e {

std::optional<std::vector<ToolbarButton>> ReadToolbar(HWND toolbar, HANDLE process) {
    LRESULT count = 0;
    if (!SendWithTimeout(toolbar, TB_BUTTONCOUNT, 0, 0, &count)) return std::nullopt;
    RemoteBuffer buffer(process, sizeof(TBBUTTON) + sizeof(RECT));
    std::vector<ToolbarButton> buttons;
    for (int index = 0; index < static_cast<int>(count); ++index) {
        TBBUTTON raw{};
        ToolbarButton button;
        LRESULT done = 0;
        if (!SendWithTimeout(toolbar, TB_GETBUTTON, index, buffer.At(), &done) || done == 0 ||
            !buffer.Read(0, &raw, sizeof(raw)) ||
            !SendWithTimeout(toolbar, TB_GETITEMRECT, index, buffer.At(sizeof(TBBUTTON)), &done) ||
            done == 0 || !buffer.Read(sizeof(TBBUTTON), &button.rect, sizeof(RECT))) {
            return std::nullopt;
        }
        button.command = raw.idCommand;
        button.separator = (raw.fsStyle & BTNS_SEP) != 0;
        buttons.push_back(button);
    }
    return buttons;
}

void ClickToolbarButton(HWND toolbar, const ToolbarButton& button) {
    const LPARAM centre = MAKELPARAM((button.rect.left + button.rect.right) / 2,
                                     (button.rect.top + button.rect.bottom) / 2);
    PostMessageW(toolbar, WM_MOUSEMOVE, 0, centre);
    PostMessageW(toolbar, WM_LBUTTONDOWN, MK_LBUTTON, centre);
    PostMessageW(toolbar, WM_LBUTTONUP, 0, centre);
}

}  // namespace qov::e2e
