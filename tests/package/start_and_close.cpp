// start_and_close PROGRAM TITLE [COMMAND...]: starts an installed program as
// its Start-menu shortcut does (in its own folder), waits for its shown window
// of that title, runs each COMMAND line to its end while the window is open,
// then closes the window as the close box would and expects the program to end
// with exit code 0.
// `wine explorer /desktop=...` loses exit codes, so the results also go to the
// file that QOV_RESULT_FILE names: 0 or 1 for the program on the first line,
// then each command's exit code on a line of its own.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "win32/handles.h"

namespace {

// The command's exit code; -1 when it could not be started or did not end in time.
long long RunToEnd(std::wstring commandLine) {
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &started))
        return -1;
    const qov::win32::UniqueKernelHandle process{started.hProcess}, thread{started.hThread};
    if (WaitForSingleObject(process.get(), 120000) != WAIT_OBJECT_0) {
        TerminateProcess(process.get(), 1);
        return -1;
    }
    DWORD exitCode = 0;
    GetExitCodeProcess(process.get(), &exitCode);
    return exitCode;
}

// What went wrong, or nullptr when the program showed its window and ended cleanly.
const char* StartAndClose(const std::wstring& program, const wchar_t* title,
                          const std::vector<std::wstring>& whileOpen, std::vector<long long>& exitCodes) {
    std::wstring commandLine = L"\"" + program + L"\"";
    const std::wstring folder = program.substr(0, program.find_last_of(L'\\'));
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.c_str(), &startup, &started))
        return "the program could not be started";
    const qov::win32::UniqueKernelHandle process{started.hProcess}, thread{started.hThread};
    HWND window = nullptr;
    // The bounds are for a hung or missing program, not expectations of speed.
    for (int waited = 0; !window && waited < 60000; waited += 100) {
        if (WaitForSingleObject(process.get(), 100) == WAIT_OBJECT_0) return "it ended without its window";
        while ((window = FindWindowExW(nullptr, window, nullptr, title)) && !IsWindowVisible(window)) {}
    }
    if (window)
        for (const std::wstring& command : whileOpen) exitCodes.push_back(RunToEnd(command));
    if (window) PostMessageW(window, WM_CLOSE, 0, 0);
    if (!window || WaitForSingleObject(process.get(), 30000) != WAIT_OBJECT_0) {
        TerminateProcess(process.get(), 1);
        return window ? "it did not end after its window was closed" : "its window never appeared";
    }
    DWORD exitCode = 1;
    GetExitCodeProcess(process.get(), &exitCode);
    return exitCode == 0 ? nullptr : "it ended with a non-zero exit code";
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    std::vector<long long> exitCodes;
    const char* failure = argc >= 3 ? StartAndClose(argv[1], argv[2], {argv + 3, argv + argc}, exitCodes)
                                    : "expects PROGRAM TITLE [COMMAND...]";
    std::printf("start_and_close: %s\n", failure ? failure : "the window appeared and the program ended");
    for (std::size_t i = 0; i < exitCodes.size(); ++i)
        std::printf("start_and_close: while open, command %zu exited with %lld\n", i + 1, exitCodes[i]);
    if (const char* path = std::getenv("QOV_RESULT_FILE")) {
        std::ofstream result(path);
        result << (failure ? 1 : 0) << '\n';
        for (const long long code : exitCodes) result << code << '\n';
    }
    return failure ? 1 : 0;
}
