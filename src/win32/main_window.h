#pragma once
// The main window "V O V": the list of the desktop's windows, kept current by
// the refresh timer, with the window commands in its menus, its pop-up menu
// and its toolbar. Closing it ends the program.
#include <windows.h>

#include <chrono>
#include <exception>
#include <memory>
#include <optional>

#include "core/change_detection.h"
#include "core/command_sequence.h"
#include "core/commands.h"
#include "core/refresh.h"
#include "core/rescue_commands.h"
#include "core/settings.h"
#include "core/status_line.h"
#include "core/window_model.h"
#include "core/window_protection.h"
#include "win32/dialogs.h"
#include "win32/list_view.h"
#include "win32/main_toolbar.h"
#include "win32/registry_store.h"
#include "win32/text.h"
#include "win32/window_events.h"
#include "win32/window_scaffold.h"
#include "win32/window_system.h"

namespace qov::win32 {

class MainWindow final : public WindowScaffold {
public:
    // Creates and shows the window, its parts and the (hidden) dialogs, with
    // the stored settings; throws what failed when it cannot.
    MainWindow();
    ~MainWindow();
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    // The keyboard handling a message gets before it is dispatched: the
    // menus' shortcut keys in the main window, Tab and the arrow keys in the
    // dialogs. True when the message has been handled.
    bool PreTranslate(MSG& message);

private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnDpiChanged(UINT dpi) override;

    LRESULT OnCreate();
    LRESULT OnSize(WPARAM kind);
    LRESULT OnRefreshTimer();
    LRESULT OnChangesDue();
    LRESULT AfterRefresh();
    LRESULT OnCommand(int commandId);
    void RunCommand(const GivenCommand& command);
    void ShowNotice(const std::string& text);
    LRESULT OnNotify(const NMHDR& header);
    LRESULT OnOpenPopup(POINT at);
    LRESULT OnQueryEndSession();
    LRESULT OnEndSession(bool ending);
    LRESULT OnClose();
    LRESULT OnDestroy();

    void CreateParts();
    void Layout();
    void SetWindowIcons();
    void ShowTargetChecks();
    void StartRefreshTimer();
    void StartChangeDetection();
    void OnWindowEvent(WindowEvent event, WindowHandle window);
    void SettleChangeDetection();
    void ShowDetectionState();
    void ScheduleChanges();
    void MakeOwnWindowsTopmost();
    void StartHelp();
    bool PumpPendingMessages();  // false once the program is asked to end
    bool KeepWaiting(WindowHandle target);  // while a command waits for `target`
    bool InForeignModalLoop() const;
    void SaveSettingsNow();
    void CloseWhenIdle();
    void CloseInOrder();
    void ReleaseParts();

    RegistryStore store_;
    RegistryStore layoutStore_{kLayoutKey};
    Settings settings_;
    // Every window of this process is QOV's own: never acted on.
    OwnWindows own_{{::GetCurrentProcessId()}, {}};
    // Waits for other windows run the same messages as the refresh's yield.
    Win32WindowSystem windowSystem_{[this](WindowHandle target) { return KeepWaiting(target); }};
    ListedWindows listed_;
    WindowModel model_{windowSystem_, settings_, TitleContains};

    HACCEL accelerators_ = nullptr;  // loaded from the resources: freed with the program
    std::unique_ptr<MainToolbar> toolbar_;
    std::unique_ptr<ListView> list_;
    std::unique_ptr<StatusLine> statusLine_;  // the refresh writes the list through it
    std::unique_ptr<RefreshCycle> refresh_;
    std::unique_ptr<WindowCommands> commands_;
    std::unique_ptr<RescueCommands> rescueCommands_;
    std::unique_ptr<SettingsDialog> settingsDialog_;
    std::unique_ptr<AddTitleDialog> addTitleDialog_;
    std::unique_ptr<AboutBox> aboutBox_;

    // The system's reports of window changes, while they are used or being tried.
    std::unique_ptr<WindowEventHooks> hooks_;
    std::optional<ChangeDetection> detection_;
    WindowHandle probe_ = 0;  // the test window whose reports are awaited
    PendingChanges pending_;
    std::optional<std::chrono::steady_clock::time_point> changesTimerDue_;  // when the timer is set for
    bool changesPosted_ = false;  // an overdue look waits in the queue
    std::chrono::steady_clock::time_point lastLookEnded_;

    std::exception_ptr createFailure_;
    bool ready_ = false;         // every part exists
    bool closePending_ = false;  // a close waits for a command or a refresh to return
    // The user's commands, run one at a time in the order given.
    CommandSequence sequence_{[this](const GivenCommand& command) { RunCommand(command); }};
    bool stopWaiting_ = false;  // Esc: the command stops waiting for its window
    WindowHandle waitingFor_ = 0;
    std::chrono::steady_clock::time_point waitingSince_;
};

}  // namespace qov::win32
