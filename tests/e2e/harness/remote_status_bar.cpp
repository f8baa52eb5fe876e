#include "remote_status_bar.h"

#include <commctrl.h>

#include "remote_memory.h"

namespace qov::e2e {

std::wstring StatusBarText(HWND status_bar, HANDLE process) {
    constexpr int kCapacity = 512;  // UTF-16 units, far more than the count text needs
    RemoteBuffer buffer(process, kCapacity * sizeof(wchar_t));
    wchar_t text[kCapacity] = {};
    // Part 0 is where a simple-mode bar keeps its text (SB_SIMPLEID reads nothing).
    if (!buffer.Write(0, text, sizeof(text)) ||
        !SendWithTimeout(status_bar, SB_GETTEXTW, 0, buffer.At()) ||
        !buffer.Read(0, text, sizeof(text))) {
        return {};
    }
    text[kCapacity - 1] = L'\0';
    return text;
}

}  // namespace qov::e2e
