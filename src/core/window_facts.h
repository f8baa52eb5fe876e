#pragma once
// One window as qovc reports it, read through the window system, and the
// selectors' verdict on it.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/cli_arguments.h"
#include "core/ports.h"
#include "core/settings.h"
#include "core/window_protection.h"

namespace qov::cli {

// The list's status words: QOV's status column, in ASCII.
enum class Status { Normal, Minimized, Maximized, Hidden };
const char* StatusWord(Status status);

struct WindowFacts {
    WindowHandle handle = 0;
    std::string title;
    Status status = Status::Normal;
    bool active = false;  // the foreground window
    bool topmost = false;
    bool cloaked = false;
    WindowRect rect;
    std::string className;
    std::uint32_t processId = 0;
    std::string process;  // the image's file name; "" when Windows will not say
};

// Nothing when the window is gone, or its state can no longer be read (on
// Windows only a window that has gone cannot be read).
std::optional<WindowFacts> ReadFacts(WindowSystem& windows, WindowHandle window,
                                     WindowHandle foreground);

// "C:\\Windows\\notepad.exe" gives "notepad.exe".
std::string FileNameOf(const std::string& path);

// Equal but for letter case (and, on Windows, character width).
bool SameNameAnyCase(const std::string& a, const std::string& b);

bool Matches(const Selectors& selectors, const WindowFacts& window);

// QOV's own windows for qovc: every window of qovc's process and of a process
// with a window of QOV's classes (its message boxes are the system's
// "#32770"), and the console qovc runs in with the windows of the terminal
// that hosts it.
using qov::OwnWindows;

// The windows the list would show with `settings` (every top-level window when
// `unfiltered`), in the window system's order, with their facts. Adds to `own`
// the processes of QOV's windows, listed or not.
std::vector<WindowFacts> CollectWindows(WindowSystem& windows, const Settings& settings,
                                        bool unfiltered, OwnWindows& own);

}  // namespace qov::cli
