#include "win32/test_support.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>

namespace qov::test {
namespace {

constexpr wchar_t kWindowClass[] = L"QovTestWindow";

// A window whose user data is set asks before it closes.
LRESULT CALLBACK TestWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_CLOSE &&
        ::GetWindowLongPtrW(window, GWLP_USERDATA) != 0) {
        ::MessageBoxW(window, L"変更を保存しますか?", FixtureThread::kQuestionCaption, MB_OK);
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

win32::UniqueWindow CreateTestWindow(const std::wstring& title) {
    WNDCLASSEXW windowClass = {};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = TestWindowProc;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.lpszClassName = kWindowClass;
    ::RegisterClassExW(&windowClass);  // fails harmlessly once registered
    return win32::UniqueWindow{::CreateWindowExW(0, kWindowClass, title.c_str(),
                                                 WS_OVERLAPPEDWINDOW, 100, 100, 300, 200, nullptr,
                                                 nullptr, ::GetModuleHandleW(nullptr), nullptr)};
}

bool PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        MSG message;
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&message);
            ::DispatchMessageW(&message);
        }
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return true;
}

FixtureThread::FixtureThread(Kind kind) : thread_([this, kind] { Run(kind); }) {
    // Showing the new window may need an answer from this thread's windows.
    PumpUntil([this] { return window_ != nullptr; });
}

FixtureThread::~FixtureThread() {
    ::PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
    PumpUntil([this] { return finished_.load(); }, 30s);
    thread_.join();
}

void FixtureThread::Hang(std::chrono::milliseconds duration) {
    hangMs_ = static_cast<DWORD>(duration.count());
    ::PostMessageW(window_, WM_NULL, 0, 0);
    while (hangMs_ != 0) ::Sleep(1);
}

void FixtureThread::Run(Kind kind) {
    {
        win32::UniqueWindow window = CreateTestWindow(L"QOV fixture window");
        ::SetWindowLongPtrW(window.get(), GWLP_USERDATA, kind == Kind::AsksBeforeClosing);
        ::ShowWindow(window.get(), SW_SHOWNOACTIVATE);
        threadId_ = ::GetCurrentThreadId();
        window_ = window.get();
        MSG message;
        while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
            ::TranslateMessage(&message);
            ::DispatchMessageW(&message);
            if (const DWORD hangMs = hangMs_.exchange(0)) ::Sleep(hangMs);
        }
    }
    finished_ = true;
}

}  // namespace qov::test

namespace {

// The programs run inside a Wine virtual desktop, whose exit status is always
// 0, so the result also goes to the file named by QOV_RESULT_FILE.
void WriteResultFile(int result) {
    if (const char* path = std::getenv("QOV_RESULT_FILE")) std::ofstream(path) << result << '\n';
}

// Ends the run when a test outlasts its time limit, far above what any test needs.
struct TestTimeLimit final : testing::EmptyTestEventListener {
    void OnTestStart(const testing::TestInfo&) override { deadline = ::GetTickCount64() + 60000; }
    void OnTestEnd(const testing::TestInfo&) override { deadline = ~0ULL; }
    std::atomic<ULONGLONG> deadline{~0ULL};
};

}  // namespace

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    static TestTimeLimit timeLimit;  // the watcher below may outlive main
    testing::UnitTest::GetInstance()->listeners().Append(&timeLimit);
    std::thread([] {
        while (::GetTickCount64() < timeLimit.deadline) ::Sleep(500);
        // On stdout: the wrapper drops stderr.
        std::printf("FAILED: the running test outlasted its time limit\n");
        std::fflush(stdout);
        WriteResultFile(1);
        std::_Exit(1);
    }).detach();
    const int result = RUN_ALL_TESTS();
    testing::UnitTest::GetInstance()->listeners().Release(&timeLimit);
    std::fflush(stdout);
    WriteResultFile(result);
    return result;
}
