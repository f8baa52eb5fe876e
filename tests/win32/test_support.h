#pragma once
// Shared by the Windows tests: the test program's entry point (in
// test_support.cpp), windows of the test's own thread, and fixture windows
// owned by a thread of their own, as other programs' windows are.
#include <windows.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <string>
#include <thread>

#include "win32/handles.h"

namespace qov::test {

using namespace std::chrono_literals;

// A plain overlapped window at (100,100), 300 x 200, not yet shown.
win32::UniqueWindow CreateTestWindow(const std::wstring& title);

// Runs this thread's messages until `done` holds; false if it still does not after `limit`.
bool PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds limit = 5s);

// A shown window whose own thread runs its messages.
class FixtureThread {
public:
    // AsksBeforeClosing answers SC_CLOSE with a modal box captioned
    // kQuestionCaption first, as an editor with unsaved text does.
    enum class Kind { Plain, AsksBeforeClosing };
    static constexpr const wchar_t* kQuestionCaption = L"QOV fixture question";

    explicit FixtureThread(Kind kind = Kind::Plain);
    ~FixtureThread();

    HWND window() const { return window_; }
    // Returns once the thread has stopped taking messages, for `duration`.
    void Hang(std::chrono::milliseconds duration);

private:
    void Run(Kind kind);

    std::atomic<HWND> window_{nullptr};
    std::atomic<DWORD> threadId_{0};
    std::atomic<DWORD> hangMs_{0};
    std::atomic<bool> finished_{false};
    std::thread thread_;
};

}  // namespace qov::test
