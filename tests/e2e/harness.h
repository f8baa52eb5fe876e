#pragma once
// The real qov.exe driven from outside the way a user's input drives it, and
// fixture windows of the test's own for it to list and act on. Every wait is
// bounded, so a frozen QOV fails a test instead of holding up the run.
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "win32/test_support.h"
#include "win32/handles.h"

namespace qov::e2e {

using namespace std::chrono_literals;
using Row = std::vector<std::wstring>;  // title, status, rectangle, class, handle
enum Column { kTitle, kStatus, kRect, kClass, kHandle, kColumns };

// Asks every 50 ms: one reading of QOV's list is many messages to it.
inline bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds limit = 15s) {
    return test::PumpUntil([&] { return Sleep(50), condition(); }, limit);
}

inline std::optional<LRESULT> Send(HWND window, UINT message, WPARAM w = 0, LPARAM l = 0,
                                   UINT limitMs = 10000) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(window, message, w, l, SMTO_NORMAL, limitMs, &result)) return {};
    return static_cast<LRESULT>(result);
}

// For the controls' messages that take a pointer: `data` is copied into
// `process`, sent by its address there and copied back. `place` may point
// fields of `data` into the copy, whose address it is given.
template <typename T>
std::optional<LRESULT> SendInside(HANDLE process, HWND window, UINT message, WPARAM w, T& data,
                                  const std::function<void(char*)>& place = {}) {
    const auto copy = static_cast<char*>(
        VirtualAllocEx(process, nullptr, sizeof(T), MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    if (copy && place) place(copy);
    std::optional<LRESULT> result;
    if (copy && WriteProcessMemory(process, copy, &data, sizeof(T), nullptr)) {
        result = Send(window, message, w, reinterpret_cast<LPARAM>(copy));
    }
    if (result && !ReadProcessMemory(process, copy, &data, sizeof(T), nullptr)) result.reset();
    if (copy) VirtualFreeEx(process, copy, 0, MEM_RELEASE);
    return result;
}

inline std::wstring HandleText(HWND window) {  // as the handle column shows it
    const auto value = static_cast<std::int32_t>(reinterpret_cast<std::intptr_t>(window));
    return (value < 0 ? L"" : L" ") + std::to_wstring(value);
}

inline std::wstring RectText(HWND window) {  // as the rectangle column shows it
    RECT r{};
    GetWindowRect(window, &r);
    const auto n = [](LONG v) { return std::to_wstring(v); };
    return L"(" + n(r.left) + L"," + n(r.top) + L")-(" + n(r.right) + L"," + n(r.bottom) + L")";
}

inline std::wstring ClassOf(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

// For another process's window this reads the caption the system keeps, sending no message.
inline std::wstring TextOf(HWND window) {
    wchar_t text[256] = {};
    GetWindowTextW(window, text, 256);
    return text;
}

// The first of `parent`'s children (or of the top-level windows) that `matches`.
inline HWND FindWindowWhere(HWND parent, std::function<bool(HWND)> matches) {
    std::pair<std::function<bool(HWND)>*, HWND> search{&matches, nullptr};
    const WNDENUMPROC visit = [](HWND window, LPARAM p) -> BOOL {
        auto* s = reinterpret_cast<decltype(search)*>(p);
        return (*s->first)(window) ? (s->second = window, FALSE) : TRUE;
    };
    if (parent) EnumChildWindows(parent, visit, reinterpret_cast<LPARAM>(&search));
    else EnumWindows(visit, reinterpret_cast<LPARAM>(&search));
    return search.second;
}

// A visible top-level window of `process` with that caption (and class, when given).
inline HWND FindTopLevel(DWORD process, const std::wstring& caption, const wchar_t* className = {}) {
    return FindWindowWhere(nullptr, [&](HWND window) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        return owner == process && IsWindowVisible(window) && TextOf(window) == caption &&
               (!className || ClassOf(window) == className);
    });
}

inline HWND FindChild(HWND parent, const wchar_t* className, const std::wstring& text = L"") {
    return FindWindowWhere(parent, [&](HWND child) {
        return _wcsicmp(ClassOf(child).c_str(), className) == 0 &&
               (text.empty() || TextOf(child) == text);
    });
}

inline bool Click(HWND dialog, const std::wstring& buttonText) {
    const HWND button = FindChild(dialog, WC_BUTTONW, buttonText);
    return button && PostMessageW(button, BM_CLICK, 0, 0);
}

// HKEY_CURRENT_USER\Software\Tamarind Desk\QOV: name -> text, "<type N>" when not REG_SZ.
using StoredValues = std::map<std::wstring, std::wstring>;
inline constexpr wchar_t kSettingsKey[] = L"Software\\Tamarind Desk\\QOV";

inline void DeleteSettings() { RegDeleteTreeW(HKEY_CURRENT_USER, kSettingsKey); }

inline void StoreSettings(const StoredValues& values) {
    for (const auto& [name, text] : values) {
        RegSetKeyValueW(HKEY_CURRENT_USER, kSettingsKey, name.c_str(), REG_SZ, text.c_str(),
                        static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    }
}

inline StoredValues ReadSettings() {
    StoredValues values;
    HKEY key = nullptr;
    RegOpenKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_QUERY_VALUE, &key);
    const win32::UniqueKey owned{key};
    wchar_t name[256], text[1024];
    for (DWORD i = 0, nameSize = 256, type = 0, bytes = sizeof(text) - 2;
         key && RegEnumValueW(key, i, name, &nameSize, nullptr, &type, reinterpret_cast<BYTE*>(text),
                              &bytes) == ERROR_SUCCESS;
         ++i, nameSize = 256, bytes = sizeof(text) - 2) {
        text[bytes / 2] = L'\0';
        values[name] = type == REG_SZ ? text : L"<type " + std::to_wstring(type) + L">";
    }
    return values;
}

// A top-level window on a thread of its own, as another program's would be.
struct FixtureOptions {
    std::wstring title;
    int show = SW_SHOWNOACTIVATE;
    std::wstring className = L"QovE2eFixture";
    RECT rect{140, 120, 540, 420};
    bool asksBeforeClosing = false;  // SC_CLOSE opens a modal question first
};
inline constexpr wchar_t kQuestionCaption[] = L"Fixture Question";

class Fixture {
public:
    explicit Fixture(FixtureOptions options) : options_(std::move(options)), thread_([this] { Run(); }) {
        WaitUntil([this] { return created_.load(); });
    }
    ~Fixture() {
        SetEvent(released_.get());
        PostThreadMessageW(threadId_, WM_QUIT, 0, 0);  // fails when its window has closed
        thread_.join();
    }
    HWND Window() const { return window_; }
    // Sits inside a message handler, answering nothing, until destroyed (a minute at most).
    bool Hang() {
        PostMessageW(window_, WM_APP, 0, 0);
        return WaitUntil([this] { return hanging_.load(); });
    }

private:
    static inline thread_local Fixture* current_ = nullptr;  // the fixture of this thread's window

    void Run() {
        current_ = this;
        threadId_ = GetCurrentThreadId();
        const HINSTANCE module = GetModuleHandleW(nullptr);
        const WNDCLASSEXW windowClass{sizeof(windowClass), 0, Procedure, 0, 0, module, nullptr, nullptr,
                                      reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1), nullptr,
                                      options_.className.c_str(), nullptr};
        RegisterClassExW(&windowClass);  // fails harmlessly for the class's second fixture
        const RECT& r = options_.rect;
        window_ = CreateWindowExW(0, options_.className.c_str(), options_.title.c_str(), WS_OVERLAPPEDWINDOW,
                                  r.left, r.top, r.right - r.left, r.bottom - r.top, nullptr, nullptr,
                                  module, nullptr);
        ShowWindow(window_, options_.show);
        created_ = true;
        for (MSG message; GetMessageW(&message, nullptr, 0, 0) > 0;) DispatchMessageW(&message);
        if (IsWindow(window_)) DestroyWindow(window_);
    }
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM w, LPARAM l) {
        if (message == WM_APP) {
            current_->hanging_ = true;
            WaitForSingleObject(current_->released_.get(), 60000);
        } else if (message == WM_SYSCOMMAND && (w & 0xFFF0) == SC_CLOSE &&
                   current_->options_.asksBeforeClosing &&
                   MessageBoxW(window, L"Close this window?", kQuestionCaption, MB_OKCANCEL) != IDOK) {
            return 0;
        }
        if (message == WM_DESTROY) PostQuitMessage(0);
        return DefWindowProcW(window, message, w, l);
    }

    FixtureOptions options_;
    win32::UniqueKernelHandle released_{CreateEventW(nullptr, TRUE, FALSE, nullptr)};
    std::atomic<bool> created_{false}, hanging_{false};
    HWND window_ = nullptr;
    DWORD threadId_ = 0;
    std::thread thread_;  // last: it starts once the members above exist
};

