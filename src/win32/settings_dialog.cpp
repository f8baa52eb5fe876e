#include <windows.h>
#include <commctrl.h>

#include <iterator>
#include <string>
#include <utility>

#include "win32/dialog_frame.h"
#include "win32/dialogs.h"
#include "win32/layout.h"
#include "win32/text.h"

namespace qov::win32 {
namespace {

constexpr DialogLook kLook{L"QOV.SettingsDialog", L"V O V　＜設定＞", kFixedFrameStyle,
                             WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT, 6870, 5370};

// Tab indexes; the buttons under the tab strip belong to both pages.
enum Page { kBothPages = -1, kGeneralPage = 0, kExcludedPage = 1 };
constexpr const wchar_t* kTabCaptions[] = {L"一般", L"除外ウィンドウ"};

enum ControlId : int {
    kExcludeSystemOption = 100,
    kIncludeSystemOption,
    kUseExclusionListCheck,
    kExcludedTitlesList,
    kCloseButton,
    kCancelButton,
    kAddButton,
    kDeleteButton,
    kHideUntitledCheck,
    kIntervalFrame,
    kFirstIntervalOption,  // one per kRefreshIntervalChoices, in their order
    kIntervalBox = kFirstIntervalOption + static_cast<int>(kRefreshIntervalChoices.size()),
    kAlwaysOnTopCheck,
    kDetectionFrame,
    kFirstDetectionOption,  // one per Detection, in its order
    kDetectionBox = kFirstDetectionOption + 3,
    kDetectionState,
    kGeneralPanel,
    kExcludedPanel,
    kPageTabs,
};

constexpr TwipsRect Inside(const TwipsRect& area, TwipsRect rect) {
    rect.left += area.left;
    rect.top += area.top;
    return rect;
}

// Each page's controls are placed in its panel.
constexpr TwipsRect kGeneralArea{360, 600, 6255, 4095};
constexpr TwipsRect kExcludedArea{240, 480, 6375, 4215};

constexpr DWORD kButton = BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP;
constexpr DWORD kCheck = BS_AUTOCHECKBOX | WS_TABSTOP | WS_GROUP;
constexpr DWORD kFirstOption = BS_AUTORADIOBUTTON | WS_TABSTOP | WS_GROUP;
constexpr DWORD kOption = BS_AUTORADIOBUTTON;
// A panel paints its whole rectangle, so it clips out the controls above it.
constexpr DWORD kPanel = WS_CLIPSIBLINGS;

struct PageControl {
    int page;
    int parent;  // 0: the dialog itself
    ControlLayout layout;
};

// In tab order, which is also the order from top to bottom: the tab strip
// must lie beneath the pages it frames, so it comes last and Tab reaches it
// after the last control of the page. The panels give the pages the dialog's
// colour inside the tab strip's white body. The interval frame is a panel of
// its own: a group box paints only its border, and the options' panel must
// show through it.
constexpr PageControl kControls[] = {
    {kExcludedPage, 0, {kExcludeSystemOption, WC_BUTTONW, L"システムウィンドウを処理から除外する",
                        kFirstOption, Inside(kExcludedArea, {120, 120, 6015, 255})}},
    {kExcludedPage, 0, {kIncludeSystemOption, WC_BUTTONW, L"システムウィンドウも処理する", kOption,
                        Inside(kExcludedArea, {120, 480, 5895, 255})}},
    {kExcludedPage, 0, {kUseExclusionListCheck, WC_BUTTONW,
                        L"以下のタイトルのウィンドウは処理からはずす", kCheck,
                        Inside(kExcludedArea, {120, 960, 5775, 255})}},
    {kExcludedPage, 0, {kExcludedTitlesList, WC_LISTBOXW, L"",
                        LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP | WS_GROUP,
                        Inside(kExcludedArea, {120, 1320, 6135, 2400}), WS_EX_CLIENTEDGE}},
    {kBothPages, 0, {kCloseButton, WC_BUTTONW, L"閉じる", kButton, {5280, 4920, 1455, 375}}},
    {kBothPages, 0, {kCancelButton, WC_BUTTONW, L"キャンセル", kButton,
                     {3720, 4920, 1455, 375}}},
    {kExcludedPage, 0, {kAddButton, WC_BUTTONW, L"追加", kButton,
                        Inside(kExcludedArea, {5160, 3840, 1095, 375})}},
    {kExcludedPage, 0, {kDeleteButton, WC_BUTTONW, L"削除", kButton,
                        Inside(kExcludedArea, {3960, 3840, 1095, 375})}},
    {kGeneralPage, 0, {kHideUntitledCheck, WC_BUTTONW, L"タイトルがないウィンドウは表示しない",
                       kCheck, Inside(kGeneralArea, {120, 120, 6135, 255})}},
    {kGeneralPage, 0, {kIntervalFrame, kPanelClass, L"", WS_CLIPSIBLINGS,
                       Inside(kGeneralArea, {0, 1080, 6135, 735}), WS_EX_CONTROLPARENT}},
    {kGeneralPage, kIntervalFrame, {kFirstIntervalOption, WC_BUTTONW, L"100ミリ秒", kFirstOption,
                                    {120, 240, 1215, 375}}},
    {kGeneralPage, kIntervalFrame, {kFirstIntervalOption + 1, WC_BUTTONW, L"500ミリ秒", kOption,
                                    {1320, 240, 1215, 375}}},
    {kGeneralPage, kIntervalFrame, {kFirstIntervalOption + 2, WC_BUTTONW, L"1秒", kOption,
                                    {2520, 240, 735, 375}}},
    {kGeneralPage, kIntervalFrame, {kFirstIntervalOption + 3, WC_BUTTONW, L"5秒", kOption,
                                    {3720, 240, 975, 375}}},
    {kGeneralPage, kIntervalFrame, {kFirstIntervalOption + 4, WC_BUTTONW, L"10秒", kOption,
                                    {4920, 240, 855, 375}}},
    {kGeneralPage, kIntervalFrame, {kIntervalBox, WC_BUTTONW, L"更新間隔",
                                    BS_GROUPBOX | WS_GROUP | WS_CLIPSIBLINGS, {0, 0, 6135, 735}}},
    {kGeneralPage, 0, {kAlwaysOnTopCheck, WC_BUTTONW,
                       L"QOVを常に手前に表示する（設定解除は次回起動時から有効）", kCheck,
                       Inside(kGeneralArea, {120, 480, 5175, 255})}},
    {kGeneralPage, 0, {kDetectionFrame, kPanelClass, L"", WS_CLIPSIBLINGS,
                       Inside(kGeneralArea, {0, 2040, 6135, 1215}), WS_EX_CONTROLPARENT}},
    {kGeneralPage, kDetectionFrame, {kFirstDetectionOption, WC_BUTTONW, L"自動", kFirstOption,
                                     {120, 240, 1215, 375}}},
    {kGeneralPage, kDetectionFrame, {kFirstDetectionOption + 1, WC_BUTTONW, L"イベント", kOption,
                                     {1320, 240, 1335, 375}}},
    {kGeneralPage, kDetectionFrame, {kFirstDetectionOption + 2, WC_BUTTONW, L"定期スキャン", kOption,
                                     {2760, 240, 1815, 375}}},
    {kGeneralPage, kDetectionFrame, {kDetectionState, WC_STATICW, L"", SS_LEFT | SS_NOPREFIX,
                                     {150, 660, 5895, 435}}},
    {kGeneralPage, kDetectionFrame, {kDetectionBox, WC_BUTTONW, L"変化の検出",
                                     BS_GROUPBOX | WS_GROUP | WS_CLIPSIBLINGS, {0, 0, 6135, 1215}}},
    {kGeneralPage, 0, {kGeneralPanel, kPanelClass, L"", kPanel, kGeneralArea}},
    {kExcludedPage, 0, {kExcludedPanel, kPanelClass, L"", kPanel, kExcludedArea}},
    {kBothPages, 0, {kPageTabs, WC_TABCONTROLW, L"", WS_CLIPSIBLINGS | WS_TABSTOP | WS_GROUP,
                     {120, 120, 6615, 4695}}},
};

HWND Item(HWND window, const PageControl& control) {
    HWND parent = control.parent ? ::GetDlgItem(window, control.parent) : window;
    return ::GetDlgItem(parent, control.layout.id);
}

HWND IntervalOption(HWND window, int choice) {
    return ::GetDlgItem(::GetDlgItem(window, kIntervalFrame), kFirstIntervalOption + choice);
}

constexpr Detection kDetectionChoices[] = {Detection::Auto, Detection::Events, Detection::Scan};

HWND DetectionOption(HWND window, int choice) {
    return ::GetDlgItem(::GetDlgItem(window, kDetectionFrame), kFirstDetectionOption + choice);
}

bool Checked(HWND button) { return ::SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED; }

void SetChecked(HWND button, bool checked) {
    ::SendMessageW(button, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

}  // namespace

SettingsDialog::SettingsDialog(HWND mainWindow, Settings& settings, Callbacks callbacks)
    : DialogFrame(kLook, mainWindow), settings_(settings), callbacks_(std::move(callbacks)) {
    HWND window = Handle();
    // The tab strip's class is registered by the common controls on request.
    const INITCOMMONCONTROLSEX tabStrip{sizeof(INITCOMMONCONTROLSEX), ICC_TAB_CLASSES};
    ::InitCommonControlsEx(&tabStrip);
    RegisterPanelClass();
    for (const PageControl& control : kControls) {
        HWND parent = control.parent ? ::GetDlgItem(window, control.parent) : window;
        CreateControl(parent, control.layout, Dpi(), UiFont());
    }
    for (int tab = 0; tab < static_cast<int>(std::size(kTabCaptions)); ++tab) {
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<wchar_t*>(kTabCaptions[tab]);
        ::SendDlgItemMessageW(window, kPageTabs, TCM_INSERTITEMW, tab,
                              reinterpret_cast<LPARAM>(&item));
    }
    WriteControls(DialogStateFrom(settings_));
    for (const std::string& title : settings_.excludedTitles) AppendExcludedLine(title);
    ShowPage(kGeneralPage);
    Attach();
}

void SettingsDialog::AppendExcludedLine(const std::string& title) {
    const std::wstring line = Utf8ToWide(title);
    ::SendDlgItemMessageW(Handle(), kExcludedTitlesList, LB_ADDSTRING, 0,
                          reinterpret_cast<LPARAM>(line.c_str()));
}

LRESULT SettingsDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        if (HIWORD(wParam) == BN_CLICKED) OnCommand(LOWORD(wParam));
        return 0;
    case WM_NOTIFY:
        if (reinterpret_cast<const NMHDR*>(lParam)->code == TCN_SELCHANGE) ShowPage(SelectedTab());
        return 0;
    default:
        return DialogFrame::HandleMessage(message, wParam, lParam);
    }
}

void SettingsDialog::OnCommand(int controlId) {
    switch (controlId) {
    case kCloseButton:
        OnCloseButton();
        break;
    case kCancelButton:  // the controls keep what the user left in them
        ::ShowWindow(Handle(), SW_HIDE);
        break;
    case kAddButton:
        if (callbacks_.addTitleRequested) callbacks_.addTitleRequested();
        break;
    case kDeleteButton:
        OnDeleteButton();
        break;
    default:
        break;
    }
}

void SettingsDialog::OnCloseButton() {
    const bool makeTopmost = ApplyDialogState(ReadControls(), settings_);
    if (callbacks_.applied) callbacks_.applied(makeTopmost);
    ::ShowWindow(Handle(), SW_HIDE);
}

void SettingsDialog::OnDeleteButton() {
    HWND window = Handle();
    const int line =
        static_cast<int>(::SendDlgItemMessageW(window, kExcludedTitlesList, LB_GETCURSEL, 0, 0));
    if (const char* message = RemoveExcludedTitle(settings_, line)) {
        ShowMessage(window, message, MB_ICONSTOP);
        return;
    }
    ::SendDlgItemMessageW(window, kExcludedTitlesList, LB_DELETESTRING, line, 0);
    ::SendDlgItemMessageW(window, kExcludedTitlesList, LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
}

int SettingsDialog::SelectedTab() const {
    return static_cast<int>(::SendDlgItemMessageW(Handle(), kPageTabs, TCM_GETCURSEL, 0, 0));
}

// The page being shown appears before the other goes, so the tab strip never
// shows an empty page in between.
void SettingsDialog::ShowPage(int page) {
    HWND window = Handle();
    for (const PageControl& control : kControls)
        if (control.parent == 0 && control.page == page)
            ::ShowWindow(::GetDlgItem(window, control.layout.id), SW_SHOWNA);
    for (const PageControl& control : kControls)
        if (control.parent == 0 && control.page != page && control.page != kBothPages)
            ::ShowWindow(::GetDlgItem(window, control.layout.id), SW_HIDE);
}

SettingsDialogState SettingsDialog::ReadControls() const {
    HWND window = Handle();
    SettingsDialogState state;
    state.hideUntitled = Checked(::GetDlgItem(window, kHideUntitledCheck));
    state.excludeSystem = Checked(::GetDlgItem(window, kExcludeSystemOption));
    state.useExclusionList = Checked(::GetDlgItem(window, kUseExclusionListCheck));
    state.alwaysOnTop = Checked(::GetDlgItem(window, kAlwaysOnTopCheck));
    state.intervalChoice = -1;
    for (int choice = 0; choice < static_cast<int>(kRefreshIntervalChoices.size()); ++choice)
        if (Checked(IntervalOption(window, choice))) state.intervalChoice = choice;
    for (int choice = 0; choice < static_cast<int>(std::size(kDetectionChoices)); ++choice)
        if (Checked(DetectionOption(window, choice))) state.detection = kDetectionChoices[choice];
    return state;
}

void SettingsDialog::WriteControls(const SettingsDialogState& state) {
    HWND window = Handle();
    SetChecked(::GetDlgItem(window, kHideUntitledCheck), state.hideUntitled);
    SetChecked(::GetDlgItem(window, kExcludeSystemOption), state.excludeSystem);
    SetChecked(::GetDlgItem(window, kIncludeSystemOption), !state.excludeSystem);
    SetChecked(::GetDlgItem(window, kUseExclusionListCheck), state.useExclusionList);
    SetChecked(::GetDlgItem(window, kAlwaysOnTopCheck), state.alwaysOnTop);
    for (int choice = 0; choice < static_cast<int>(kRefreshIntervalChoices.size()); ++choice)
        SetChecked(IntervalOption(window, choice), choice == state.intervalChoice);
    for (int choice = 0; choice < static_cast<int>(std::size(kDetectionChoices)); ++choice)
        SetChecked(DetectionOption(window, choice), kDetectionChoices[choice] == state.detection);
}

void SettingsDialog::ShowDetection(const std::string& text) {
    const std::wstring wide = Utf8ToWide(text);
    ::SetWindowTextW(::GetDlgItem(::GetDlgItem(Handle(), kDetectionFrame), kDetectionState), wide.c_str());
}

void SettingsDialog::PlaceControls(UINT dpi) {
    for (const PageControl& control : kControls)
        PlaceControl(Item(Handle(), control), control.layout.bounds, dpi, UiFont());
}

}  // namespace qov::win32
