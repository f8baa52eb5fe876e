#pragma once
// Shared by the Windows tests: their entry point (in test_support.cpp), a
// window of the test's own thread and a bounded message pump.
#include <windows.h>

#include <chrono>
#include <functional>
#include <string>

#include "win32/handles.h"

namespace qov::test {

using namespace std::chrono_literals;

// A plain overlapped window at (100,100), 300 x 200, not yet shown.
win32::UniqueWindow CreateTestWindow(const std::wstring& title);

// Runs this thread's messages until `done` holds; false if it still does not after `limit`.
bool PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds limit = 5s);

}  // namespace qov::test
