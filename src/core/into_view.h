#pragma once
// Bringing a window into view: the monitor a rectangle belongs to, whether it
// lies within that monitor's work area, and the least move that puts it
// there. Coordinates left of or above the primary monitor are ordinary:
// monitors can lie there.

#include <optional>
#include <span>

#include "core/window_operations.h"

namespace qov {

// Coordinates beyond this (in either direction) are not a place on any
// screen: a hand-written layout's junk, or a window that put itself there.
inline constexpr int kLargestCoordinate = 100000;
bool WithinReach(const WindowRect& rect);

// The monitor Windows calls nearest to `rect` (MonitorFromRect with
// MONITOR_DEFAULTTONEAREST): the one whose whole rectangle shares the largest
// area with it, else the one at the least distance; the first of equals.
// Null without monitors.
const Monitor* NearestMonitor(const WindowRect& rect, std::span<const Monitor> monitors);

bool LiesWithin(const WindowRect& rect, const WindowRect& area);

// `rect` moved the least distance to lie wholly inside `area`, first cut down
// to the area's width or height where it is larger.
WindowRect FitWithin(const WindowRect& rect, const WindowRect& area);

// `rect` fitted within the work area of its nearest monitor: the monitor is
// chosen by its whole rectangle, as Windows chooses it, but a window is only
// in view when it also keeps clear of the taskbar and the other docked bars.
// `rect` itself when it is in view already, when it covers its whole monitor
// (a full-screen window), or when there is no monitor.
WindowRect IntoView(const WindowRect& rect, std::span<const Monitor> monitors);

// How far a window's outer rectangle reaches past its drawn frame on each
// side. A window snapped to a side of the screen, or flush with an edge, has
// its invisible borders outside the work area yet is wholly in view.
struct InvisibleBorders {
    int left = 0, top = 0, right = 0, bottom = 0;
    bool operator==(const InvisibleBorders&) const = default;
};
// Each side between 0 and kWidestInvisibleBorder: no frame reaches further.
InvisibleBorders BordersBetween(const WindowRect& outer, const WindowRect& frame);
inline constexpr int kWidestInvisibleBorder = 64;

// The outer rectangle whose drawn frame is IntoView of the frame.
WindowRect IntoView(const WindowRect& outer, const InvisibleBorders& borders,
                    std::span<const Monitor> monitors);

// The window's show state and where it rests: for a normal window its outer
// rectangle, for a minimised or maximised one where it goes when restored.
// Nothing when the window is gone, the system will not say, or the place is
// beyond reach.
std::optional<WindowPlacement> RestingPlacement(WindowSystem& windows, WindowHandle window);

// A placement's workspace coordinates start at the corner of the monitor's
// work area where screen coordinates start at the corner of the monitor:
// they differ when a bar is docked at the monitor's left or top.
WindowRect WorkspaceToScreen(const WindowRect& rect, const Monitor& monitor);
WindowRect ScreenToWorkspace(const WindowRect& rect, const Monitor& monitor);

}  // namespace qov
