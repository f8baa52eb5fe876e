// Placeholder entry point until the main window exists: lists the desktop's
// top-level windows through the window-system layer, on standard output and
// in a message box.
#include <windows.h>

#include <string>

#include "platform/win32/text_conversion.h"
#include "platform/win32/win32_window_system.h"

namespace {

void WriteOut(const std::string& text) {
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), text.data(), static_cast<DWORD>(text.size()),
              &written, nullptr);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    qov::win32::Win32WindowSystem windows;
    std::string listing;
    int count = 0;
    windows.EnumerateWindows([&](qov::WindowHandle handle) {
        ++count;
        listing += std::to_string(handle) + (windows.IsVisible(handle) ? "  visible  " : "  hidden   ") +
                   std::to_string(windows.PlacementShowState(handle)) + "  " +
                   windows.ClassName(handle) + "  \"" + windows.WindowTitle(handle) + "\"\n";
        return true;
    });
    const std::string summary = "QOV（準備中）: トップレベル ウィンドウ " + std::to_string(count) + " 個";
    WriteOut(summary + "\n" + listing);
    MessageBoxW(nullptr, qov::win32::Utf8ToWide(summary + "\n\n" + listing).c_str(), L"QOV",
                MB_OK | MB_ICONINFORMATION);
    return 0;
}