// The menu items' captions and commands. Under Wine a menu belongs to its
// process and cannot be read from another, so it is read from the program file.
using MenuCommands = std::map<std::wstring, int>;

inline void CollectMenu(HMENU menu, MenuCommands& commands) {
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        wchar_t text[128] = {};
        MENUITEMINFOW info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_ID | MIIM_STRING | MIIM_SUBMENU;
        info.dwTypeData = text;
        info.cch = 128;
        GetMenuItemInfoW(menu, i, TRUE, &info);
        // A shortcut shown after a tab is no part of the caption.
        if (info.hSubMenu) CollectMenu(info.hSubMenu, commands);
        else commands[std::wstring(text, wcscspn(text, L"\t"))] = info.wID;
    }
}

inline MenuCommands ReadMenu(const std::wstring& exe) {
    MenuCommands commands;
    const HMODULE file =
        LoadLibraryExW(exe.c_str(), nullptr, LOAD_LIBRARY_AS_IMAGE_RESOURCE | LOAD_LIBRARY_AS_DATAFILE);
    LPWSTR name = nullptr;
    const ENUMRESNAMEPROCW first = [](HMODULE, LPCWSTR, LPWSTR found, LONG_PTR name) -> BOOL {
        return *reinterpret_cast<LPWSTR*>(name) = found, FALSE;
    };
    EnumResourceNamesW(file, RT_MENU, first, reinterpret_cast<LONG_PTR>(&name));
    const win32::UniqueMenu menu{name ? LoadMenuW(file, name) : nullptr};
    if (menu) CollectMenu(menu.get(), commands);
    if (file) FreeLibrary(file);
    return commands;
}

