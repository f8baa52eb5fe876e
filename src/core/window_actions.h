#pragma once
// qovc's actions on one window: the same operations as QOV's menus, and what
// became of each, read back from the window where the system cannot say.

#include <chrono>
#include <functional>

#include "core/cli_arguments.h"
#include "core/window_selection.h"

namespace qov::cli {

enum class Result {
    Done,
    Hung,       // did not answer: nothing was asked of it
    Stalled,    // stopped answering while asked: it may still carry the change out later
    Refused,    // Windows denied it (an elevated window, for one)
    Gone,       // the window no longer exists
    Unchanged,  // the window answers, but is not as asked (it declined to close, say)
    Cloaked,    // not as asked, and not to be seen here: on another virtual desktop, or a suspended app
};
const char* ResultWord(Result result);     // "done", "hung", ... for scripts
const char* ResultMessage(Result result, Command command);  // the same, in Japanese

// Lets time pass while a change made asynchronously reaches its window.
using Pause = std::function<void(std::chrono::milliseconds)>;

// How long a change is given to show before the window is asked whether it
// still answers: checks, and the pause between them.
inline constexpr int kReadBackChecks = 30;
inline constexpr std::chrono::milliseconds kReadBackPause{50};

class WindowActions {
public:
    WindowActions(WindowSystem& windows, Pause pause) : windows_(windows), pause_(std::move(pause)) {}

    // Carries out the request's action (an action command) on `window`.
    Result Carry(const Request& request, const WindowRecord& window);

private:
    Outcome Ask(const Request& request, WindowHandle window, const WindowPlacement& wanted);
    bool HasTakenEffect(const Request& request, WindowHandle window, const WindowPlacement& wanted);

    WindowSystem& windows_;
    Pause pause_;
};

// What the action will do, in Japanese ("最小化します"), for --dry-run.
std::string ActionDescription(const Request& request);

}  // namespace qov::cli
