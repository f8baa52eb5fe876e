#include "wait.h"

#include <windows.h>

namespace qov::e2e {
namespace {

// The test thread owns no windows, but a system component may have given it
// a hidden one; keeping its queue empty keeps senders from blocking on it.
void DispatchPendingMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

}  // namespace

bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        if (condition()) return true;
        if (std::chrono::steady_clock::now() >= deadline) return false;
        DispatchPendingMessages();
        Sleep(50);
    }
}

}  // namespace qov::e2e
