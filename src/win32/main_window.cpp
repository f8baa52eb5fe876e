#include "win32/main_window.h"

#include <commctrl.h>
#include <shellapi.h>
#include <windowsx.h>

#include <algorithm>
#include <string>
#include <utility>

#include "core/command_ids.h"
#include "core/help_file.h"
#include "win32/dialog_frame.h"
#include "win32/failure.h"
#include "win32/layout.h"
#include "win32/message_pump.h"
#include "win32/pictures.h"
#include "win32/text.h"

namespace qov::win32 {
namespace {

constexpr const wchar_t* kClassName = L"QOV.MainWindow";
constexpr const wchar_t* kCaption = L"V O V";
constexpr DWORD kStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_CONTROLPARENT;
constexpr UINT_PTR kRefreshTimer = 1;
constexpr UINT_PTR kNoticeTimer = 2;  // takes a command's notice away again
constexpr UINT_PTR kChangesTimer = 3;  // reported windows are due a look
constexpr UINT_PTR kProbeTimer = 4;    // the test window's reports are late
constexpr UINT kNoticeMs = 15000;
// A wait shorter than this (a window that minimises at once) is not worth a word.
constexpr auto kWaitingNoticeDelay = std::chrono::milliseconds(400);
constexpr int kSingleWindowMenu = 1;  // "単独ウィンドウ(&O)", also the list's pop-up menu
// Opens the pop-up menu at the screen point in lParam, once the list has
// finished with the click that asked for it.
constexpr UINT WM_APP_OPEN_POPUP = WM_APP + 1;
// Lists the desktop and starts finding out how changes are learnt, once the
// window is on the screen.
constexpr UINT WM_APP_STARTED = WM_APP + 2;
// Takes the look owed to reported windows, when it is overdue.
constexpr UINT WM_APP_CHANGES_DUE = WM_APP + 3;

// Layout at design size, twips.
constexpr int kClientWidth = 9135;
constexpr int kClientHeight = 6630;
constexpr int kToolbarDesignHeight = 375;
constexpr int kListTop = 480;

HINSTANCE Instance() { return ::GetModuleHandleW(nullptr); }

// The running program's file, however long its path.
std::wstring ProgramPath() {
    std::wstring path(MAX_PATH, L'\0');
    while (path.size() <= 32768) {
        const DWORD length = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return {};
        if (length < path.size()) return path.substr(0, length);
        path.resize(path.size() * 2);
    }
    return {};
}

}  // namespace

MainWindow::MainWindow() {
    accelerators_ = ::LoadAcceleratorsW(Instance(), MAKEINTRESOURCEW(IDR_ACCELERATORS));
    if (!accelerators_) ThrowLastError("cannot load the shortcut keys");
    const WindowClass windowClass{kClassName, MAKEINTRESOURCEW(IDR_MAIN_MENU)};
    const WindowShape shape{kCaption, kStyle, kExStyle, {CW_USEDEFAULT, CW_USEDEFAULT},
                            {CW_USEDEFAULT, CW_USEDEFAULT}};
    if (!CreateAttached(windowClass, shape)) {
        if (createFailure_) std::rethrow_exception(createFailure_);
        ThrowLastError("cannot create the main window");
    }
    ::ShowWindow(Handle(), SW_SHOW);
    ::SetForegroundWindow(Handle());
}

MainWindow::~MainWindow() {
    HWND window = Handle();
    if (!window) return;
    ReleaseParts();
    ::DestroyWindow(window);
}

LRESULT MainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    // Until every part exists (and after they are gone) the window is the system's.
    if (!ready_ && message != WM_CREATE && message != WM_DESTROY) {
        return ::DefWindowProcW(Handle(), message, wParam, lParam);
    }
    switch (message) {
        case WM_CREATE:
            return OnCreate();
        case WM_SIZE:
            return OnSize(wParam);
        case WM_TIMER:
            if (wParam == kNoticeTimer) return ShowNotice({}), LRESULT{0};
            if (wParam == kChangesTimer) return OnChangesDue();
            if (wParam == kProbeTimer) {
                detection_->PatienceRanOut();
                return SettleChangeDetection(), LRESULT{0};
            }
            if (wParam != kRefreshTimer) break;
            return OnRefreshTimer();
        case WM_COMMAND:
            return OnCommand(LOWORD(wParam));
        case WM_SETFOCUS:  // the list is the one control that takes the keyboard
            ::SetFocus(list_->Handle());
            return 0;
        case WM_APP_OPEN_POPUP:
            return OnOpenPopup({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        case WM_APP_STARTED:
            StartChangeDetection();
            return OnRefreshTimer();
        case WM_APP_CHANGES_DUE:
            return OnChangesDue();
        case WM_NOTIFY:
            return OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
        case WM_QUERYENDSESSION:
            return OnQueryEndSession();
        case WM_ENDSESSION:
            return OnEndSession(wParam != FALSE);
        case WM_CLOSE:
            return OnClose();
        case WM_DESTROY:
            return OnDestroy();
        default:
            break;
    }
    return WindowScaffold::HandleMessage(message, wParam, lParam);
}

// A failure here fails CreateWindowExW, and the constructor throws it: the
// program then reports it once and never shows a half-built window.
LRESULT MainWindow::OnCreate() {
    try {
        CreateParts();
        return 0;
    } catch (...) {
        createFailure_ = std::current_exception();
        ReleaseParts();
        return -1;
    }
}

void MainWindow::CreateParts() {
    HWND window = Handle();
    if (!::GetMenu(window)) ThrowLastError("cannot load the menu");
    settings_ = LoadSettings(store_);
    // The client area keeps its design size in inches at every resolution.
    const SIZE size = WindowSizeForClient(kClientWidth, kClientHeight, kStyle, kExStyle, true, Dpi());
    ::SetWindowPos(window, nullptr, 0, 0, size.cx, size.cy,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowIcons();

    toolbar_ = std::make_unique<MainToolbar>(window);
    list_ = std::make_unique<ListView>(window, Dpi(), settings_.columnWidths);
    statusLine_ = std::make_unique<StatusLine>(*list_);
    refresh_ = std::make_unique<RefreshCycle>(model_, listed_, *statusLine_,
                                              [this] { PumpPendingMessages(); });
    commands_ = std::make_unique<WindowCommands>(windowSystem_, listed_, settings_, own_);
    rescueCommands_ = std::make_unique<RescueCommands>(windowSystem_, model_, *commands_, own_, layoutStore_);

    SettingsDialog::Callbacks callbacks;
    callbacks.applied = [this](bool makeTopmost) {
        if (settings_.detection != detection_->Setting()) StartChangeDetection();
        StartRefreshTimer();  // the interval may have changed
        if (makeTopmost) MakeOwnWindowsTopmost();
    };
    callbacks.addTitleRequested = [this] { addTitleDialog_->Open(); };
    settingsDialog_ = std::make_unique<SettingsDialog>(window, settings_, std::move(callbacks));
    addTitleDialog_ = std::make_unique<AddTitleDialog>(
        window, settings_, model_,
        [this](const std::string& title) { settingsDialog_->AppendExcludedLine(title); });
    aboutBox_ = std::make_unique<AboutBox>(window);

    ShowTargetChecks();
    if (settings_.alwaysOnTop) MakeOwnWindowsTopmost();
    detection_.emplace(Detection::Scan, false);  // until the window is shown
    ready_ = true;
    Layout();
    ::PostMessageW(window, WM_APP_STARTED, 0, 0);  // starts the refresh timer
}

LRESULT MainWindow::OnSize(WPARAM kind) {
    if (kind != SIZE_MINIMIZED) Layout();
    return 0;
}

// The toolbar across the top, the list under it down to the status bar; the
// list keeps the toolbar's design distance and never starts above its design top.
void MainWindow::Layout() {
    RECT client{};
    ::GetClientRect(Handle(), &client);
    toolbar_->FitWidth(client.right);
    const int toolbarTwips = PixelsToTwips(toolbar_->Height(), Dpi());
    const int listTop = std::max(kListTop, toolbarTwips + (kListTop - kToolbarDesignHeight));
    list_->Layout(TwipsToPixels(listTop, Dpi()));
}

void MainWindow::SetWindowIcons() {
    ShowIcons(CreateProgramIcon(::GetSystemMetricsForDpi(SM_CXSMICON, Dpi())),
              CreateProgramIcon(::GetSystemMetricsForDpi(SM_CXICON, Dpi())));
}

LRESULT MainWindow::OnRefreshTimer() {
    try {
        refresh_->Run();
    } catch (const ListError&) {
        closePending_ = true;  // the list failed: the program ends in order
    }
    return AfterRefresh();
}

// A look at the windows reported changed. While a refresh lets messages run,
// the look waits for it: the reports stay pending.
LRESULT MainWindow::OnChangesDue() {
    ::KillTimer(Handle(), kChangesTimer);
    changesTimerDue_.reset();
    changesPosted_ = false;
    if (refresh_->Running()) return 0;  // it schedules what is owed when it ends
    const std::vector<WindowChange> changes = pending_.TakeDue(std::chrono::steady_clock::now());
    if (changes.empty()) return ScheduleChanges(), LRESULT{0};
    try {
        refresh_->RunChanges(changes);
    } catch (const ListError&) {
        closePending_ = true;
    }
    lastLookEnded_ = std::chrono::steady_clock::now();
    return AfterRefresh();
}

LRESULT MainWindow::AfterRefresh() {
    if (!refresh_->Running()) ScheduleChanges();
    if (closePending_) {
        CloseWhenIdle();
        return 0;
    }
    // A tick inside a yield returns here while the outer refresh still runs.
    if (!refresh_->Running()) sequence_.RunWaiting();
    if (closePending_) CloseWhenIdle();
    return 0;
}

LRESULT MainWindow::OnCommand(int commandId) {
    switch (commandId) {
        case IDM_REFRESH:
            return OnRefreshTimer();
        case IDM_EXIT:
            return OnClose();
        case IDM_SETTINGS:
            settingsDialog_->Show();
            return 0;
        case IDM_ABOUT:
            aboutBox_->Show();
            return 0;
        case IDM_HELP:
            StartHelp();
            return 0;
        default:
            break;
    }
    // A command chosen while another waits for its window, or while a refresh
    // lets messages through, waits its turn: a command may wait long for its
    // window, and the list would stand still all that time.
    const GivenCommand given{commandId, SelectedWindow(list_->SelectedRow(), listed_)};
    if (!sequence_.Give(given, refresh_->Running()))
        ShowNotice("コマンドが多すぎるため、最後のコマンドを取りやめました。");
    if (closePending_) CloseWhenIdle();
    return 0;
}

// Commands that wait their turn while the program closes are dropped with it.
void MainWindow::RunCommand(const GivenCommand& command) {
    if (closePending_ || !ready_) return;
    stopWaiting_ = false;
    waitingFor_ = 0;
    ShowNotice({});
    if (const std::optional<std::string> message = rescueCommands_->Run(command)) {
        if (!message->empty()) ShowMessage(Handle(), *message, MB_ICONINFORMATION);
        return;
    }
    const std::optional<CommandReport> report = commands_->Run(command);
    if (!report) return;
    ShowTargetChecks();
    ShowNotice(report->notice);
    if (!report->box.empty()) ShowMessage(Handle(), report->box, MB_ICONINFORMATION);
}

// A notice stays a while, then the count of windows comes back.
void MainWindow::ShowNotice(const std::string& text) {
    ::KillTimer(Handle(), kNoticeTimer);
    if (!statusLine_) return;
    statusLine_->ShowNotice(text);
    if (!text.empty()) ::SetTimer(Handle(), kNoticeTimer, kNoticeMs, nullptr);
}

// A right click on the list, or a right drag (the list reports no click
// then), opens the pop-up menu where the button went down.
LRESULT MainWindow::OnNotify(const NMHDR& header) {
    if (header.hwndFrom == list_->Handle() &&
        (header.code == NM_RCLICK || header.code == LVN_BEGINRDRAG)) {
        POINT at = reinterpret_cast<const NMLISTVIEW&>(header).ptAction;
        ::ClientToScreen(list_->Handle(), &at);
        ::PostMessageW(Handle(), WM_APP_OPEN_POPUP, 0, MAKELPARAM(at.x, at.y));
    }
    return 0;
}

// The chosen item arrives as WM_COMMAND.
LRESULT MainWindow::OnOpenPopup(POINT at) {
    HMENU popup = ::GetSubMenu(::GetMenu(Handle()), kSingleWindowMenu);
    ::TrackPopupMenu(popup, TPM_LEFTALIGN | TPM_RIGHTBUTTON, at.x, at.y, 0, Handle(), nullptr);
    return 0;
}

// Icons, list and toolbar are made again at the new resolution; the list
// follows the toolbar's new height at once, whether or not the window's size
// changes with the resolution.
void MainWindow::OnDpiChanged(UINT dpi) {
    SetWindowIcons();
    list_->DpiChanged(dpi);
    toolbar_->DpiChanged(dpi);
    Layout();
}

// Another program may still refuse the log-off, so nothing is torn down yet.
LRESULT MainWindow::OnQueryEndSession() {
    SaveSettingsNow();
    return TRUE;
}

LRESULT MainWindow::OnEndSession(bool ending) {
    if (ending) CloseWhenIdle();
    return 0;
}

LRESULT MainWindow::OnClose() {
    CloseWhenIdle();
    return 0;
}

// A window whose creation failed ends nothing: a quit message now would
// close the box that reports the failure before anyone could read it.
LRESULT MainWindow::OnDestroy() {
    ::KillTimer(Handle(), kRefreshTimer);
    if (!createFailure_) ::PostQuitMessage(0);
    return 0;
}

void MainWindow::ShowTargetChecks() {
    HMENU menu = ::GetMenu(Handle());
    const bool onlyVisible = settings_.showOnlyVisible;
    ::CheckMenuItem(menu, IDM_TARGET_VISIBLE, MF_BYCOMMAND | (onlyVisible ? MF_CHECKED : MF_UNCHECKED));
    ::CheckMenuItem(menu, IDM_TARGET_ALL, MF_BYCOMMAND | (onlyVisible ? MF_UNCHECKED : MF_CHECKED));
}

// Setting the timer again restarts its interval.
void MainWindow::StartRefreshTimer() {
    const int interval = detection_->ScanIntervalMs(settings_.refreshIntervalMs);
    if (!::SetTimer(Handle(), kRefreshTimer, static_cast<UINT>(interval), nullptr)) {
        ThrowLastError("cannot start the refresh timer");
    }
}

// Reports are asked for unless the user chose the scan; "Auto" uses them only
// once its test window's reports have all come, and meanwhile scans.
void MainWindow::StartChangeDetection() {
    ::KillTimer(Handle(), kProbeTimer);
    ::KillTimer(Handle(), kChangesTimer);
    changesTimerDue_.reset();
    hooks_.reset();
    pending_.Clear();
    probe_ = 0;
    if (settings_.detection != Detection::Scan)
        hooks_ = std::make_unique<WindowEventHooks>(
            [this](WindowEvent event, WindowHandle window) { OnWindowEvent(event, window); });
    detection_.emplace(settings_.detection, hooks_ && hooks_->Hooked());
    if (detection_->Probing()) {
        probe_ = RunEventProbe();
        if (probe_ && ::SetTimer(Handle(), kProbeTimer, static_cast<UINT>(kProbePatience.count()), nullptr)) {
            StartRefreshTimer();  // the scan until the probe's reports are in
            ShowDetectionState();
            return;
        }
        detection_->PatienceRanOut();
    }
    SettleChangeDetection();
}

void MainWindow::SettleChangeDetection() {
    ::KillTimer(Handle(), kProbeTimer);
    probe_ = 0;
    if (!detection_->UsesReports()) hooks_.reset();  // nothing then wakes the program for them
    StartRefreshTimer();
    ShowDetectionState();
}

void MainWindow::ShowDetectionState() {
    settingsDialog_->ShowDetection(DetectionStateText(*detection_));
}

// Runs inside the message loop, possibly in a refresh's yield: only notes.
void MainWindow::OnWindowEvent(WindowEvent event, WindowHandle window) {
    if (!ready_) return;
    if (probe_ && window == probe_) {
        detection_->SawOnProbe(event);
        if (!detection_->Probing()) SettleChangeDetection();
        return;
    }
    if (!detection_->UsesReports()) return;
    pending_.Note(window, event, std::chrono::steady_clock::now());
    ScheduleChanges();
}

void MainWindow::ScheduleChanges() {
    const auto now = std::chrono::steady_clock::now();
    const LookPlan plan = PlanLook(pending_.NextDue(), now,
                                   {changesTimerDue_, changesPosted_, refresh_->Running(), lastLookEnded_});
    if (plan.kind == LookPlan::Post) changesPosted_ = ::PostMessageW(Handle(), WM_APP_CHANGES_DUE, 0, 0);
    if (plan.kind != LookPlan::SetTimer) return;
    const auto wait = static_cast<UINT>(std::max<long long>(USER_TIMER_MINIMUM, plan.wait.count()));
    if (::SetTimer(Handle(), kChangesTimer, wait, nullptr)) changesTimerDue_ = now + plan.wait;
}

void MainWindow::MakeOwnWindowsTopmost() {
    for (HWND window : {Handle(), settingsDialog_->Handle(), addTitleDialog_->Handle(),
                        aboutBox_->Handle()}) {
        windowSystem_.MakeTopmost(ToWindowHandle(window));
    }
}

// The help document is a page beside the program, shown by whatever the user
// opens web pages with. A missing page or a refusal of the shell is said in
// the program's box, naming the file, rather than nothing happening on F1.
void MainWindow::StartHelp() {
    const std::string helpPath = HelpFilePath(WideToUtf8(ProgramPath()));
    const std::wstring widePath = Utf8ToWide(helpPath);
    const DWORD attributes = ::GetFileAttributesW(widePath.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        ShowMessage(Handle(), HelpFailureMessage(HelpFailure::Missing, helpPath), MB_ICONSTOP);
        return;
    }
    // Values above 32 mean the shell started the page's program.
    const auto started = reinterpret_cast<INT_PTR>(
        ::ShellExecuteW(Handle(), L"open", widePath.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    if (started <= 32)
        ShowMessage(Handle(), HelpFailureMessage(HelpFailure::NotOpened, helpPath), MB_ICONSTOP);
}

// The refresh's yield and a command's wait for another window: what is
// waiting is handled as the message loop would.
// Inside a modal loop of someone else's (a message box, a menu, a window
// being moved) the input is that loop's, or a key meant for a box or a menu
// would reach the wrong window: only sent, posted and paint messages are
// taken then.
bool MainWindow::PumpPendingMessages() {
    const UINT only = InForeignModalLoop() ? PM_QS_SENDMESSAGE | PM_QS_POSTMESSAGE | PM_QS_PAINT : 0;
    return !RunPendingMessages([this](MSG& message) { return PreTranslate(message); }, only);
}

// After a moment the status bar says which window QOV waits for; Esc or a
// close ends the wait.
bool MainWindow::KeepWaiting(WindowHandle target) {
    const auto now = std::chrono::steady_clock::now();
    if (target != waitingFor_) {
        waitingFor_ = target;
        waitingSince_ = now;
    } else if (now - waitingSince_ >= kWaitingNoticeDelay && statusLine_ &&
               statusLine_->Notice().empty()) {
        statusLine_->ShowNotice(WaitingNotice(CutAtNull(windowSystem_.Title(target))));
    }
    const bool running = PumpPendingMessages();
    if (std::exchange(stopWaiting_, false)) return false;
    return running && !closePending_;
}

bool MainWindow::InForeignModalLoop() const {
    GUITHREADINFO thread{};
    thread.cbSize = sizeof(thread);
    constexpr DWORD kModal = GUI_INMENUMODE | GUI_POPUPMENUMODE | GUI_SYSTEMMENUMODE | GUI_INMOVESIZE;
    if (::GetGUIThreadInfo(::GetCurrentThreadId(), &thread) && (thread.flags & kModal)) return true;
    const HWND active = ::GetActiveWindow();
    if (!active || !ready_) return false;
    for (HWND own : {Handle(), settingsDialog_->Handle(), addTitleDialog_->Handle(),
                     aboutBox_->Handle()}) {
        if (active == own) return false;
    }
    return true;
}

bool MainWindow::PreTranslate(MSG& message) {
    if (!message.hwnd || !ready_) return false;
    HWND root = ::GetAncestor(message.hwnd, GA_ROOT);
    if (root == Handle() && message.message == WM_KEYDOWN && message.wParam == VK_ESCAPE &&
        sequence_.Running()) {
        stopWaiting_ = true;
        return true;
    }
    if (root == Handle()) return ::TranslateAcceleratorW(root, accelerators_, &message) != 0;
    for (HWND dialog : {settingsDialog_->Handle(), addTitleDialog_->Handle(), aboutBox_->Handle()}) {
        if (root == dialog) return ::IsDialogMessageW(dialog, &message) != 0;
    }
    return false;
}

void MainWindow::SaveSettingsNow() {
    settings_.columnWidths = list_->Widths();
    SaveSettings(store_, settings_);
}

// A command waiting for another window, or a refresh letting the message loop
// run, is still on the stack and uses the window's parts: the close waits
// until it has returned (each of them looks for a pending close on return).
void MainWindow::CloseWhenIdle() {
    if (sequence_.Running() || refresh_->Running()) {
        closePending_ = true;
        refresh_->Stop();
        return;
    }
    CloseInOrder();
}

void MainWindow::CloseInOrder() {
    closePending_ = false;
    HWND window = Handle();
    for (UINT_PTR timer : {kRefreshTimer, kNoticeTimer, kChangesTimer, kProbeTimer}) ::KillTimer(window, timer);
    sequence_.DropWaiting();
    SaveSettingsNow();
    ReleaseParts();
    ::DestroyWindow(window);
}

// The dialogs go before the main window they were placed by, and the list's
// users before the list.
void MainWindow::ReleaseParts() {
    ready_ = false;
    hooks_.reset();  // no report reaches a part that is going
    aboutBox_.reset();
    addTitleDialog_.reset();
    settingsDialog_.reset();
    rescueCommands_.reset();
    commands_.reset();
    refresh_.reset();
    statusLine_.reset();
    list_.reset();
    toolbar_.reset();
}

}  // namespace qov::win32
