// help_recorder RECORD PAGE: stands in for the web browser in the help test.
// The test makes it the program that opens .html files; it writes the page it
// was asked to open (UTF-16, no terminator) to the file RECORD and ends.
#include <windows.h>

#include <cwchar>

#include "win32/handles.h"

int wmain(int argc, wchar_t** argv) {
    if (argc != 3) return 2;
    const HANDLE file =
        CreateFileW(argv[1], GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 1;
    const qov::win32::UniqueKernelHandle record{file};
    const DWORD bytes = static_cast<DWORD>(std::wcslen(argv[2]) * sizeof(wchar_t));
    DWORD written = 0;
    return WriteFile(record.get(), argv[2], bytes, &written, nullptr) && written == bytes ? 0 : 1;
}
