#include "window_crowd.h"

#include <cstdio>
#include <vector>

namespace qov::bench {
namespace {

constexpr wchar_t kCrowdClass[] = L"QovBenchCrowd";

std::wstring EventName(const wchar_t* what) {
    static int serial = 0;
    return L"Local\\QovBenchCrowd" + std::wstring(what) + std::to_wstring(GetCurrentProcessId()) +
           L"-" + std::to_wstring(++serial);
}

}  // namespace

WindowCrowd::WindowCrowd(int count, const std::wstring& titlePrefix) {
    const std::wstring readyName = EventName(L"Ready");
    const std::wstring stopName = EventName(L"Stop");
    const win32::UniqueKernelHandle ready(CreateEventW(nullptr, TRUE, FALSE, readyName.c_str()));
    stop_.reset(CreateEventW(nullptr, TRUE, FALSE, stopName.c_str()));
    wchar_t exe[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, exe, MAX_PATH);
    std::wstring commandLine = L"\"" + std::wstring(exe) + L"\" crowd " + std::to_wstring(count) +
                               L" \"" + titlePrefix + L"\" " + readyName + L" " + stopName;
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION created{};
    if (!ready || !stop_ ||
        !CreateProcessW(exe, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &created)) {
        std::fprintf(stderr, "cannot start the window crowd process\n");
        return;
    }
    process_.reset(created.hProcess);
    CloseHandle(created.hThread);
    const HANDLE waits[] = {ready.get(), process_.get()};
    ready_ = WaitForMultipleObjects(2, waits, FALSE, 120000) == WAIT_OBJECT_0;
}

WindowCrowd::~WindowCrowd() {
    if (!process_) return;
    SetEvent(stop_.get());
    if (WaitForSingleObject(process_.get(), 30000) != WAIT_OBJECT_0) {
        TerminateProcess(process_.get(), 1);
        WaitForSingleObject(process_.get(), 5000);
    }
}

int RunCrowdProcess(int argc, wchar_t** argv) {
    if (argc != 6) return 2;
    const int count = _wtoi(argv[2]);
    const std::wstring prefix = argv[3];
    const win32::UniqueKernelHandle ready(OpenEventW(EVENT_MODIFY_STATE, FALSE, argv[4]));
    const win32::UniqueKernelHandle stop(OpenEventW(SYNCHRONIZE, FALSE, argv[5]));
    if (!ready || !stop) return 3;

    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = kCrowdClass;
    RegisterClassExW(&windowClass);

    std::vector<win32::UniqueWindow> windows;
    for (int i = 0; i < count; ++i) {
        const std::wstring title = prefix + L" " + std::to_wstring(i + 1);
        // Cascaded over the desktop, small, so they overlap as real ones do.
        const int x = (i * 13) % 800;
        const int y = (i * 7) % 560;
        windows.emplace_back(CreateWindowExW(0, kCrowdClass, title.c_str(), WS_OVERLAPPEDWINDOW,
                                             x, y, 200, 120, nullptr, nullptr,
                                             GetModuleHandleW(nullptr), nullptr));
        if (!windows.back()) return 4;
        ShowWindow(windows.back().get(), SW_SHOWNOACTIVATE);
    }
    SetEvent(ready.get());

    const HANDLE stopHandle = stop.get();
    for (;;) {
        const DWORD woke = MsgWaitForMultipleObjects(1, &stopHandle, FALSE, INFINITE, QS_ALLINPUT);
        if (woke != WAIT_OBJECT_0 + 1) break;
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    }
    return 0;
}

}  // namespace qov::bench
