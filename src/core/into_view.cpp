#include "core/into_view.h"

#include <algorithm>
#include <cstdint>
#include <utility>

namespace qov {
namespace {

std::int64_t Width(const WindowRect& r) { return std::max<std::int64_t>(0, std::int64_t{r.right} - r.left); }
std::int64_t Height(const WindowRect& r) { return std::max<std::int64_t>(0, std::int64_t{r.bottom} - r.top); }

std::int64_t SharedArea(const WindowRect& a, const WindowRect& b) {
    const WindowRect shared{std::max(a.left, b.left), std::max(a.top, b.top),
                            std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
    return Width(shared) * Height(shared);
}

// The gap along one axis between [aLow, aHigh) and [bLow, bHigh); 0 where they overlap.
std::int64_t Gap(int aLow, int aHigh, int bLow, int bHigh) {
    return std::max<std::int64_t>({0, std::int64_t{aLow} - bHigh, std::int64_t{bLow} - aHigh});
}

std::int64_t SquaredDistance(const WindowRect& a, const WindowRect& b) {
    const std::int64_t dx = Gap(a.left, a.right, b.left, b.right);
    const std::int64_t dy = Gap(a.top, a.bottom, b.top, b.bottom);
    return dx * dx + dy * dy;
}

// One axis of FitWithin: the new low edge and the length.
std::pair<int, int> FitAxis(int low, int high, int areaLow, int areaHigh) {
    const std::int64_t areaLength = std::max<std::int64_t>(0, std::int64_t{areaHigh} - areaLow);
    const std::int64_t length = std::clamp<std::int64_t>(std::int64_t{high} - low, 0, areaLength);
    // An empty or inverted area holds the window at its low edge.
    const std::int64_t newLow =
        std::clamp<std::int64_t>(low, areaLow, std::max<std::int64_t>(areaLow, areaHigh - length));
    return {static_cast<int>(newLow), static_cast<int>(length)};
}

}  // namespace

bool WithinReach(const WindowRect& rect) {
    for (const int edge : {rect.left, rect.top, rect.right, rect.bottom})
        if (edge < -kLargestCoordinate || edge > kLargestCoordinate) return false;
    return true;
}

const Monitor* NearestMonitor(const WindowRect& rect, std::span<const Monitor> monitors) {
    const Monitor* nearest = nullptr;
    std::int64_t largestShare = 0;
    for (const Monitor& monitor : monitors) {
        const std::int64_t share = SharedArea(rect, monitor.area);
        if (share > largestShare) largestShare = share, nearest = &monitor;
    }
    if (nearest) return nearest;
    std::int64_t shortest = 0;
    for (const Monitor& monitor : monitors) {
        const std::int64_t distance = SquaredDistance(rect, monitor.area);
        if (!nearest || distance < shortest) shortest = distance, nearest = &monitor;
    }
    return nearest;
}

bool LiesWithin(const WindowRect& rect, const WindowRect& area) {
    return rect.left >= area.left && rect.top >= area.top && rect.right <= area.right &&
           rect.bottom <= area.bottom;
}

WindowRect FitWithin(const WindowRect& rect, const WindowRect& area) {
    const auto [left, width] = FitAxis(rect.left, rect.right, area.left, area.right);
    const auto [top, height] = FitAxis(rect.top, rect.bottom, area.top, area.bottom);
    return {left, top, left + width, top + height};
}

WindowRect IntoView(const WindowRect& rect, std::span<const Monitor> monitors) {
    const Monitor* monitor = NearestMonitor(rect, monitors);
    if (!monitor || LiesWithin(rect, monitor->workArea) || rect == monitor->area) return rect;
    return FitWithin(rect, monitor->workArea);
}

InvisibleBorders BordersBetween(const WindowRect& outer, const WindowRect& frame) {
    const auto side = [](std::int64_t reach) {
        return static_cast<int>(std::clamp<std::int64_t>(reach, 0, kWidestInvisibleBorder));
    };
    return {side(std::int64_t{frame.left} - outer.left), side(std::int64_t{frame.top} - outer.top),
            side(std::int64_t{outer.right} - frame.right),
            side(std::int64_t{outer.bottom} - frame.bottom)};
}

WindowRect IntoView(const WindowRect& outer, const InvisibleBorders& borders,
                    std::span<const Monitor> monitors) {
    const WindowRect frame{outer.left + borders.left, outer.top + borders.top,
                           outer.right - borders.right, outer.bottom - borders.bottom};
    const WindowRect fitted = IntoView(frame, monitors);
    if (fitted == frame) return outer;
    return {fitted.left - borders.left, fitted.top - borders.top, fitted.right + borders.right,
            fitted.bottom + borders.bottom};
}

WindowRect WorkspaceToScreen(const WindowRect& rect, const Monitor& monitor) {
    const int dx = monitor.workArea.left - monitor.area.left;
    const int dy = monitor.workArea.top - monitor.area.top;
    return {rect.left + dx, rect.top + dy, rect.right + dx, rect.bottom + dy};
}

WindowRect ScreenToWorkspace(const WindowRect& rect, const Monitor& monitor) {
    const int dx = monitor.workArea.left - monitor.area.left;
    const int dy = monitor.workArea.top - monitor.area.top;
    return {rect.left - dx, rect.top - dy, rect.right - dx, rect.bottom - dy};
}

// A normal window's rectangle, not its placement: a window snapped to a side
// of the screen rests elsewhere than its placement says.
std::optional<WindowPlacement> RestingPlacement(WindowSystem& windows, WindowHandle window) {
    std::optional<WindowPlacement> placement = windows.Placement(window);
    if (!placement || placement->state == ShowState::Unknown) return std::nullopt;
    if (placement->state == ShowState::Normal) placement->normal = windows.Rectangle(window);
    if (!WithinReach(placement->normal)) return std::nullopt;
    return placement;
}

}  // namespace qov
