// qovc.exe, QOV's command-line companion: the arguments, the user's settings
// (read, never written), the real window system and the console; the core
// decides everything else.
#include <windows.h>

#include <exception>
#include <string>
#include <vector>

#include "core/qovc_program.h"
#include "win32/console_text.h"
#include "win32/registry_store.h"
#include "win32/text.h"
#include "win32/window_system.h"

int wmain(int argc, wchar_t** argv) {
    using namespace qov;
    const win32::ConsoleText out(STD_OUTPUT_HANDLE), err(STD_ERROR_HANDLE);
    try {
        std::vector<std::string> arguments;
        for (int i = 1; i < argc; ++i) arguments.push_back(win32::WideToUtf8(argv[i]));
        win32::RegistryStore store;
        win32::Win32WindowSystem windows;
        cli::QovcContext context{
            .windows = windows,
            .settings = LoadSettings(store),
            .console = win32::ToWindowHandle(::GetConsoleWindow()),
            .version = QOV_VERSION,
            .pause = [](std::chrono::milliseconds time) { ::Sleep(static_cast<DWORD>(time.count())); },
            .out = [&](const std::string& text) { out.Write(text); },
            .err = [&](const std::string& text) { err.Write(text); },
        };
        return cli::RunQovc(arguments, context);
    } catch (const std::exception& failure) {
        err.Write(std::string("qovc: 処理を続けられません: ") + failure.what() + "\r\n");
        return cli::kExitFailed;
    }
}
