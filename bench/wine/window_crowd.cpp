#include "window_crowd.h"

#include <cstdio>
#include <random>

#include "fixture_window.h"

namespace qov::bench {
namespace {

std::wstring EventName(const wchar_t* what) {
    static int serial = 0;
    return L"Local\\QovBenchCrowd" + std::wstring(what) + std::to_wstring(GetCurrentProcessId()) +
           L"-" + std::to_wstring(++serial);
}

struct Search {
    DWORD process = 0;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectOfProcess(HWND window, LPARAM search) {
    auto* into = reinterpret_cast<Search*>(search);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    wchar_t className[32] = {};
    GetClassNameW(window, className, 32);
    // Wine gives the process hidden windows of its own (the IME's).
    if (owner == into->process && std::wstring(className) == kFixtureClass) into->found.push_back(window);
    return TRUE;
}

// The churning windows: a triangle between none and `upTo` over 20 s, each
// tick also replacing one at random, so windows come and go all the time.
class Churn {
public:
    Churn(const std::wstring& prefix, int upTo) : prefix_(prefix), upTo_(upTo) {}

    void Tick(ULONGLONG sinceStartMs) {
        const double phase = static_cast<double>(sinceStartMs % kPeriodMs) / kPeriodMs;
        const auto target = static_cast<std::size_t>(upTo_ * (phase < 0.5 ? 2 * phase : 2 - 2 * phase));
        for (int i = 0; i < 2; ++i) {
            if (windows_.size() < target) Create();
            else if (windows_.size() > target) DestroyOne();
        }
        if (!windows_.empty()) {
            DestroyOne();
            Create();
        }
    }
    int Created() const { return created_; }

private:
    static constexpr ULONGLONG kPeriodMs = 20000;

    void Create() {
        ++created_;
        win32::UniqueWindow window = CreateFixtureWindow(prefix_ + L" c" + std::to_wstring(created_), created_);
        if (window) windows_.push_back(std::move(window));
    }
    void DestroyOne() {
        std::uniform_int_distribution<std::size_t> pick(0, windows_.size() - 1);
        const std::size_t at = pick(random_);
        std::swap(windows_[at], windows_.back());
        windows_.pop_back();  // destroyed here, on the thread that made it
    }

    std::wstring prefix_;
    int upTo_;
    int created_ = 0;
    std::mt19937 random_{20261207};
    std::vector<win32::UniqueWindow> windows_;
};

}  // namespace

WindowCrowd::WindowCrowd(int count, const std::wstring& titlePrefix, int churnUpTo) {
    const std::wstring readyName = EventName(L"Ready");
    const std::wstring stopName = EventName(L"Stop");
    const std::wstring calmName = EventName(L"Calm");
    const std::wstring calmedName = EventName(L"Calmed");
    const win32::UniqueKernelHandle ready(CreateEventW(nullptr, TRUE, FALSE, readyName.c_str()));
    stop_.reset(CreateEventW(nullptr, TRUE, FALSE, stopName.c_str()));
    calm_.reset(CreateEventW(nullptr, TRUE, FALSE, calmName.c_str()));
    calmed_.reset(CreateEventW(nullptr, TRUE, FALSE, calmedName.c_str()));
    wchar_t exe[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, exe, MAX_PATH);
    std::wstring commandLine = L"\"" + std::wstring(exe) + L"\" crowd " + std::to_wstring(count) +
                               L" \"" + titlePrefix + L"\" " + readyName + L" " + stopName + L" " +
                               std::to_wstring(churnUpTo) + L" " + calmName + L" " + calmedName;
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION created{};
    if (!ready || !stop_ || !calm_ || !calmed_ ||
        !CreateProcessW(exe, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &created)) {
        std::fprintf(stderr, "cannot start the window crowd process\n");
        return;
    }
    process_.reset(created.hProcess);
    processId_ = created.dwProcessId;
    CloseHandle(created.hThread);
    const HANDLE waits[] = {ready.get(), process_.get()};
    ready_ = WaitForMultipleObjects(2, waits, FALSE, 120000) == WAIT_OBJECT_0;
}

WindowCrowd::~WindowCrowd() { End(); }

int WindowCrowd::End() {
    if (!process_) return -1;
    SetEvent(stop_.get());
    if (WaitForSingleObject(process_.get(), 30000) != WAIT_OBJECT_0) {
        TerminateProcess(process_.get(), static_cast<UINT>(-1));
        WaitForSingleObject(process_.get(), 5000);
    }
    DWORD code = static_cast<DWORD>(-1);
    GetExitCodeProcess(process_.get(), &code);
    process_.reset();
    return static_cast<int>(code);
}

std::vector<HWND> WindowCrowd::Windows() const {
    Search search{processId_, {}};
    EnumWindows(CollectOfProcess, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool WindowCrowd::Calm() {
    if (!process_) return false;
    SetEvent(calm_.get());
    const HANDLE waits[] = {calmed_.get(), process_.get()};
    return WaitForMultipleObjects(2, waits, FALSE, 30000) == WAIT_OBJECT_0;
}

int RunCrowdProcess(int argc, wchar_t** argv) {
    if (argc != 9) return -2;
    const int count = _wtoi(argv[2]);
    const std::wstring prefix = argv[3];
    const win32::UniqueKernelHandle ready(OpenEventW(EVENT_MODIFY_STATE, FALSE, argv[4]));
    const win32::UniqueKernelHandle stop(OpenEventW(SYNCHRONIZE, FALSE, argv[5]));
    const int churnUpTo = _wtoi(argv[6]);
    const win32::UniqueKernelHandle calm(OpenEventW(SYNCHRONIZE, FALSE, argv[7]));
    const win32::UniqueKernelHandle calmed(OpenEventW(EVENT_MODIFY_STATE, FALSE, argv[8]));
    if (!ready || !stop || !calm || !calmed) return -3;

    std::vector<win32::UniqueWindow> windows;
    for (int i = 0; i < count; ++i) {
        windows.push_back(CreateFixtureWindow(prefix + L" " + std::to_wstring(i + 1), i));
        if (!windows.back()) return -4;
    }
    SetEvent(ready.get());

    // The churn runs on this thread's timer, inside its message loop, where
    // the reports of its windows are raised as Windows raises them.
    Churn churn(prefix, churnUpTo);
    const ULONGLONG start = GetTickCount64();
    UINT_PTR timer = churnUpTo > 0 ? SetTimer(nullptr, 0, 10, nullptr) : 0;
    const HANDLE waits[] = {stop.get(), calm.get()};
    for (;;) {
        const DWORD count = timer ? 2 : 1;  // the calm is waited for while churning
        const DWORD woke = MsgWaitForMultipleObjects(count, waits, FALSE, INFINITE, QS_ALLINPUT);
        if (woke == WAIT_OBJECT_0) break;
        if (woke != WAIT_OBJECT_0 + count) {  // calmed: the windows stay as they are
            KillTimer(nullptr, timer);
            timer = 0;
            SetEvent(calmed.get());
            continue;
        }
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_TIMER && message.hwnd == nullptr) {
                if (timer) churn.Tick(GetTickCount64() - start);
                // A tick that outlasts the timer's period would keep this loop
                // busy for ever: the calm is looked for after each.
                break;
            }
            DispatchMessageW(&message);
        }
    }
    return churn.Created();
}

bool Started(const WindowCrowd& crowd) {
    if (!crowd.Ready()) std::printf("the window crowd did not start\n");
    return crowd.Ready();
}

}  // namespace qov::bench
