#pragma once
// A 1-based table of window handles with a fixed capacity; position 0 is
// never used. Handles only: every attribute of a window is read from the
// window system when it is needed.

#include <array>
#include <cstdint>

#include "platform/window_system.h"

namespace qov {

inline constexpr int MaxWindows = 1000;

class WindowTable {
public:
    std::int32_t Count() const { return count_; }
    bool Full() const { return count_ >= MaxWindows; }

    // Position 1..Count().
    WindowHandle operator[](int position) const { return entries_[position]; }

    // False (and nothing stored) when the table is full.
    bool Append(WindowHandle window) {
        if (Full()) return false;
        entries_[++count_] = window;
        return true;
    }

    // Removes `position`; the entries after it move one place towards the front.
    void RemoveAt(int position) {
        for (int j = position; j < count_; ++j) entries_[j] = entries_[j + 1];
        --count_;
    }

    void Clear() { count_ = 0; }

    // Position of `window`, or 0 when it is not in the table.
    int Find(WindowHandle window) const {
        for (int i = 1; i <= count_; ++i)
            if (entries_[i] == window) return i;
        return 0;
    }

private:
    std::array<WindowHandle, MaxWindows + 1> entries_{};
    std::int32_t count_ = 0;
};

}  // namespace qov

namespace qov {

// The program-wide window tables: the result of the last enumeration and
// the windows the main list shows, entry i being the window of row i.
struct WindowTables {
    WindowTable FoundWindows;
    WindowTable ListedWindows;
};

}  // namespace qov
