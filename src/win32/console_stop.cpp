#include "win32/console_stop.h"

#include "win32/handles.h"

namespace qov::win32 {
namespace {

struct StopSignal {
    UniqueKernelHandle event{::CreateEventW(nullptr, TRUE, FALSE, nullptr)};
    StopSignal() { ::SetConsoleCtrlHandler(&OnControl, TRUE); }

    static BOOL WINAPI OnControl(DWORD type);
};

StopSignal& Signal() {
    static StopSignal signal;  // the process's console handler needs one
    return signal;
}

BOOL WINAPI StopSignal::OnControl(DWORD type) {
    ::SetEvent(Signal().event.get());
    // Once this returns after a close, log-off or shut-down, the system ends
    // the process with an exit code of its own: it waits here instead while
    // the main thread finishes and exits with 0 (the system gives it 5 s).
    if (type == CTRL_CLOSE_EVENT || type == CTRL_LOGOFF_EVENT || type == CTRL_SHUTDOWN_EVENT) ::Sleep(10000);
    return TRUE;
}

}  // namespace

HANDLE ConsoleStopEvent() { return Signal().event.get(); }

}  // namespace qov::win32
