#pragma once
// The windows the benchmarks put on the desktop for QOV to follow. Each
// raises, right after a change, the report Windows raises for it
// (NotifyWinEvent on the window's own thread): Wine 8 raises only some
// creation reports itself, so without these the report path could not be
// measured under Wine. On Windows they come twice, which QOV takes as one.
#include <windows.h>

#include <string>

#include "win32/handles.h"

namespace qov::bench {

// A titled, visible, 200×120 top-level window at `index`'s place in a
// cascade, reported created and shown. Must be called on a thread that runs a
// message loop (the reports wait for it). Renaming it (SetWindowTextW from
// any process) reports the new name; destroying it reports it hidden and gone.
win32::UniqueWindow CreateFixtureWindow(const std::wstring& title, int index);

// The class of every fixture window, for finding them from outside.
inline constexpr wchar_t kFixtureClass[] = L"QovBenchCrowd";

}  // namespace qov::bench
