#include "qov_under_test.h"

#include <commctrl.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstddef>
#include <cstdint>

#include "stopwatch.h"

namespace qov::bench {
namespace {

// CMake and the script give Unix paths, which Wine reaches through drive Z:.
std::wstring WindowsPath(std::wstring path) {
    if (path.empty() || path.front() != L'/') return path;
    std::replace(path.begin(), path.end(), L'/', L'\\');
    return L"Z:" + path;
}

template <typename Condition>
bool WaitFor(Condition condition, DWORD limitMs) {
    const ULONGLONG deadline = GetTickCount64() + limitMs;
    while (!condition()) {
        if (GetTickCount64() > deadline) return false;
        Sleep(50);
    }
    return true;
}

struct WindowCount {
    DWORD process = 0;
    int windows = 0;
};

BOOL CALLBACK CountChild(HWND, LPARAM count) {
    ++reinterpret_cast<WindowCount*>(count)->windows;
    return TRUE;
}

// EnumChildWindows walks the children's children too.
BOOL CALLBACK CountTopLevel(HWND window, LPARAM count) {
    auto* search = reinterpret_cast<WindowCount*>(count);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search->process) return TRUE;
    ++search->windows;
    EnumChildWindows(window, CountChild, count);
    return TRUE;
}

constexpr wchar_t kSettingsKey[] = L"Software\\Tamarind Desk\\QOV";

void DeleteSettings() { RegDeleteTreeW(HKEY_CURRENT_USER, kSettingsKey); }

// A message box of QOV's carries the main window's caption: its class tells them apart.
HWND FindMainWindow(DWORD process) {
    for (HWND window = FindWindowExW(nullptr, nullptr, nullptr, L"V O V"); window;
         window = FindWindowExW(nullptr, window, nullptr, L"V O V")) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        wchar_t className[16] = {};
        GetClassNameW(window, className, 16);
        if (owner == process && wcscmp(className, L"#32770") != 0) return window;
    }
    return nullptr;
}

std::optional<DWORD> UnlessZero(DWORD value) {
    return value ? std::optional<DWORD>(value) : std::nullopt;
}

}  // namespace

