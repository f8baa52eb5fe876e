#include "win32/failure.h"

#include <string>

#include "win32/text.h"

namespace qov::win32 {

std::string LastErrorText(const std::string& what) {
    return what + " (error " + std::to_string(::GetLastError()) + ")";
}

void ReportFailure(const std::exception_ptr& failure) noexcept {
    std::wstring text = L"QOV を続けられません。\n";
    try {
        std::rethrow_exception(failure);
    } catch (const std::exception& error) {
        text += Utf8ToWide(error.what());
    } catch (...) {
        text += L"不明なエラー";
    }
    // One box, however many handlers fail while it is open or on the way out;
    // a quit message posted meanwhile would close the box before it is read.
    static bool reported = false;
    if (reported) return;
    reported = true;
    ::MessageBoxW(nullptr, text.c_str(), L"V O V", MB_OK | MB_ICONSTOP | MB_TASKMODAL | MB_TOPMOST | MB_SETFOREGROUND);
    ::PostQuitMessage(1);
}

}  // namespace qov::win32
