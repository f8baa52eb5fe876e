#pragma once
// Top-level windows that keep coming, going and changing their titles, the
// way a busy desktop's do: a few threads of the test, each owning a share of
// the windows and changing one of them every few milliseconds.
#include <windows.h>

#include <atomic>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace qov::e2e {

class WindowChurn {
public:
    // `windows` windows in all, spread over `threads` threads, all created
    // before the constructor returns; no change happens until Start().
    WindowChurn(int windows, int threads);
    // Destroys every window and ends the threads.
    ~WindowChurn();
    WindowChurn(const WindowChurn&) = delete;
    WindowChurn& operator=(const WindowChurn&) = delete;

    bool ready() const;
    void Start();
    // Stops changing windows (they stay, their threads keep answering) and
    // returns once no change is in progress.
    void Stop();

    // The windows that exist now with their titles.
    std::map<HWND, std::wstring> Windows() const;
    // Windows created, destroyed and renamed so far.
    long Changes() const { return changes_.load(); }

private:
    struct Worker;
    void Run(Worker& worker, int windows);

    std::vector<std::unique_ptr<Worker>> workers_;
    std::atomic<bool> churning_{false};
    std::atomic<bool> ending_{false};
    std::atomic<long> changes_{0};
    std::atomic<int> busy_{0};
    std::atomic<int> created_{0};
    int expected_ = 0;
};

}  // namespace qov::e2e
