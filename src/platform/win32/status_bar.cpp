#include <windows.h>
#include <commctrl.h>

#include <cmath>

#include "platform/win32/controls.h"
#include "platform/win32/text_conversion.h"

namespace qov::win32::ui {

Win32StatusBar::Win32StatusBar(FormContext& context, HWND parent)
    : ControlBase(context, parent, {},
                  {.className = STATUSCLASSNAMEW, .text = {}, .style = SBARS_SIZEGRIP | WS_CLIPSIBLINGS}) {
    // One undivided field: SB_GETTEXTW of part 0 then returns the simple text,
    // which is how other programs (and the end-to-end tests) read it.
    SendMessageW(Window(), SB_SIMPLE, TRUE, 0);
}

void Win32StatusBar::SetSimpleText(std::string_view text) {
    if (text == text_) return;
    text_ = std::string(text);
    if (!Alive()) return;
    const std::wstring wide = Utf8ToWide(text_);
    SendMessageW(Window(), SB_SETTEXTW, SB_SIMPLEID, reinterpret_cast<LPARAM>(wide.c_str()));
}

TwipsRect Win32StatusBar::BoundsImpl() const {
    if (!Alive()) return NativeControl::BoundsImpl();
    const RECT rect = PixelRect();
    auto twips = [this](LONG pixels) {
        return static_cast<int>(std::lround(Context().Twips(static_cast<int>(pixels))));
    };
    return {twips(rect.left), twips(rect.top), twips(rect.right - rect.left),
            twips(rect.bottom - rect.top)};
}

void Win32StatusBar::Dock() {
    if (Alive()) SendMessageW(Window(), WM_SIZE, 0, 0);
}

void Win32StatusBar::Detach() {
    if (Alive()) RememberPixelRect(PixelRect());
    NativeControl::Detach();
}

}  // namespace qov::win32::ui
