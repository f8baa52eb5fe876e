#include <iterator>
#include <utility>

#include "win32/dialog_frame.h"
#include "win32/dialogs.h"
#include "win32/layout.h"

namespace qov::win32 {
namespace {

// A single border: unlike the settings dialogs, no dialog frame.
constexpr DialogLook kLook{L"QOV.AboutBox", L"QOV　＜バージョン情報＞", kFixedFrameStyle,
                             WS_EX_CONTROLPARENT, 4680, 2940};

enum ControlId : int { kCloseButton = 100, kFirstLabel };

// Every line is bold in a font of its own. The address lines are short
// enough to fit their labels in 9 pt Arial bold.
struct AboutControl {
    ControlLayout layout;
    const wchar_t* face;
    double points;
};

constexpr const wchar_t* kLabelFace = L"Arial";
constexpr DWORD kLabel = SS_LEFT | SS_NOTIFY;

constexpr AboutControl kControls[] = {
    {{kFirstLabel, WC_STATICW, L"V.O.V", SS_CENTER | SS_NOTIFY, {120, 120, 4455, 375}}, kLabelFace,
     15.75},
    {{kFirstLabel + 1, WC_STATICW, L"For Windows 95/98", kLabel, {1200, 480, 2175, 255}},
     kLabelFace, 12},
    {{kFirstLabel + 2, WC_STATICW, L"Copyright (C) 1999-2026 Tamarind Desk", kLabel,
      {240, 960, 4215, 255}}, kLabelFace, 9},
    {{kFirstLabel + 3, WC_STATICW, L"Written by Tamarind Desk", kLabel, {840, 1200, 2895, 255}},
     kLabelFace, 9},
    {{kFirstLabel + 4, WC_STATICW, L"Version 1.00(1999/11/28)", kLabel, {1080, 1560, 2655, 255}},
     kLabelFace, 11.25},
    {{kFirstLabel + 5, WC_STATICW, L"https://qov.tamarind.invalid/", kLabel,
      {1080, 1920, 2535, 255}}, kLabelFace, 9},
    {{kFirstLabel + 6, WC_STATICW, L"qov@tamarind.invalid", kLabel, {1200, 2160, 2295, 255}},
     kLabelFace, 9},
    {{kCloseButton, WC_BUTTONW, L"閉じる", BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP,
      {120, 2520, 4455, 375}}, L"ＭＳ Ｐゴシック", 9},
};

}  // namespace

AboutBox::AboutBox(HWND mainWindow) : DialogFrame(kLook, mainWindow) {
    DressControls(Dpi(), true);
    Attach();
}

AboutBox::~AboutBox() { Destroy(); }

LRESULT AboutBox::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:  // "閉じる" hides the box, as the close box does
        if (LOWORD(wParam) == kCloseButton && HIWORD(wParam) == BN_CLICKED)
            ::ShowWindow(Handle(), SW_HIDE);
        return 0;
    default:
        return DialogFrame::HandleMessage(message, wParam, lParam);
    }
}

void AboutBox::PlaceControls(UINT dpi) { DressControls(dpi, false); }

// Creates the controls (`create`) or places the existing ones, each with its
// own font at `dpi`.
void AboutBox::DressControls(UINT dpi, bool create) {
    fonts_.resize(std::size(kControls));
    for (std::size_t i = 0; i < std::size(kControls); ++i) {
        const AboutControl& control = kControls[i];
        UniqueFont font = CreateUiFont(dpi, control.face, control.points, true);
        if (create)
            CreateControl(Handle(), control.layout, dpi, font.get());
        else
            PlaceControl(::GetDlgItem(Handle(), control.layout.id), control.layout.bounds, dpi,
                         font.get());
        if (font) fonts_[i] = std::move(font);  // the control no longer uses the old one
    }
}

}  // namespace qov::win32
