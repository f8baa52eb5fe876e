#pragma once
// The windows no command of QOV or qovc ever acts on: QOV's own (closing
// or hiding them would strand the user without QOV), and the shell's (closing
// the desktop asks Windows to shut down, hiding the taskbar takes it away).
// Both may be listed; neither is touched.

#include <cstdint>
#include <optional>
#include <span>
#include <set>
#include <string_view>

#include "core/window_reads.h"

namespace qov {

// QOV's own windows: every window of these processes, and these windows.
struct OwnWindows {
    std::set<std::uint32_t> processes;
    std::set<WindowHandle> windows;
    bool Contains(WindowHandle window, std::uint32_t processId) const {
        return processes.contains(processId) || windows.contains(window);
    }
};

// The class names of QOV's windows start with this.
inline constexpr std::string_view kOwnClassPrefix = "QOV.";

enum class Protection { None, Own, Shell };

// The shell's top-level windows, by class: the desktop, the taskbars, the
// tray's overflow and the task switcher.
bool IsShellClass(std::string_view className);

Protection ProtectionOf(WindowHandle window, std::string_view className, std::uint32_t processId,
                        const OwnWindows& own);
// The same, read through the window system.
Protection ProtectionOf(WindowReads& windows, WindowHandle window, const OwnWindows& own);

// A process above qovc in the chain of processes that started it.
struct AncestorProcess {
    std::uint32_t id = 0;
    bool hasShownWindow = false;  // a top-level window on screen
};

// The terminal qovc's console lives in, when the console's window says
// nothing of it: Windows Terminal (and other terminals on a pseudo console)
// gives the console a hidden stand-in window, not always owned by the
// terminal's window. The terminal then is the nearest process above qovc with
// a window on screen (a shell started in it has none). Nothing when the
// console's window is on screen (it is the terminal) or there is no console.
std::optional<std::uint32_t> HostingTerminal(bool hasConsoleWindow, bool consoleWindowShown,
                                             std::span<const AncestorProcess> ancestors);

// Why nothing was done, for a box or a line of output; "" for None.
const char* ProtectionReason(Protection protection);

}  // namespace qov
