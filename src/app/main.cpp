// The program's entry: the main window and the message loop.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include <exception>

#include "win32/failure.h"
#include "win32/main_window.h"

namespace {

int RunMessageLoop(qov::win32::MainWindow& mainWindow) {
    MSG message{};
    while (true) {
        const BOOL got = ::GetMessageW(&message, nullptr, 0, 0);
        if (got == 0) return static_cast<int>(message.wParam);
        if (got == -1) return 1;
        if (mainWindow.PreTranslate(message)) continue;
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
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
