// The composition root: the real platform under the program's main window.
#include <windows.h>

#include "main_window/main_form.h"
#include "platform/platform.h"
#include "platform/win32/win32_process_services.h"
#include "platform/win32/win32_settings_store.h"
#include "platform/win32/win32_toolkit.h"
#include "platform/win32/win32_window_system.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    qov::win32::Win32WindowSystem windows;
    qov::win32::Win32Toolkit toolkit;
    qov::win32::Win32SettingsStore store;
    qov::win32::Win32ProcessServices process;
    qov::Platform platform{windows, toolkit, store, process};

    // The program-wide model: one record of settings, one pair of tables.
    qov::Settings settings;
    qov::WindowTables tables;
    qov::MainForm mainForm(platform, settings, tables);
    return toolkit.RunMessageLoop();
}
