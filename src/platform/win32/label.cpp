#include "platform/win32/controls.h"
#include "platform/win32/text_conversion.h"

namespace qov::win32::ui {

Win32Label::Win32Label(FormContext& context, HWND parent, std::string_view text,
                       const TwipsRect& bounds, const FontSpec& font, bool centred)
    : ControlBase(context, parent, bounds,
                  {.className = WC_STATICW,
                   .text = Utf8ToWide(text),
                   .style = static_cast<DWORD>((centred ? SS_CENTER : SS_LEFT) | SS_NOTIFY)}),
      text_(text),
      spec_(font),
      font_(CreateLabelFont(font, context.dpi)) {
    if (font_) SendMessageW(Window(), WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
}

void Win32Label::Rescale(UINT oldDpi) {
    NativeControl::Rescale(oldDpi);
    if (!Alive()) return;
    unique_hfont font = CreateLabelFont(spec_, Context().dpi);
    if (!font) return;
    SendMessageW(Window(), WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
    font_ = std::move(font);
}

void Win32Label::SetText(std::string_view text) {
    text_ = std::string(text);
    if (Alive()) SetWindowTextW(Window(), Utf8ToWide(text_).c_str());
}

}  // namespace qov::win32::ui
