#include <string>
#include <utility>

#include "win32/dialog_frame.h"
#include "win32/dialogs.h"
#include "win32/layout.h"
#include "win32/text.h"

namespace qov::win32 {
namespace {

constexpr DialogLook kLook{L"QOV.AddTitleDialog", L"V O V　＜項目追加＞", kFixedFrameStyle,
                             WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT, 5490, 945};

enum ControlId : int { kTitleCombo = 100, kAddButton, kCancelButton };

// The combo box's window also holds its drop-down list, below the 300-twip field.
constexpr int kDropDownHeight = 2400;

// In tab order.
constexpr ControlLayout kControls[] = {
    {kTitleCombo, WC_COMBOBOXW, L"",
     CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP | WS_GROUP,
     {120, 120, 5295, 300 + kDropDownHeight}},
    {kAddButton, WC_BUTTONW, L"追加", BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP,
     {4200, 480, 1215, 375}},
    {kCancelButton, WC_BUTTONW, L"キャンセル", BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP,
     {2880, 480, 1215, 375}},
};

std::wstring WindowText(HWND window) {
    std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(window)) + 1, L'\0');
    const int copied = ::GetWindowTextW(window, text.data(), static_cast<int>(text.size()));
    text.resize(static_cast<std::size_t>(copied));
    return text;
}

}  // namespace

AddTitleDialog::AddTitleDialog(HWND mainWindow, Settings& settings, WindowModel& model,
                               std::function<void(const std::string&)> added)
    : DialogFrame(kLook, mainWindow), settings_(settings), model_(model), added_(std::move(added)) {
    for (const ControlLayout& control : kControls) CreateControl(Handle(), control, Dpi(), UiFont());
    Attach();
}

// Opening again while open offers the windows afresh and clears what was typed.
void AddTitleDialog::Open() {
    HWND combo = ::GetDlgItem(Handle(), kTitleCombo);
    ::SendMessageW(combo, CB_RESETCONTENT, 0, 0);
    ::SetWindowTextW(combo, L"");
    for (const std::string& title : TitleChoices(model_)) {
        const std::wstring choice = Utf8ToWide(title);
        ::SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(choice.c_str()));
    }
    Show();
}

LRESULT AddTitleDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        if (HIWORD(wParam) == BN_CLICKED) OnCommand(LOWORD(wParam));
        return 0;
    default:
        return DialogFrame::HandleMessage(message, wParam, lParam);
    }
}

void AddTitleDialog::OnCommand(int controlId) {
    if (controlId == kAddButton) OnAddButton();
    if (controlId == kCancelButton) ::ShowWindow(Handle(), SW_HIDE);
}

void AddTitleDialog::OnAddButton() {
    const std::string title = WideToUtf8(WindowText(::GetDlgItem(Handle(), kTitleCombo)));
    if (const char* message = AddExcludedTitle(settings_, title)) {
        ShowMessage(Handle(), message, MB_ICONSTOP);
        return;
    }
    if (added_) added_(title);
    ::ShowWindow(Handle(), SW_HIDE);
}

void AddTitleDialog::PlaceControls(UINT dpi) {
    for (const ControlLayout& control : kControls)
        PlaceControl(::GetDlgItem(Handle(), control.id), control.bounds, dpi, UiFont());
}

}  // namespace qov::win32
