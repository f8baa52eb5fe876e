// The program's entry: the main window and the message loop.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include <exception>
#include <optional>

#include "win32/failure.h"
#include "win32/main_window.h"
#include "win32/message_pump.h"

namespace {

// Waits for messages and runs them until the program is asked to end.
int RunMessageLoop(qov::win32::MainWindow& mainWindow) {
    const qov::win32::PreTranslate preTranslate = [&](MSG& message) {
        return mainWindow.PreTranslate(message);
    };
    while (true) {
        if (const std::optional<int> exitCode = qov::win32::RunPendingMessages(preTranslate))
            return *exitCode;
        ::WaitMessage();
    }
}

// The shell may hand the opening of the help page to a COM handler, which
// wants the calling thread in a single-threaded apartment.
class ComApartment {
public:
    ComApartment()
        : joined_(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE))) {}
    ~ComApartment() {
        if (joined_) ::CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

private:
    bool joined_;
};

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    INITCOMMONCONTROLSEX classes{};
    classes.dwSize = sizeof(classes);
    classes.dwICC = ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES | ICC_TAB_CLASSES | ICC_STANDARD_CLASSES |
                    ICC_WIN95_CLASSES;
    ::InitCommonControlsEx(&classes);
    const ComApartment apartment;
    try {
        qov::win32::MainWindow mainWindow;
        return RunMessageLoop(mainWindow);
    } catch (...) {
        // A failure at start-up: said in a box, and the program ends with an error code.
        qov::win32::ReportFailure(std::current_exception());
        return 1;
    }
}
