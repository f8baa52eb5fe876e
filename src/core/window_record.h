#pragma once
// One window as the program knows it: what the window system said of it when
// it was last read, as a value that compares field by field.

#include <cstdint>
#include <string>
#include <string_view>

#include "core/window_types.h"

namespace qov {

// Every member has a default, so designated initialisers may name a few.
struct WindowRecord {
    WindowHandle handle = 0;
    std::string title = "";  // cut at its first NUL
    ShowState state = ShowState::Unknown;
    Visibility visibility = Visibility::Hidden;
    // Read for a window on screen, normal or maximised (the only ones the list
    // shows a rectangle for), and for every window read in full.
    WindowRect rect = {};
    std::string className = "";
    // Read only in full: the owning process, its image's full path ("" when
    // Windows will not say), and whether the window stays on top.
    std::uint32_t processId = 0;
    std::string image = "";
    bool topmost = false;

    bool operator==(const WindowRecord&) const = default;
};

// The status the list shows: the show state, or Hidden for a window that
// cannot be seen (cloaked ones too); Unknown when the state cannot be read.
enum class WindowStatus { Unknown, Normal, Minimized, Maximized, Hidden };
WindowStatus StatusOf(const WindowRecord& window);

// Whether the list shows a rectangle for the window (else "-").
bool ShowsRectangle(WindowStatus status);

// The text before the first NUL character.
std::string CutAtNull(std::string_view text);

// "C:\\Windows\\notepad.exe" gives "notepad.exe".
std::string FileNameOf(const std::string& path);

}  // namespace qov
