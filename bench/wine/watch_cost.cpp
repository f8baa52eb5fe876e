// What `qovc watch` costs while nothing changes: 200 windows of another
// process stand still for a minute while qovc (beside the QOV_EXE under
// test) follows every window with `--detect` as given (events: sleeping until
// reports come and reading the whole desktop every 10 s; scan: every 1 s).
// Its lines go to NUL. Its CPU time and the wineserver's over the minute.
#include "benchmarks.h"

#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "process_cpu.h"
#include "qov_under_test.h"
#include "stopwatch.h"
#include "window_crowd.h"

namespace qov::bench {
namespace {

constexpr int kWindows = 200;
constexpr DWORD kSettleMs = 3000;
constexpr DWORD kMeasureMs = 60000;

// qovc.exe with its output to NUL, ended when this goes.
class QovcUnderTest {
public:
    explicit QovcUnderTest(std::wstring arguments) {
        const std::wstring exe = ProgramBesideQov(L"qovc.exe");
        SECURITY_ATTRIBUTES inherited{sizeof(inherited), nullptr, TRUE};
        nul_.reset(CreateFileW(L"NUL", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                               &inherited, OPEN_EXISTING, 0, nullptr));
        if (nul_.get() == INVALID_HANDLE_VALUE) nul_.release();
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = startup.hStdOutput = startup.hStdError = nul_.get();
        PROCESS_INFORMATION started{};
        std::wstring commandLine = L"\"" + exe + L"\" " + arguments;
        if (!nul_ || !CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW,
                                     nullptr, nullptr, &startup, &started)) {
            return;
        }
        CloseHandle(started.hThread);
        process_.reset(started.hProcess);
        id_ = started.dwProcessId;
    }
    ~QovcUnderTest() {
        if (process_ && Running()) {
            TerminateProcess(process_.get(), 1);
            WaitForSingleObject(process_.get(), 5000);
        }
    }
    QovcUnderTest(const QovcUnderTest&) = delete;
    QovcUnderTest& operator=(const QovcUnderTest&) = delete;

    bool Started() const { return id_ != 0; }
    DWORD Id() const { return id_; }
    bool Running() const { return WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT; }
    DWORD ExitCode() const {
        DWORD code = 0;
        GetExitCodeProcess(process_.get(), &code);
        return code;
    }
    double MemoryMb() const {
        PROCESS_MEMORY_COUNTERS memory{};
        return GetProcessMemoryInfo(process_.get(), &memory, sizeof(memory)) ? memory.PagefileUsage / 1048576.0
                                                                            : 0;
    }

private:
    win32::UniqueKernelHandle nul_, process_;
    DWORD id_ = 0;
};

}  // namespace

void RunWatchCost(const std::wstring& detect) {
    const std::wstring how = detect.empty() ? L"auto" : detect;
    std::printf("\n== qovc watch --detect %ls with %d unchanging windows, %lu s\n", how.c_str(), kWindows,
                kMeasureMs / 1000);
    WindowCrowd crowd(kWindows, L"Watched Window");
    if (!Started(crowd)) return;
    QovcUnderTest qovc(L"watch --detect " + how);
    if (!qovc.Started()) {
        std::wprintf(L"qovc.exe did not start: \"%ls\"\n", ProgramBesideQov(L"qovc.exe").c_str());
        return;
    }
    Sleep(kSettleMs);  // its first full read and, with auto, its finding out
    if (!qovc.Running()) {
        std::printf("  qovc.exe ended at once with exit code %lu (a version without watch)\n", qovc.ExitCode());
        return;
    }
    const char* server = std::getenv("QOV_WINESERVER_PID");
    const double memoryBefore = qovc.MemoryMb();
    const double before = ThreadTimesMs(qovc.Id());
    const double serverBefore = UnixProcessMs(server);
    const double start = NowMs();
    Sleep(kMeasureMs);
    const double elapsed = NowMs() - start;
    const double used = ThreadTimesMs(qovc.Id()) - before;
    const double serverUsed = UnixProcessMs(server) - serverBefore;
    std::printf("  qovc.exe threads: %.0f ms CPU in %.1f s = %.2f %% of one core%s\n", used, elapsed / 1000,
                100.0 * used / elapsed, qovc.Running() ? "" : " (it ENDED meanwhile)");
    if (serverBefore >= 0 && serverUsed >= 0) {
        std::printf("  wineserver (whole prefix, same minute): %.0f ms CPU = %.2f %% of one core\n", serverUsed,
                    100.0 * serverUsed / elapsed);
    }
    std::printf("  qovc.exe memory %.1f MB before, %.1f MB after\n", memoryBefore, qovc.MemoryMb());
}

}  // namespace qov::bench
