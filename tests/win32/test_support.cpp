#include "win32/test_support.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <thread>

namespace qov::test {

win32::UniqueWindow CreateTestWindow(const std::wstring& title, const wchar_t* className) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = ::DefWindowProcW;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.lpszClassName = className;
    ::RegisterClassW(&windowClass);  // fails harmlessly once registered
    return win32::UniqueWindow{::CreateWindowExW(0, windowClass.lpszClassName, title.c_str(),
                                                 WS_OVERLAPPEDWINDOW, 100, 100, 300, 200, nullptr,
                                                 nullptr, windowClass.hInstance, nullptr)};
}

bool PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    for (MSG message; !done(); ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT)) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&message);
    }
    return true;
}

namespace {

// Windows reports a window shown; under Wine the window reports it, from its
// message loop (a report raised before the loop runs is lost).
constexpr UINT kReportShown = WM_APP + 1;

LRESULT CALLBACK OtherThreadProc(HWND window, UINT message, WPARAM w, LPARAM l) {
    if (message == kReportShown) ::NotifyWinEvent(EVENT_OBJECT_SHOW, window, OBJID_WINDOW, CHILDID_SELF);
    if (message == kHang) ::Sleep(static_cast<DWORD>(w));
    if (message == WM_SYSCOMMAND) {
        PumpUntil([window] { return !::IsWindow(window); },
                  std::chrono::milliseconds(::GetWindowLongPtrW(window, GWLP_USERDATA)));
        if (!::IsWindow(window)) return ::PostQuitMessage(0), 0;  // closed meanwhile: its quit was taken above
    }
    if (message == WM_DESTROY) {
        // Wine reports no window's end; Windows does, as here.
        ::NotifyWinEvent(EVENT_OBJECT_DESTROY, window, OBJID_WINDOW, CHILDID_SELF);
        ::PostQuitMessage(0);
    }
    return ::DefWindowProcW(window, message, w, l);
}

}  // namespace

OtherThreadWindow::OtherThreadWindow(const wchar_t* title, int show, std::chrono::milliseconds asksFor,
                                     const wchar_t* className)
    : thread_([=, this] {
          const HWND window = CreateTestWindow(title, className).release();  // it lives until it is closed
          if (!window) return;  // the wait below gives up
          ::SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(OtherThreadProc));
          ::SetWindowLongPtrW(window, GWLP_USERDATA, static_cast<LONG_PTR>(asksFor.count()));
          ::ShowWindow(window, show);
          if (show != SW_HIDE) ::PostMessageW(window, kReportShown, 0, 0);
          window_ = window;
          for (MSG message; ::GetMessageW(&message, nullptr, 0, 0) > 0;) ::DispatchMessageW(&message);
      }) {
    // Creating and showing it may need answers from this thread's windows.
    PumpUntil([this] { return window_ != nullptr; });
}

OtherThreadWindow::~OtherThreadWindow() {
    ::PostMessageW(window_, WM_CLOSE, 0, 0);  // fails once it has closed, and its thread ended
    thread_.join();
}

}  // namespace qov::test

namespace {

// The programs run inside a Wine virtual desktop, whose exit status is always
// 0, so the result also goes to the file named by QOV_RESULT_FILE.
void WriteResultFile(int result) {
    if (const char* path = std::getenv("QOV_RESULT_FILE")) std::ofstream(path) << result << '\n';
}

// Each test's time limit, far above what any test needs; the run ends when one outlasts it.
std::atomic<ULONGLONG> testDeadline{~0ULL};
struct TestTimeLimit final : testing::EmptyTestEventListener {
    void OnTestStart(const testing::TestInfo&) override { testDeadline = GetTickCount64() + 60000; }
    void OnTestEnd(const testing::TestInfo&) override { testDeadline = ~0ULL; }
};

}  // namespace

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    testing::UnitTest::GetInstance()->listeners().Append(new TestTimeLimit);
    std::thread([] {
        while (::GetTickCount64() < testDeadline) ::Sleep(500);
        // On stdout: the wrapper drops stderr.
        std::printf("FAILED: the running test outlasted its time limit\n");
        std::fflush(stdout);
        WriteResultFile(1);
        std::_Exit(1);
    }).detach();
    const int result = RUN_ALL_TESTS();
    std::fflush(stdout);
    WriteResultFile(result);
    return result;
}
