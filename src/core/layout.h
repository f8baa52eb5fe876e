#pragma once
// A saved layout: each window's placement and topmost state with what
// identifies it, its stored text form, and how saved entries find their
// windows again.
//
// The store holds "Format" (1), "Count" (N) and "Window1".."WindowN", each
// entry one line of named fields, e.g.
//   handle=65814;state=normal;normal=-1200,80,-400,680;topmost=0;class=Notepad;title=a%3Bb;image=C:\Windows\notepad.exe
// and, for a window with invisible borders, ";borders=7,0,7,7" (none when missing).
// A minimised or maximised window whose normal place the system would not tell
// is saved with "normal=unknown": its show state is put back, its place is
// left as it is. A normal window's place is always known. (Versions before
// this one skip such an entry.)
// The window's monitor follows where known: its device name and the DPI of
// its scale, e.g. ";monitor=\\.\DISPLAY2;dpi=144" (each optional), so that a
// window restored at another DPI keeps its size in the user's terms.
// Texts escape '%', ';', '=' and control characters as %XX (UTF-8 bytes).
// Unknown fields are ignored, so a later version can add some; an entry with
// a field missing or unreadable, or a rectangle no screen could hold, is
// skipped.

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/into_view.h"
#include "core/text_store.h"
#include "core/window_types.h"

namespace qov {


struct WindowIdentity {
    WindowHandle handle = 0;
    std::string className;
    std::string title;
    std::string imagePath;  // "" when Windows would not say
    bool operator==(const WindowIdentity&) const = default;
};

struct LayoutEntry {
    WindowIdentity identity;
    ShowState state = ShowState::Normal;  // Normal, Minimized or Maximized
    // Where it goes when neither minimised nor maximised, in screen
    // coordinates; nothing when not known (never for a normal window).
    std::optional<WindowRect> normal;
    bool topmost = false;
    // Measured while the window was normal: it may be minimised when restored.
    InvisibleBorders borders;
    std::string monitor = "";  // its monitor's device name; "" when not known
    int dpi = 0;          // that monitor's DPI; 0 when not known
    bool operator==(const LayoutEntry&) const = default;
};

// DPIs a stored entry may hold (scales from 50% to 1000%).
inline constexpr int kLowestDpi = 48, kHighestDpi = 960;

std::string FormatLayoutEntry(const LayoutEntry& entry);
std::optional<LayoutEntry> ParseLayoutEntry(std::string_view text);

// Replaces whatever layout the store held with the entries that can be read
// back (a window of no size cannot). How many were saved, as read back from
// the store; nothing when the store did not keep them.
std::optional<std::size_t> SaveLayout(TextStore& store, std::span<const LayoutEntry> entries);
// The readable entries in their saved order (at most kMaxWindows).
std::vector<LayoutEntry> LoadLayout(TextStore& store);

// The entry's normal rectangle (which it must have) with its size scaled
// from its saved DPI to that of the monitor it goes to, its top left corner
// kept: the monitor of the same device name when there is one today, else
// the one the rectangle lies on. Unchanged when the saved DPI is unknown.
WindowRect ScaledToMonitor(const LayoutEntry& entry, std::span<const Monitor> monitors);

// For each entry, the index of the candidate window it belongs to, or nothing.
// Each rule is tried for every entry before the next rule, and a window goes
// to one entry at most:
//  1. the same handle, when that window has the same class and process image
//     (a handle can be reused by another program);
//  2. else the first window not yet taken with the same process image, class
//     and title;
//  3. else the only window of that process image and class, when not yet taken.
// Rules 2 and 3 need a known process image.
std::vector<std::optional<std::size_t>> MatchLayout(std::span<const LayoutEntry> entries,
                                                    std::span<const WindowIdentity> candidates);

}  // namespace qov
