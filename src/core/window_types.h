#pragma once
// The window system's vocabulary: handles, rectangles, show states and what
// an operation came to. Text is UTF-8 throughout.

#include <cstdint>
#include <string>

namespace qov {

// 64-bit Windows keeps window handles to 32 significant bits, sign-extended,
// so this converts to and from HWND without loss.
using WindowHandle = std::int32_t;

struct WindowRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool operator==(const WindowRect&) const = default;
};

// Show states as the window's placement reports them; Unknown when it cannot be read.
enum class ShowState { Unknown, Normal, Minimized, Maximized };

// A display monitor: its whole rectangle and the part of it that windows
// use (without the taskbar and other docked bars), its device name (e.g.
// "\\.\DISPLAY1", "" when unknown) and the DPI of its scale (96 at 100%).
struct Monitor {
    WindowRect area;
    WindowRect workArea;
    std::string device = "";  // a default keeps brace initialisers that end before it quiet
    int dpi = 96;
    bool operator==(const Monitor&) const = default;
};

// How a window is shown and where it goes when it is neither minimised nor
// maximised (for a normal window, usually its rectangle).
struct WindowPlacement {
    ShowState state = ShowState::Normal;
    WindowRect normal;
    bool operator==(const WindowPlacement&) const = default;
};

// ShowWindow's commands, with the system's values. ShowMinimizedNoActivate
// leaves the active window active; no command maximises without activating.
enum class ShowCommand : int {
    Hide = 0, ShowNormal = 1, Show = 5, Minimize = 6,
    ShowMaximized = 3, ShowMinimizedNoActivate = 7,
};

// System-menu commands sent as WM_SYSCOMMAND, with the system's values.
enum class SystemCommand : std::uint32_t {
    Size = 0xF000,
    Move = 0xF010,
    Minimize = 0xF020,
    Maximize = 0xF030,
    Close = 0xF060,
    Restore = 0xF120,
};

// Whether a window can be seen, and why not. Windows 10 and 11 keep
// WS_VISIBLE on windows that the user cannot see, which DWM calls cloaked:
// by the shell (on another virtual desktop, and parts of the shell itself),
// by the app (a suspended store app), or with a cloaked owner. Only Visible
// counts as visible.
enum class Visibility { Hidden, Visible, CloakedByShell, CloakedByApp, CloakedWithOwner };
inline bool CountsAsVisible(Visibility visibility) { return visibility == Visibility::Visible; }
inline bool IsCloaked(Visibility visibility) {
    return visibility != Visibility::Hidden && visibility != Visibility::Visible;
}

// What an operation came to, as far as the system can say. Done means the
// request was carried out or handed on: a change made asynchronously must be
// read back to know it happened. Refused: Windows denied it (an elevated
// target, for one). Hung: the target stopped answering and was left alone.
enum class Outcome { Done, Hung, Refused, Gone };

}  // namespace qov
