#include <windows.h>
#include <commctrl.h>

#include "platform/win32/controls.h"
#include "platform/win32/text_conversion.h"

namespace qov::win32::ui {

Win32TabStrip::Win32TabStrip(FormContext& context, HWND parent,
                             const std::vector<std::string>& tabs, const TwipsRect& bounds)
    : ControlBase(context, parent, bounds,
                  {.className = WC_TABCONTROLW,
                   .text = {},
                   .style = WS_CLIPSIBLINGS | WS_TABSTOP | WS_GROUP}),
      tabs_(tabs) {
    for (size_t i = 0; i < tabs_.size(); ++i) {
        std::wstring caption = Utf8ToWide(tabs_[i]);
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = caption.data();
        if (SendMessageW(Window(), TCM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&item)) < 0) {
            throw ToolkitError("cannot add a tab");
        }
    }
    MoveToBottom();
}

// The pages are siblings of the tab strip; below them and clipped, the tab
// strip cannot paint over them.
void Win32TabStrip::MoveToBottom() {
    if (Alive()) {
        SetWindowPos(Window(), HWND_BOTTOM, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
    }
}

int Win32TabStrip::SelectedTab() const {
    if (!Alive()) return selected_;
    return static_cast<int>(SendMessageW(Window(), TCM_GETCURSEL, 0, 0)) + 1;
}

void Win32TabStrip::SetSelectedTab(int tab) {
    if (tab < 1 || tab > TabCount()) throw ToolkitError("tab out of range");
    selected_ = tab;
    if (Alive()) SendMessageW(Window(), TCM_SETCURSEL, static_cast<WPARAM>(tab - 1), 0);
}

std::string Win32TabStrip::TabCaption(int tab) const {
    if (tab < 1 || tab > TabCount()) return {};
    return tabs_[static_cast<size_t>(tab - 1)];
}

LRESULT Win32TabStrip::OnNotify(const NMHDR& header) {
    if (header.code == TCN_SELCHANGE) {
        selected_ = SelectedTab();
        Raise(onClick);
    }
    return 0;
}

void Win32TabStrip::Detach() {
    selected_ = SelectedTab();
    NativeControl::Detach();
}

}  // namespace qov::win32::ui
