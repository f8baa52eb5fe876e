#include "win32/console_text.h"

#include <algorithm>

#include "win32/text.h"

namespace qov::win32 {
namespace {

// WriteConsoleW takes at most a 64 KB buffer on older consoles.
constexpr std::size_t kConsoleChunkUnits = 8192;

// A title may hold escape sequences: on a console they would drive the
// terminal (move its cursor, retitle it, answer back), so every control
// character but a line break or a tab is shown as U+FFFD instead.
bool IsUnsafeOnConsole(wchar_t c) {
    return (c < 0x20 && c != L'\r' && c != L'\n' && c != L'\t') || (c >= 0x80 && c <= 0x9F);
}

bool IsConsole(HANDLE handle) {
    DWORD mode = 0;
    return handle && handle != INVALID_HANDLE_VALUE && ::GetConsoleMode(handle, &mode);
}

}  // namespace

ConsoleText::ConsoleText(DWORD standardHandle)
    : handle_(::GetStdHandle(standardHandle)), console_(IsConsole(handle_)) {}

void ConsoleText::Write(const std::string& text) const {
    if (!handle_ || handle_ == INVALID_HANDLE_VALUE || text.empty()) return;
    if (!console_) {
        DWORD written = 0;
        for (std::size_t at = 0; at < text.size(); at += written) {
            const auto bytes = static_cast<DWORD>(std::min<std::size_t>(text.size() - at, 1 << 20));
            if (!::WriteFile(handle_, text.data() + at, bytes, &written, nullptr) || written == 0) {
                failed_ = true;
                return;
            }
        }
        return;
    }
    std::wstring wide = Utf8ToWide(text);
    std::ranges::replace_if(wide, IsUnsafeOnConsole, L'\uFFFD');
    for (std::size_t at = 0; at < wide.size();) {
        std::size_t units = std::min(wide.size() - at, kConsoleChunkUnits);
        // Never split a surrogate pair between two writes.
        if (units < wide.size() - at && IS_HIGH_SURROGATE(wide[at + units - 1])) --units;
        DWORD written = 0;
        if (!::WriteConsoleW(handle_, wide.data() + at, static_cast<DWORD>(units), &written, nullptr) ||
            written == 0) {
            failed_ = true;
            return;
        }
        at += written;
    }
}

// A write of no bytes to a pipe whose reader has gone fails with
// ERROR_NO_DATA (or ERROR_BROKEN_PIPE) and writes nothing otherwise; files and
// consoles are always read.
bool ConsoleText::StillRead() const {
    if (failed_ || console_ || !handle_ || handle_ == INVALID_HANDLE_VALUE) return !failed_;
    if (::GetFileType(handle_) != FILE_TYPE_PIPE) return true;
    DWORD written = 0;
    if (::WriteFile(handle_, "", 0, &written, nullptr)) return true;
    const DWORD error = ::GetLastError();
    failed_ = error == ERROR_NO_DATA || error == ERROR_BROKEN_PIPE;
    return !failed_;
}

}  // namespace qov::win32
