// Starts an installed program the way its Start-menu shortcut does, waits
// for its top-level window with the given title, closes that window as the
// close box would and waits for the program to end.
//
//   start_and_close PROGRAM TITLE
//
// Exit code 0 when all of that happened. Under `wine explorer /desktop=...`
// the exit code is lost, so it is also written to the file named by
// QOV_RESULT_FILE when that variable is set.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/win32/unique_handle.h"

namespace {

using qov::win32::unique_kernel_handle;

// Bounds for a hung or missing program, not expectations of speed.
constexpr DWORD kWindowWaitMs = 60'000;
constexpr DWORD kExitWaitMs = 30'000;
constexpr DWORD kPollMs = 100;

struct WindowSearch {
    DWORD processId;
    const std::wstring* title;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM param) {
    auto& search = *reinterpret_cast<WindowSearch*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search.processId || !IsWindowVisible(window)) return TRUE;
    wchar_t title[256] = {};
    GetWindowTextW(window, title, 256);
    if (*search.title != title) return TRUE;
    search.found = window;
    return FALSE;
}

HWND FindProcessWindow(DWORD processId, const std::wstring& title) {
    WindowSearch search{processId, &title, nullptr};
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool HasExited(HANDLE process, DWORD waitMs) {
    return WaitForSingleObject(process, waitMs) == WAIT_OBJECT_0;
}

int Fail(const char* what) {
    std::fprintf(stderr, "start_and_close: %s\n", what);
    return 1;
}

int StartAndClose(const std::wstring& program, const std::wstring& title) {
    // The shortcut starts the program in its own folder.
    const std::wstring folder = program.substr(0, program.find_last_of(L'\\'));
    std::wstring commandLine = L"\"" + program + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.c_str(), &startup, &started)) {
        return Fail("the program could not be started");
    }
    unique_kernel_handle process{started.hProcess};
    unique_kernel_handle thread{started.hThread};

    HWND window = nullptr;
    for (DWORD waited = 0; !window && waited < kWindowWaitMs; waited += kPollMs) {
        if (HasExited(process.get(), kPollMs)) return Fail("the program ended without its window");
        window = FindProcessWindow(started.dwProcessId, title);
    }
    if (!window) {
        TerminateProcess(process.get(), 1);
        return Fail("the program's window never appeared");
    }
    std::printf("start_and_close: the window appeared\n");

    PostMessageW(window, WM_CLOSE, 0, 0);
    if (!HasExited(process.get(), kExitWaitMs)) {
        TerminateProcess(process.get(), 1);
        return Fail("the program did not end after its window was closed");
    }
    DWORD exitCode = 1;
    GetExitCodeProcess(process.get(), &exitCode);
    if (exitCode != 0) return Fail("the program ended with a non-zero exit code");
    std::printf("start_and_close: the program ended\n");
    return 0;
}

void WriteResult(int code) {
    const char* path = std::getenv("QOV_RESULT_FILE");
    if (path == nullptr || *path == '\0') return;
    if (std::FILE* file = std::fopen(path, "w")) {
        std::fprintf(file, "%d\n", code);
        std::fclose(file);
    }
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: start_and_close PROGRAM TITLE\n");
        WriteResult(2);
        return 2;
    }
    const int code = StartAndClose(argv[1], argv[2]);
    std::fflush(stdout);
    WriteResult(code);
    return code;
}