QovUnderTest::QovUnderTest(const StoredSettings& settings) {
    DeleteSettings();
    for (const auto& [name, text] : settings) {
        RegSetKeyValueW(HKEY_CURRENT_USER, kSettingsKey, name.c_str(), REG_SZ, text.c_str(),
                        static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    }
    if (const wchar_t* exe = _wgetenv(L"QOV_EXE")) exe_ = WindowsPath(exe);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION started{};
    std::wstring commandLine = L"\"" + exe_ + L"\"";
    startedAtMs_ = NowMs();
    if (exe_.empty() || !CreateProcessW(exe_.c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                                        0, nullptr, nullptr, &startup, &started)) {
        return;
    }
    CloseHandle(started.hThread);
    process_.reset(started.hProcess);
    processId_ = started.dwProcessId;
    remote_ = static_cast<char*>(
        VirtualAllocEx(process_.get(), nullptr, 4096, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    WaitFor([this] {
        main_ = FindMainWindow(processId_);
        if (!main_) return WaitForSingleObject(process_.get(), 0) == WAIT_OBJECT_0;
        list_ = FindWindowExW(main_, nullptr, WC_LISTVIEWW, nullptr);
        statusBar_ = FindWindowExW(main_, nullptr, STATUSCLASSNAMEW, nullptr);
        return Ready() || WaitForSingleObject(process_.get(), 0) == WAIT_OBJECT_0;
    }, 30000);
}

QovUnderTest::~QovUnderTest() {
    if (process_) {
        PostMessageW(main_, WM_CLOSE, 0, 0);
        if (WaitForSingleObject(process_.get(), 15000) != WAIT_OBJECT_0) {
            TerminateProcess(process_.get(), 1);
            WaitForSingleObject(process_.get(), 5000);
        }
    }
    DeleteSettings();
}

int QovUnderTest::RowCount() const {
    DWORD_PTR rows = 0;
    if (!SendMessageTimeoutW(list_, LVM_GETITEMCOUNT, 0, 0, SMTO_NORMAL, 10000, &rows)) return -1;
    return static_cast<int>(rows);
}

bool QovUnderTest::WaitForRows(int rows, DWORD limitMs) const {
    return WaitFor([&] { return RowCount() >= rows; }, limitMs);
}

namespace {
constexpr int kHandleColumn = 4;  // title, status, rectangle, class, handle
constexpr int kTextMax = 256;

HWND HandleOfText(const std::wstring& text) {
    const long value = std::wcstol(text.c_str(), nullptr, 10);  // a leading space before positive ones
    return reinterpret_cast<HWND>(static_cast<std::intptr_t>(static_cast<std::int32_t>(value)));
}
}  // namespace

int QovUnderTest::FindTitle(const std::wstring& title) const {
    if (!remote_ || title.size() >= kTextMax) return -1;
    struct {
        LVFINDINFOW find;
        wchar_t text[kTextMax];
    } search{};
    search.find.flags = LVFI_STRING;
    search.find.psz = reinterpret_cast<LPCWSTR>(remote_ + offsetof(decltype(search), text));
    title.copy(search.text, title.size());
    DWORD_PTR row = static_cast<DWORD_PTR>(-1);
    if (!WriteProcessMemory(process_.get(), remote_, &search, sizeof(search), nullptr) ||
        !SendMessageTimeoutW(list_, LVM_FINDITEMW, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(remote_),
                             SMTO_NORMAL, 10000, &row)) {
        return -1;
    }
    return static_cast<int>(static_cast<LRESULT>(row));
}

std::wstring QovUnderTest::Cell(int row, int column) const {
    if (!remote_) return {};
    struct {
        LVITEMW item;
        wchar_t text[kTextMax];
    } cell{};
    cell.item.iSubItem = column;
    cell.item.cchTextMax = kTextMax - 1;
    cell.item.pszText = reinterpret_cast<LPWSTR>(remote_ + offsetof(decltype(cell), text));
    DWORD_PTR copied = 0;
    if (!WriteProcessMemory(process_.get(), remote_, &cell, sizeof(cell), nullptr) ||
        !SendMessageTimeoutW(list_, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(remote_), SMTO_NORMAL,
                             10000, &copied) ||
        !ReadProcessMemory(process_.get(), remote_, &cell, sizeof(cell), nullptr)) {
        return {};
    }
    cell.text[kTextMax - 1] = L'\0';
    return cell.text;
}

std::vector<HWND> QovUnderTest::ListedWindows(bool settled) const {
    const auto readAll = [this] {
        std::vector<HWND> windows;
        const int rows = RowCount();
        for (int row = 0; row < rows; ++row) windows.push_back(HandleOfText(Cell(row, kHandleColumn)));
        return windows;
    };
    std::vector<HWND> windows = readAll(), again;
    for (int i = 0; settled && i < 20 && (again = readAll()) != windows; ++i) windows = std::move(again);
    return windows;
}

ProcessResources QovUnderTest::Resources() const {
    ProcessResources resources;
    PROCESS_MEMORY_COUNTERS memory{};
    if (GetProcessMemoryInfo(process_.get(), &memory, sizeof(memory))) {
        resources.memoryMb = memory.PagefileUsage / 1048576.0;
        resources.workingSetMb = memory.WorkingSetSize / 1048576.0;
    }
    resources.gdiObjects = UnlessZero(GetGuiResources(process_.get(), GR_GDIOBJECTS));
    resources.userObjects = UnlessZero(GetGuiResources(process_.get(), GR_USEROBJECTS));
    DWORD handles = 0;
    if (GetProcessHandleCount(process_.get(), &handles)) resources.kernelHandles = UnlessZero(handles);
    WindowCount count{processId_};
    EnumWindows(CountTopLevel, reinterpret_cast<LPARAM>(&count));
    resources.windows = count.windows;
    return resources;
}

std::wstring ProgramBesideQov(const std::wstring& name) {
    const wchar_t* qov = _wgetenv(L"QOV_EXE");
    if (!qov) return {};
    const std::wstring path = WindowsPath(qov);
    return path.substr(0, path.find_last_of(L'\\') + 1) + name;
}

void PrintResources(const char* when, const ProcessResources& r) {
    const auto count = [](const std::optional<DWORD>& value) {
        return value ? std::to_string(*value) : std::string("n/a");
    };
    std::printf("  qov.exe %-6s memory %.1f MB, working set %.1f MB, %d windows, GDI objects %s, "
                "USER objects %s, kernel handles %s\n",
                when, r.memoryMb, r.workingSetMb, r.windows,
                count(r.gdiObjects).c_str(), count(r.userObjects).c_str(),
                count(r.kernelHandles).c_str());
}

bool Started(const QovUnderTest& qov) {
    if (!qov.Ready()) std::wprintf(L"qov.exe did not start: \"%ls\"\n", qov.Exe().c_str());
    return qov.Ready();
}

StoredSettings DetectSetting(const std::wstring& detect) {
    StoredSettings settings;
    if (!detect.empty()) settings[L"Detect"] = detect;
    return settings;
}

}  // namespace qov::bench
