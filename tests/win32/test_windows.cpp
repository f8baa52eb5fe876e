#include "win32/test_windows.h"

#include <chrono>

namespace qov::test {
namespace {

constexpr wchar_t kTestWindowClass[] = L"QovTestWindow";

// A hung window must not hang the test run for good: it recovers after this.
constexpr DWORD kLongestHangMs = 20000;

void RegisterTestWindowClass() {
    WNDCLASSEXW window_class = {};
    window_class.cbSize = sizeof(window_class);
    window_class.lpfnWndProc = DefWindowProcW;
    window_class.hInstance = GetModuleHandleW(nullptr);
    window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    window_class.lpszClassName = kTestWindowClass;
    RegisterClassExW(&window_class);  // fails harmlessly once registered
}

bool IsSignalled(HANDLE event) { return WaitForSingleObject(event, 0) == WAIT_OBJECT_0; }

}  // namespace

win32::unique_hwnd CreateTestWindow(const std::wstring& title) {
    RegisterTestWindowClass();
    return win32::unique_hwnd{CreateWindowExW(0, kTestWindowClass, title.c_str(),
                                              WS_OVERLAPPEDWINDOW, 100, 100, 300, 200, nullptr,
                                              nullptr, GetModuleHandleW(nullptr), nullptr)};
}

bool PumpUntil(const std::function<bool()>& done) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return true;
}

WindowThread::WindowThread(Start start)
    : created_(CreateEventW(nullptr, TRUE, FALSE, nullptr)),
      released_(CreateEventW(nullptr, TRUE, FALSE, nullptr)),
      thread_([this, start] { Run(start); }) {
    // Showing the new window may need an answer from this thread's windows.
    PumpUntil([this] { return IsSignalled(created_.get()); });
}

WindowThread::~WindowThread() {
    Release();
    PumpUntil([this] { return thread_id_ != 0 || finished_; });
    PostThreadMessageW(thread_id_, WM_QUIT, 0, 0);
    PumpUntil([this] { return finished_.load(); });
    thread_.join();
}

void WindowThread::Release() { SetEvent(released_.get()); }

void WindowThread::Run(Start start) {
    {
        win32::unique_hwnd window = CreateTestWindow(L"QOV test window of another thread");
        ShowWindow(window.get(), SW_SHOWNOACTIVATE);
        window_ = window.get();
        thread_id_ = GetCurrentThreadId();
        SetEvent(created_.get());

        if (start == Start::Hung) WaitForSingleObject(released_.get(), kLongestHangMs);
        pumping_ = true;
        MSG message;
        while (GetMessageW(&message, nullptr, 0, 0) > 0) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    finished_ = true;
}

}  // namespace qov::test
