#pragma once
// The window model: the tables of windows, the status of a window as the list
// shows it, and the filters that decide which windows are listed. Settings are
// read at every use, so a changed setting acts at the next refresh.

#include <array>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "core/ports.h"
#include "core/settings.h"

namespace qov {

inline constexpr int kMaxWindows = 1000;

// A 1-based table of window handles with a fixed capacity.
class WindowTable {
public:
    int Count() const { return count_; }
    bool Full() const { return count_ >= kMaxWindows; }
    WindowHandle operator[](int position) const { return entries_[position]; }  // 1..Count()
    bool Append(WindowHandle window);  // false (nothing stored) when full
    void RemoveAt(int position);       // later entries move one place forward
    void Clear() { count_ = 0; }
    int Find(WindowHandle window) const;  // 0 when absent

private:
    std::array<WindowHandle, kMaxWindows + 1> entries_{};
    int count_ = 0;
};

// The text before the first NUL character.
std::string CutAtNull(std::string_view text);

// "通常", "最小化", "最大化", "非表示" or "" for an unreadable state, followed by
// "(Act)" for the foreground window.
std::string StatusText(ShowState state, bool visible, bool foreground);

// The row icon of a status text, compared exactly.
enum StatusIcon { NoIcon = 0, MaximizedIcon = 1, MinimizedIcon = 2, NormalIcon = 3, HiddenIcon = 4 };
StatusIcon StatusIconFor(std::string_view status);

// Rows of these statuses show the window rectangle; the others show "-".
bool StatusShowsRectangle(std::string_view status);

// The class of the window nobody sees that owns QOV's dialogs (so they take
// no taskbar button): it is no window of the desktop's.
inline constexpr const char* kDialogOwnerClass = "QOV.DialogOwner";
// The class of the stand-in Windows shows over a program that stopped
// answering: the program's own window is listed, and the ghost would be a
// second row for it that every command skips.
inline constexpr const char* kGhostClass = "Ghost";

// Result of one filtered enumeration.
enum class EnumerationResult { Complete, Overflow /* the first kMaxWindows kept */, Stopped };

class WindowModel {
public:
    WindowModel(WindowSystem& windows, const Settings& settings)
        : windows_(windows), settings_(settings) {}

    WindowSystem& Windows() { return windows_; }

    std::string Title(WindowHandle window);  // cut at the first NUL
    std::string Status(WindowHandle window, WindowHandle foreground);

    bool IsSystemTitle(std::string_view title) const;
    bool IsExcludedTitle(std::string_view title) const;
    bool TitlePassesFilters(std::string_view title) const;

    // Fills `found` from empty with the windows that pass the filters, in the
    // window system's order; `titles` (when given) receives each one's title
    // at the same 1-based position. `between` runs before each window is
    // judged; returning false stops.
    EnumerationResult Enumerate(WindowTable& found, std::vector<std::string>* titles = nullptr,
                                const std::function<bool()>& between = {});

private:
    bool RememberedVerdict(const std::string& title);
    bool NeverListed(WindowHandle window);
    void ForgetVerdictsIfFiltersChanged(std::size_t windows);

    WindowSystem& windows_;
    const Settings& settings_;
    // Verdicts by title, valid while the filter settings stay as they were.
    std::unordered_map<std::string, bool> verdicts_;
    Settings verdictSettings_;
    // By handle: a window's class never changes, so each is read once.
    std::unordered_map<WindowHandle, bool> neverListed_;
};

// The titles the add-title dialog offers: those of the windows now listed by
// the filters, in enumeration order.
std::vector<std::string> TitleChoices(WindowModel& model);

}  // namespace qov
