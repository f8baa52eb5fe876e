#include "qov_process.h"

#include <commctrl.h>
#include <shellapi.h>

#include <memory>

#include "remote_memory.h"
#include "remote_status_bar.h"
#include "wait.h"

namespace qov::e2e {
namespace {

constexpr wchar_t kMainCaption[] = L"V O V";

std::wstring ToWindowsPath(std::wstring path) {
    if (path.empty() || path.front() != L'/') return path;
    for (wchar_t& c : path) {
        if (c == L'/') c = L'\\';
    }
    return L"Z:" + path;
}

struct WindowSearch {
    DWORD process_id;
    const wchar_t* class_name;  // for children
    HWND found;
};

BOOL CALLBACK FindMainWindow(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<WindowSearch*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    wchar_t caption[16] = {};
    wchar_t class_name[16] = {};
    GetClassNameW(window, class_name, 16);
    // A message box of QOV's carries the same caption.
    if (owner == search->process_id && GetWindowTextW(window, caption, 16) > 0 &&
        std::wstring(caption) == kMainCaption && std::wstring(class_name) != L"#32770") {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK FindChildOfClass(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<WindowSearch*>(parameter);
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    if (_wcsicmp(name, search->class_name) == 0) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

HWND FindChild(HWND parent, const wchar_t* class_name) {
    WindowSearch search{0, class_name, nullptr};
    EnumChildWindows(parent, FindChildOfClass, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

}  // namespace

std::wstring QovExePath() {
    if (const wchar_t* from_environment = _wgetenv(L"QOV_EXE"); from_environment && *from_environment) {
        return ToWindowsPath(from_environment);
    }
    int count = 0;
    std::unique_ptr<LPWSTR, decltype(&LocalFree)> arguments(
        CommandLineToArgvW(GetCommandLineW(), &count), &LocalFree);
    if (!arguments) return {};
    for (int i = 1; i < count; ++i) {
        const std::wstring argument = arguments.get()[i];
        if (argument.rfind(L"--", 0) != 0) return ToWindowsPath(argument);
    }
    return {};
}

QovProcess::QovProcess(const std::wstring& exe) {
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION created{};
    std::wstring command_line = L"\"" + exe + L"\"";
    if (!CreateProcessW(exe.c_str(), command_line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &created)) {
        error_ = L"cannot start " + exe + L" (error " + std::to_wstring(GetLastError()) + L")";
        return;
    }
    process_.reset(created.hProcess);
    thread_.reset(created.hThread);
    process_id_ = created.dwProcessId;
    memory_access_ = OpenForMemoryAccess(process_id_);
    if (!memory_access_) {
        error_ = L"cannot open the process's memory";
        return;
    }
    if (!WaitUntil([this] { return Exited() || FindWindows(); })) {
        error_ = L"no \"V O V\" window with a list view and a status bar appeared";
    } else if (!ready()) {
        error_ = L"qov.exe ended before showing its window";
    }
}

QovProcess::~QovProcess() {
    if (process_ && !Close()) Kill();
}

bool QovProcess::FindWindows() {
    WindowSearch search{process_id_, nullptr, nullptr};
    EnumWindows(FindMainWindow, reinterpret_cast<LPARAM>(&search));
    if (search.found == nullptr || !IsWindowVisible(search.found)) return false;
    main_window_ = search.found;
    list_ = FindChild(main_window_, WC_LISTVIEWW);
    status_bar_ = FindChild(main_window_, STATUSCLASSNAMEW);
    toolbar_ = FindChild(main_window_, TOOLBARCLASSNAMEW);
    return ready();
}

std::wstring QovProcess::StatusText() const { return StatusBarText(status_bar_, process()); }

bool QovProcess::SendCommand(int id) const {
    return SendWithTimeout(main_window_, WM_COMMAND, MAKEWPARAM(id, 0), 0, nullptr, 15000);
}

void QovProcess::PostCommand(int id) const {
    PostMessageW(main_window_, WM_COMMAND, MAKEWPARAM(id, 0), 0);
}

void QovProcess::BringToFront() const { SetForegroundWindow(main_window_); }

bool QovProcess::Exited() const {
    return !process_ || WaitForSingleObject(process_.get(), 0) == WAIT_OBJECT_0;
}

bool QovProcess::Close() {
    if (Exited()) return true;
    if (main_window_ == nullptr) return false;  // nothing to close in order
    PostMessageW(main_window_, WM_CLOSE, 0, 0);
    return WaitForExit(kLongWait);
}

bool QovProcess::WaitForExit(std::chrono::milliseconds timeout) {
    return WaitUntil([this] { return Exited(); }, timeout);
}

void QovProcess::Kill() {
    if (process_ && !Exited()) {
        TerminateProcess(process_.get(), 1);
        WaitForSingleObject(process_.get(), 5000);
    }
}

}  // namespace qov::e2e
