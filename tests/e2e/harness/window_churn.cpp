#include "window_churn.h"

#include <random>

#include "wait.h"

namespace qov::e2e {
namespace {

constexpr wchar_t kChurnClass[] = L"QovE2eChurn";

bool RegisterChurnClass() {
    WNDCLASSEXW window_class{};
    window_class.cbSize = sizeof(window_class);
    window_class.lpfnWndProc = DefWindowProcW;
    window_class.hInstance = GetModuleHandleW(nullptr);
    window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    window_class.lpszClassName = kChurnClass;
    return RegisterClassExW(&window_class) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace

struct WindowChurn::Worker {
    int index = 0;
    mutable std::mutex mutex;
    std::map<HWND, std::wstring> windows;  // guarded by mutex
    std::thread thread;
};

WindowChurn::WindowChurn(int windows, int threads) : expected_(windows) {
    RegisterChurnClass();
    for (int t = 0; t < threads; ++t) {
        auto worker = std::make_unique<Worker>();
        worker->index = t;
        const int share = windows / threads + (t < windows % threads ? 1 : 0);
        Worker& w = *worker;
        workers_.push_back(std::move(worker));
        w.thread = std::thread([this, &w, share] { Run(w, share); });
    }
    WaitUntil([this] { return ready(); }, std::chrono::seconds(60));
}

WindowChurn::~WindowChurn() {
    Stop();
    ending_ = true;
    for (const auto& worker : workers_) worker->thread.join();
}

bool WindowChurn::ready() const { return created_.load() >= expected_; }

void WindowChurn::Start() { churning_ = true; }

void WindowChurn::Stop() {
    churning_ = false;
    WaitUntil([this] { return busy_.load() == 0; });
}

std::map<HWND, std::wstring> WindowChurn::Windows() const {
    std::map<HWND, std::wstring> all;
    for (const auto& worker : workers_) {
        std::lock_guard lock(worker->mutex);
        all.insert(worker->windows.begin(), worker->windows.end());
    }
    return all;
}

void WindowChurn::Run(Worker& worker, int windows) {
    std::mt19937 random(1234u + static_cast<unsigned>(worker.index));
    int serial = 0;
    auto create = [&] {
        const std::wstring title =
            L"Churn Window " + std::to_wstring(worker.index) + L"-" + std::to_wstring(++serial);
        const int x = static_cast<int>(random() % 700);
        const int y = static_cast<int>(random() % 500);
        const HWND window =
            CreateWindowExW(0, kChurnClass, title.c_str(), WS_OVERLAPPEDWINDOW, x, y, 220, 140,
                            nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        if (window == nullptr) return;
        ShowWindow(window, SW_SHOWNOACTIVATE);
        std::lock_guard lock(worker.mutex);
        worker.windows.emplace(window, title);
    };
    auto pick = [&] {
        std::lock_guard lock(worker.mutex);
        auto it = worker.windows.begin();
        std::advance(it, random() % worker.windows.size());
        return it->first;
    };
    for (int i = 0; i < windows; ++i) create();
    created_ += windows;

    while (!ending_) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
        ++busy_;
        if (churning_ && !worker.windows.empty()) {
            // Destroy one and create one, or rename one: the count holds steady.
            switch (random() % 3) {
                case 0: {
                    const HWND gone = pick();
                    {
                        std::lock_guard lock(worker.mutex);
                        worker.windows.erase(gone);
                    }
                    DestroyWindow(gone);
                    create();
                    break;
                }
                default: {
                    const HWND renamed = pick();
                    const std::wstring title = L"Churn Renamed " + std::to_wstring(worker.index) +
                                               L"-" + std::to_wstring(++serial);
                    SetWindowTextW(renamed, title.c_str());
                    std::lock_guard lock(worker.mutex);
                    worker.windows[renamed] = title;
                    break;
                }
            }
            ++changes_;
        }
        --busy_;
        Sleep(churning_ ? 5 : 20);
    }
    std::lock_guard lock(worker.mutex);
    for (const auto& [window, title] : worker.windows) DestroyWindow(window);
    worker.windows.clear();
}

}  // namespace qov::e2e
