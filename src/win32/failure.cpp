#include "win32/failure.h"

#include <string>

#include "win32/text.h"

namespace qov::win32 {

void ReportFailure(const std::exception_ptr& failure) noexcept {
    std::wstring text = L"QOV を続けられません。\n";
    try {
        std::rethrow_exception(failure);
    } catch (const std::exception& error) {
        text += Utf8ToWide(error.what());
    } catch (...) {
        text += L"不明なエラー";
    }
    // Only one box, however many handlers fail on the way out.
    static bool reported = false;
    if (!reported) {
        reported = true;
        ::MessageBoxW(nullptr, text.c_str(), L"V O V", MB_OK | MB_ICONSTOP | MB_TASKMODAL);
    }
    ::PostQuitMessage(1);
}

}  // namespace qov::win32