class Qov {
public:
    // Starts the program named on the test's command line (CMake gives a Unix
    // path, which Wine reaches through drive Z:).
    Qov() {
        int count = 0;
        const std::unique_ptr<LPWSTR, decltype(&LocalFree)> arguments(
            CommandLineToArgvW(GetCommandLineW(), &count), &LocalFree);
        for (int i = 1; i < count && exe_.empty(); ++i) {
            const std::wstring argument = arguments.get()[i];
            if (argument.starts_with(L"--")) continue;
            exe_ = (argument.starts_with(L"/") ? L"Z:" : L"") + argument;
        }
        std::replace(exe_.begin(), exe_.end(), L'/', L'\\');
        menu_ = ReadMenu(exe_);
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        PROCESS_INFORMATION started{};
        std::wstring commandLine = L"\"" + exe_ + L"\"";
        // Wine's heap checking makes a use after free crash instead of pass unseen.
        SetEnvironmentVariableW(L"WINEDEBUG", L"warn+heap");
        if (!CreateProcessW(exe_.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                            nullptr, &startup, &started)) {
            return;
        }
        CloseHandle(started.hThread);
        process_.reset(started.hProcess);
        processId_ = started.dwProcessId;
        WaitUntil([this] {
            main_ = FindTopLevel(processId_, L"V O V");
            const auto child = [this](const wchar_t* kind) { return main_ ? FindChild(main_, kind) : nullptr; };
            list_ = child(WC_LISTVIEWW), status_ = child(STATUSCLASSNAMEW);
            toolbar_ = child(TOOLBARCLASSNAMEW);
            return Ready() || WaitForExit(0ms);
        });
    }
    ~Qov() {
        if (process_ && !Close()) TerminateProcess(process_.get(), 1), WaitForExit(5s);
    }

    bool Ready() const { return list_ && status_; }
    DWORD Id() const { return processId_; }
    HWND Main() const { return main_; }

