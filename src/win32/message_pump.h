#pragma once
// The one place where this thread's messages are run: the program's message
// loop, the refresh's yield and a command's wait for another window all take
// them through here, so each of them handles keys the same way.
#include <windows.h>

#include <functional>
#include <optional>

namespace qov::win32 {

// What the program does with a message before it is dispatched (shortcut
// keys, dialog keys): true when that has handled it.
using PreTranslate = std::function<bool(MSG&)>;

// Runs the messages waiting for this thread: each goes through
// `preTranslate`, then is translated and dispatched. `only` limits what is
// taken (PeekMessageW's PM_QS_ flags; 0 takes everything). Once WM_QUIT is
// taken it returns the exit code, and posts the quit again so that every loop
// further out ends as well.
std::optional<int> RunPendingMessages(const PreTranslate& preTranslate, UINT only = 0);

}  // namespace qov::win32
