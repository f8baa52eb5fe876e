#pragma once
// Waiting for something another process will do. QOV refreshes on a timer and
// the machine is slow, so every wait polls a condition under a generous limit
// instead of sleeping for a guessed time.
#include <chrono>
#include <functional>

namespace qov::e2e {

// Long enough for several refresh cycles of a loaded two-core machine.
inline constexpr std::chrono::milliseconds kLongWait{15000};

// Checks `condition` every 50 ms, dispatching this thread's messages in
// between, until it holds (true) or `timeout` has passed (false).
bool WaitUntil(const std::function<bool()>& condition,
               std::chrono::milliseconds timeout = kLongWait);

}  // namespace qov::e2e
