// Push buttons, check boxes and option buttons.
#include "platform/win32/controls.h"
#include "platform/win32/text_conversion.h"
#include "platform/win32/ui_scale.h"

namespace qov::win32::ui {

Win32Button::Win32Button(FormContext& context, HWND parent, std::string_view caption,
                         const TwipsRect& bounds)
    : ControlBase(context, parent, bounds,
                  {.className = WC_BUTTONW,
                   .text = Utf8ToWide(caption),
                   .style = BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP}) {}

void Win32Button::SetFont(const FontSpec& font) {
    font_ = CreateLabelFont(font, Context().dpi);
    if (font_ && Alive()) SendMessageW(Window(), WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), TRUE);
}

void Win32Button::OnCommand(WORD code) {
    if (code == BN_CLICKED) Raise(onClick);
}

Win32CheckBox::Win32CheckBox(FormContext& context, HWND parent, std::string_view caption,
                             const TwipsRect& bounds)
    : ControlBase(context, parent, bounds,
                  {.className = WC_BUTTONW,
                   .text = Utf8ToWide(caption),
                   .style = BS_AUTOCHECKBOX | WS_TABSTOP | WS_GROUP}) {}

void Win32CheckBox::SetChecked(bool checked) {
    checked_ = checked;
    if (Alive()) SendMessageW(Window(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool Win32CheckBox::Checked() const {
    if (!Alive()) return checked_;
    return SendMessageW(Window(), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void Win32CheckBox::OnCommand(WORD code) {
    if (code != BN_CLICKED) return;
    checked_ = Checked();
    Raise(onClick);
}

void Win32CheckBox::Detach() {
    checked_ = Checked();
    NativeControl::Detach();
}

Win32OptionButton::Win32OptionButton(FormContext& context, HWND parent,
                                     std::string_view caption, const TwipsRect& bounds,
                                     bool firstOfGroup,
                                     std::function<void(Win32OptionButton&)> deselectOthers)
    : ControlBase(context, parent, bounds,
                  {.className = WC_BUTTONW,
                   .text = Utf8ToWide(caption),
                   .style = static_cast<DWORD>(BS_RADIOBUTTON |
                                               (firstOfGroup ? WS_GROUP | WS_TABSTOP : 0))}),
      deselectOthers_(std::move(deselectOthers)) {}

// Plain (not automatic) radio buttons: the container may hold other controls
// between its option buttons, which would split an automatic group, so the
// container deselects the rest of its group itself.
void Win32OptionButton::SetSelected(bool selected) {
    if (selected && deselectOthers_) deselectOthers_(*this);
    SetMark(selected);
}

void Win32OptionButton::SetMark(bool selected) {
    selected_ = selected;
    if (Alive()) SendMessageW(Window(), BM_SETCHECK, selected ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool Win32OptionButton::Selected() const {
    if (!Alive()) return selected_;
    return SendMessageW(Window(), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void Win32OptionButton::OnCommand(WORD code) {
    if (code != BN_CLICKED) return;
    SetSelected(true);
    Raise(onClick);
}

void Win32OptionButton::Detach() {
    selected_ = Selected();
    NativeControl::Detach();
}

}  // namespace qov::win32::ui
