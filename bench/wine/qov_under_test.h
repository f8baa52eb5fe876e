#pragma once
// The real qov.exe (the environment's QOV_EXE) for the benchmarks that drive
// it from outside: started on the settings given, closed in order at the end,
// and measured from outside, since the program carries no hooks for it.
#include <windows.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "win32/handles.h"

namespace qov::bench {

// Stored settings by name, as the program keeps them in the registry.
using StoredSettings = std::map<std::wstring, std::wstring>;

// What another process can read of QOV's use of the system. Wine leaves some
// of it unanswered; those read as nothing.
struct ProcessResources {
    double memoryMb = 0;      // PagefileUsage: private memory (Wine: resident + swap)
    double workingSetMb = 0;  // WorkingSetSize
    std::optional<DWORD> gdiObjects, userObjects;  // GetGuiResources: a stub under Wine 8
    std::optional<DWORD> kernelHandles;            // GetProcessHandleCount: 0 under Wine 8
    int windows = 0;  // top-level windows of the process and all their children, counted
};

class QovUnderTest {
public:
    // The stored settings are replaced by `settings` first.
    explicit QovUnderTest(const StoredSettings& settings);
    // Closes QOV as its close box does (kills it when it does not end) and
    // removes the settings it saved.
    ~QovUnderTest();
    QovUnderTest(const QovUnderTest&) = delete;
    QovUnderTest& operator=(const QovUnderTest&) = delete;

    // The main window with its list and status bar was found.
    bool Ready() const { return list_ && statusBar_; }
    const std::wstring& Exe() const { return exe_; }
    DWORD Id() const { return processId_; }
    HWND Main() const { return main_; }
    HWND StatusBar() const { return statusBar_; }
    // When the process was started (NowMs()).
    double StartedAtMs() const { return startedAtMs_; }
    int RowCount() const;
    // Waits until the list holds at least `rows` rows; false after `limitMs`.
    bool WaitForRows(int rows, DWORD limitMs) const;
    ProcessResources Resources() const;

    // The list read from outside, as a user sees it, through a buffer in
    // QOV's memory (the list view's messages take pointers).
    // The first row whose title is `title` exactly (the list view's own
    // search, one message); -1 when none.
    int FindTitle(const std::wstring& title) const;
    std::wstring Cell(int row, int column) const;
    // The handle column of every row; `settled`: read until two readings
    // agree (QOV may change the list between two messages).
    std::vector<HWND> ListedWindows(bool settled = true) const;

private:
    std::wstring exe_;
    win32::UniqueKernelHandle process_;
    DWORD processId_ = 0;
    double startedAtMs_ = 0;
    char* remote_ = nullptr;  // freed with the process
    HWND main_ = nullptr, list_ = nullptr, statusBar_ = nullptr;
};

// The program `name` (qovc.exe, say) in qov.exe's folder, as Windows writes the path.
std::wstring ProgramBesideQov(const std::wstring& name);

void PrintResources(const char* when, const ProcessResources& resources);

// Says why a benchmark cannot go on when QOV did not start.
bool Started(const QovUnderTest& qov);
// The stored settings left at their defaults but "Detect", stored when given.
StoredSettings DetectSetting(const std::wstring& detect);

}  // namespace qov::bench
