// Starts an installed program the way its Start-menu shortcut does (in its own
// folder), waits for its visible window of the given title, closes that window
// as the close box would and expects the program to end with exit code 0.
//
//   start_and_close PROGRAM TITLE
//
// Under `wine explorer /desktop=...` the exit code is lost, so it also goes to
// the file named by QOV_RESULT_FILE when that variable is set.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "win32/handles.h"

namespace {

// Bounds for a hung or missing program, not expectations of speed.
constexpr int kWindowWaitMs = 60'000;
constexpr DWORD kExitWaitMs = 30'000;

HWND FindWindowOf(DWORD processId, const std::wstring& title) {
    struct Search {
        DWORD processId;
        const std::wstring& title;
        HWND found;
    } search{processId, title, nullptr};
    EnumWindows(
        [](HWND window, LPARAM parameter) -> BOOL {
            auto& s = *reinterpret_cast<Search*>(parameter);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            wchar_t text[256] = {};
            GetWindowTextW(window, text, 256);
            if (owner != s.processId || !IsWindowVisible(window) || s.title != text) return TRUE;
            s.found = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// What went wrong, or nullptr when the program showed its window and ended cleanly.
const char* StartAndClose(const std::wstring& program, const std::wstring& title) {
    const std::wstring folder = program.substr(0, program.find_last_of(L'\\'));
    std::wstring commandLine = L"\"" + program + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.c_str(), &startup, &started)) {
        return "the program could not be started";
    }
    const qov::win32::UniqueKernelHandle process{started.hProcess}, thread{started.hThread};
    HWND window = nullptr;
    for (int waited = 0; !window && waited < kWindowWaitMs; waited += 100) {
        if (WaitForSingleObject(process.get(), 100) == WAIT_OBJECT_0) return "the program ended without its window";
        window = FindWindowOf(started.dwProcessId, title);
    }
    if (window) PostMessageW(window, WM_CLOSE, 0, 0);
    if (!window || WaitForSingleObject(process.get(), kExitWaitMs) != WAIT_OBJECT_0) {
        TerminateProcess(process.get(), 1);
        return window ? "the program did not end after its window was closed" : "the window never appeared";
    }
    DWORD exitCode = 1;
    GetExitCodeProcess(process.get(), &exitCode);
    return exitCode == 0 ? nullptr : "the program ended with a non-zero exit code";
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const char* failure = argc == 3 ? StartAndClose(argv[1], argv[2]) : "usage: start_and_close PROGRAM TITLE";
    if (failure) std::fprintf(stderr, "start_and_close: %s\n", failure);
    else std::printf("start_and_close: the window appeared and the program ended\n");
    const int code = failure ? 1 : 0;
    if (const char* path = std::getenv("QOV_RESULT_FILE")) {
        if (std::FILE* file = std::fopen(path, "w")) {
            std::fprintf(file, "%d\n", code);
            std::fclose(file);
        }
    }
    return code;
}