    // Every row, read until two readings agree: the list refreshes meanwhile.
    std::vector<Row> Rows() const {
        const auto readAll = [this] {
            std::vector<Row> rows(Send(list_, LVM_GETITEMCOUNT).value_or(0), Row(kColumns));
            for (std::size_t row = 0; row < rows.size(); ++row) {
                for (int column = 0; column < kColumns; ++column) {
                    struct { LVITEMW item; wchar_t text[256]; } cell{};
                    cell.item.iSubItem = column;
                    cell.item.cchTextMax = 255;
                    SendInside(process_.get(), list_, LVM_GETITEMTEXTW, row, cell, [&](char* copy) {
                        cell.item.pszText = reinterpret_cast<LPWSTR>(copy + sizeof(LVITEMW));
                    });
                    rows[row][column] = cell.text;
                }
            }
            return rows;
        };
        std::vector<Row> previous = readAll(), current = readAll();
        for (int attempt = 0; current != previous && attempt < 20; ++attempt) {
            previous = std::exchange(current, readAll());
        }
        return current;
    }
    std::optional<Row> RowOf(HWND window, int* index = nullptr) const {
        const std::vector<Row> rows = Rows();
        for (std::size_t i = 0; i < rows.size(); ++i) {
            if (rows[i][kHandle] != HandleText(window)) continue;
            if (index) *index = static_cast<int>(i);
            return rows[i];
        }
        return {};
    }
    bool WaitForRow(HWND window) const { return WaitUntil([&] { return RowOf(window).has_value(); }); }
    bool SelectRowOf(HWND window) const {
        int index = -1;
        LVITEMW item{};
        item.stateMask = item.state = LVIS_SELECTED | LVIS_FOCUSED;
        return RowOf(window, &index) &&
               SendInside(process_.get(), list_, LVM_SETITEMSTATE, index, item) &&
               Send(list_, LVM_GETNEXTITEM, -1, LVNI_SELECTED) == index;
    }
    std::wstring StatusText() const {
        wchar_t text[256] = {};  // a status bar in simple mode keeps its text in part 0
        return SendInside(process_.get(), status_, SB_GETTEXTW, 0, text) ? text : L"";
    }
    int ToolbarButtonCount() const {
        return IsWindow(toolbar_) ? static_cast<int>(Send(toolbar_, TB_BUTTONCOUNT).value_or(-1)) : -1;
    }

    bool ChooseMenu(const std::wstring& caption) const {  // false: there is no such item
        return menu_.contains(caption) && PostMessageW(main_, WM_COMMAND, menu_.at(caption), 0);
    }
    void ClickToolbar(int position) const {
        RECT r{};
        SendInside(process_.get(), toolbar_, TB_GETITEMRECT, position, r);
        const LPARAM centre = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
        PostMessageW(toolbar_, WM_LBUTTONDOWN, MK_LBUTTON, centre);
        PostMessageW(toolbar_, WM_LBUTTONUP, 0, centre);
    }
    // Right-clicks the row of `window` and picks the item of that access key from the pop-up menu.
    bool ChooseFromPopup(HWND window, wchar_t accessKey) const {
        int index = -1;
        RECT r{LVIR_BOUNDS, 0, 0, 0};
        if (!RowOf(window, &index) || !SelectRowOf(window) ||
            !SendInside(process_.get(), list_, LVM_GETITEMRECT, index, r)) {
            return false;
        }
        const LPARAM point = MAKELPARAM(r.left + 20, (r.top + r.bottom) / 2);
        PostMessageW(list_, WM_RBUTTONDOWN, MK_RBUTTON, point);
        PostMessageW(list_, WM_RBUTTONUP, 0, point);
        HWND popup = nullptr;
        if (!WaitUntil([&] { return (popup = FindTopLevel(processId_, L"", L"#32768")) != nullptr; })) {
            return false;
        }
        PostMessageW(popup, WM_CHAR, accessKey, 0);
        return WaitUntil([&] { return !IsWindowVisible(popup); });
    }

    bool Close() const {  // as the close box does; true once the process has ended
        PostMessageW(main_, WM_CLOSE, 0, 0);
        return WaitForExit();
    }
    bool WaitForExit(std::chrono::milliseconds limit = 15s) const {
        const auto milliseconds = static_cast<DWORD>(limit.count());
        return !process_ || WaitForSingleObject(process_.get(), milliseconds) == WAIT_OBJECT_0;
    }
    std::optional<DWORD> ExitCode() const {
        DWORD code = 0;
        if (!WaitForExit(0ms) || !GetExitCodeProcess(process_.get(), &code)) return {};
        return code;
    }

private:
    std::wstring exe_;
    MenuCommands menu_;
    win32::UniqueKernelHandle process_;
    DWORD processId_ = 0;
    HWND main_ = nullptr, list_ = nullptr, status_ = nullptr, toolbar_ = nullptr;
};

}  // namespace qov::e2e
