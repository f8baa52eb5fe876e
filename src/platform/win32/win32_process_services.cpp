#include "platform/win32/win32_process_services.h"

#include <windows.h>

#include <string>

#include "platform/win32/unique_handle.h"
#include "platform/win32/text_conversion.h"

namespace qov::win32 {

std::string Win32ProcessServices::ProgramFolder() {
    // Paths can be longer than MAX_PATH; grow the buffer until the name fits.
    std::wstring path(MAX_PATH, L'\0');
    while (true) {
        const DWORD length =
            GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return {};
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        if (path.size() >= 32768) return {};
        path.resize(path.size() * 2);
    }
    const size_t separator = path.find_last_of(L"\\/");
    if (separator == std::wstring::npos) return {};
    path.resize(separator);
    return WideToUtf8(path);
}

bool Win32ProcessServices::ChangeDirectory(const std::string& folder) {
    return SetCurrentDirectoryW(Utf8ToWide(folder).c_str()) != FALSE;
}

bool Win32ProcessServices::StartProgram(const std::string& commandLine) {
    std::wstring command = Utf8ToWide(commandLine);  // CreateProcessW may write into it
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        return false;
    }
    unique_kernel_handle processHandle(process.hProcess);
    unique_kernel_handle threadHandle(process.hThread);
    return true;
}

}  // namespace qov::win32
