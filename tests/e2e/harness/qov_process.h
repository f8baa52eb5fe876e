#pragma once
// The real qov.exe, started by the test and ended in order when done.
#include <windows.h>

#include <chrono>
#include <string>

#include "platform/win32/unique_handle.h"
#include "remote_list_view.h"

namespace qov::e2e {

// Where qov.exe is: the environment variable QOV_EXE, else the first
// argument of this program that is not a gtest flag. A Unix path (as CMake
// passes it) is turned into one on Wine's drive Z:.
std::wstring QovExePath();

class QovProcess {
public:
    // Starts `exe` and waits for its main window ("V O V") and its controls.
    explicit QovProcess(const std::wstring& exe);
    // Closes it in order; kills it if it does not end.
    ~QovProcess();
    QovProcess(const QovProcess&) = delete;
    QovProcess& operator=(const QovProcess&) = delete;

    // True when the main window with its list and status bar was found;
    // otherwise error() says what went wrong.
    bool ready() const { return list_ != nullptr && status_bar_ != nullptr; }
    const std::wstring& error() const { return error_; }

    DWORD id() const { return process_id_; }
    HANDLE process() const { return memory_access_.get(); }
    HWND main_window() const { return main_window_; }
    HWND list_window() const { return list_; }
    // The toolbar inside its host window; null if there is none.
    HWND toolbar_window() const { return toolbar_; }
    RemoteListView list() const { return RemoteListView(list_, memory_access_.get()); }
    std::wstring StatusText() const;

    // Fires a menu item and returns once QOV has handled it (false on time-out).
    bool SendCommand(int id) const;
    // Fires a menu item without waiting, for items that block QOV for a while.
    void PostCommand(int id) const;
    void BringToFront() const;

    bool Exited() const;
    // Posts WM_CLOSE, as the close box does, and waits for the process to end.
    // True when it ended by itself.
    bool Close();
    // Waits for the process to end by itself (after "終了", say).
    bool WaitForExit(std::chrono::milliseconds timeout);

private:
    bool FindWindows();
    void Kill();

    win32::unique_kernel_handle process_;
    win32::unique_kernel_handle thread_;
    win32::unique_kernel_handle memory_access_;
    DWORD process_id_ = 0;
    HWND main_window_ = nullptr;
    HWND list_ = nullptr;
    HWND status_bar_ = nullptr;
    HWND toolbar_ = nullptr;
    std::wstring error_;
};

}  // namespace qov::e2e
