// The single-selection list box and the editable drop-down combo box.
#include "platform/win32/controls.h"
#include "platform/win32/text_conversion.h"

namespace qov::win32::ui {
namespace {

void CheckIndex(int index, size_t count) {
    if (index < 0 || static_cast<size_t>(index) >= count) {
        throw ToolkitError("list index " + std::to_string(index) + " out of range");
    }
}

}  // namespace

std::string WindowText(HWND window) {
    const int length = GetWindowTextLengthW(window);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(window, text.data(), length + 1);
    text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
    return WideToUtf8(text);
}

Win32ListBox::Win32ListBox(FormContext& context, HWND parent, const TwipsRect& bounds)
    : ControlBase(context, parent, bounds,
                  {.className = WC_LISTBOXW,
                   .text = {},
                   .style = LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP |
                            WS_GROUP,
                   .exStyle = WS_EX_CLIENTEDGE}) {}

void Win32ListBox::AddItem(std::string_view text) {
    if (Alive()) {
        const std::wstring wide = Utf8ToWide(text);
        const LRESULT added =
            SendMessageW(Window(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
        if (added < 0) throw ToolkitError("cannot add a line to a list box");
    }
    items_.emplace_back(text);
}

void Win32ListBox::RemoveItem(int index) {
    CheckIndex(index, items_.size());
    if (Alive()) SendMessageW(Window(), LB_DELETESTRING, static_cast<WPARAM>(index), 0);
    items_.erase(items_.begin() + index);
    if (listIndex_ == index) listIndex_ = -1;
    else if (listIndex_ > index) --listIndex_;
}

std::string Win32ListBox::Item(int index) const {
    if (index < 0 || index >= ListCount()) return {};
    return items_[static_cast<size_t>(index)];
}

int Win32ListBox::ListIndex() const {
    if (!Alive()) return listIndex_;
    return static_cast<int>(SendMessageW(Window(), LB_GETCURSEL, 0, 0));
}

void Win32ListBox::SetListIndex(int index) {
    if (index != -1) CheckIndex(index, items_.size());
    listIndex_ = index;
    if (Alive()) SendMessageW(Window(), LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void Win32ListBox::Detach() {
    listIndex_ = ListIndex();
    NativeControl::Detach();
}

Win32ComboBox::Win32ComboBox(FormContext& context, HWND parent, const TwipsRect& bounds)
    : ControlBase(context, parent, bounds,
                  {.className = WC_COMBOBOXW,
                   .text = {},
                   .style = CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP |
                            WS_GROUP}) {
    Place();
}

// The height given is the edit field's; the drop-down list needs room below it.
int Win32ComboBox::WindowHeight(int heightPixels) const {
    return heightPixels + Context().Pixels(2400);
}

void Win32ComboBox::Clear() {
    items_.clear();
    text_.clear();
    if (!Alive()) return;
    SendMessageW(Window(), CB_RESETCONTENT, 0, 0);
    SetWindowTextW(Window(), L"");
}

void Win32ComboBox::AddItem(std::string_view text) {
    if (Alive()) {
        const std::wstring wide = Utf8ToWide(text);
        const LRESULT added =
            SendMessageW(Window(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
        if (added < 0) throw ToolkitError("cannot add a line to a combo box");
    }
    items_.emplace_back(text);
}

std::string Win32ComboBox::Item(int index) const {
    if (index < 0 || index >= ListCount()) return {};
    return items_[static_cast<size_t>(index)];
}

std::string Win32ComboBox::Text() const { return Alive() ? WindowText(Window()) : text_; }

void Win32ComboBox::SetText(std::string_view text) {
    text_ = std::string(text);
    if (Alive()) SetWindowTextW(Window(), Utf8ToWide(text_).c_str());
}

void Win32ComboBox::Detach() {
    text_ = Text();
    NativeControl::Detach();
}

}  // namespace qov::win32::ui
