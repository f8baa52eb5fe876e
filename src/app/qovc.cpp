// qovc.exe, QOV's command-line companion: the arguments, the user's settings
// (read, never written), the real window system and the console; the core
// decides everything else.
#include <windows.h>

#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "core/qovc_program.h"
#include "win32/change_feed.h"
#include "win32/console_text.h"
#include "win32/process_tree.h"
#include "win32/registry_store.h"
#include "win32/text.h"
#include "win32/window_system.h"

namespace {

// The time now in UTC, as ISO 8601 with milliseconds: "2026-12-07T16:42:07.123Z".
std::string UtcNow() {
    SYSTEMTIME t{};
    ::GetSystemTime(&t);
    char text[32];
    std::snprintf(text, sizeof(text), "%04u-%02u-%02uT%02u:%02u:%02u.%03uZ", t.wYear, t.wMonth, t.wDay, t.wHour,
                  t.wMinute, t.wSecond, t.wMilliseconds);
    return text;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    using namespace qov;
    const win32::ConsoleText out(STD_OUTPUT_HANDLE), err(STD_ERROR_HANDLE);
    try {
        std::vector<std::string> arguments;
        for (int i = 1; i < argc; ++i) arguments.push_back(win32::WideToUtf8(argv[i]));
        win32::RegistryStore store;
        win32::Win32WindowSystem windows;
        // In a terminal the console window is a hidden stand-in, owned by the
        // terminal's own window or not at all; then the terminal is found among
        // the processes above qovc. Without a console both are 0, which no window is.
        const HWND console = ::GetConsoleWindow();
        cli::OwnWindows own{{::GetCurrentProcessId()},
                            {win32::ToWindowHandle(console),
                             win32::ToWindowHandle(::GetAncestor(console, GA_ROOTOWNER))}};
        if (console && !::IsWindowVisible(console)) {
            const auto ancestors = win32::AncestorProcesses();
            if (const auto terminal = HostingTerminal(true, false, ancestors)) own.processes.insert(*terminal);
        }
        win32::EventChangeFeed feed;
        cli::QovcContext context{
            .windows = windows,
            .settings = LoadSettings(store),
            .contains = win32::TitleContains,
            .own = own,
            .version = QOV_VERSION,
            .pause = [](std::chrono::milliseconds time) { ::Sleep(static_cast<DWORD>(time.count())); },
            .out = [&](const std::string& text) { out.Write(text); },
            .err = [&](const std::string& text) { err.Write(text); },
            .feed = &feed,
            .utcNow = UtcNow,
            .now = [] { return std::chrono::steady_clock::now(); },
            .outputRead = [&] { return out.StillRead(); },
        };
        return cli::RunQovc(arguments, context);
    } catch (const std::exception& failure) {
        err.Write(std::string("qovc: 処理を続けられません: ") + failure.what() + "\r\n");
    } catch (...) {
        err.Write("qovc: 予期しないエラーのため処理を続けられません。\r\n");
    }
    return cli::kExitFailed;
}
