#pragma once
// The windows qovc reports and acts on: the desktop read in full, narrowed by
// the selectors.

#include <string>

#include "core/cli_arguments.h"
#include "core/settings.h"
#include "core/window_model.h"
#include "core/window_protection.h"

namespace qov::cli {

// The list's status words: QOV's status column, in ASCII.
const char* StatusWord(WindowStatus status);

// Equal but for letter case (and, on Windows, character width).
bool SameNameAnyCase(TitleMatch contains, const std::string& a, const std::string& b);

bool Matches(const Selectors& selectors, const WindowRecord& window, TitleMatch contains);

// QOV's own windows for qovc: every window of qovc's process and of a process
// with a window of QOV's classes (its message boxes are the system's
// "#32770"), and the console qovc runs in with the windows of the terminal
// that hosts it.
using qov::OwnWindows;

// The windows the list would show with `settings` (every top-level window when
// `unfiltered`), in the window system's order, read in full. Adds to `own`
// the processes of QOV's windows, listed or not.
Snapshot CollectWindows(WindowReads& windows, const Settings& settings, TitleMatch contains,
                        bool unfiltered, OwnWindows& own);
// Those of them that the selectors match.
Snapshot MatchingWindows(WindowReads& windows, const Settings& settings, TitleMatch contains,
                         const Selectors& selectors, bool unfiltered, OwnWindows& own);

}  // namespace qov::cli
