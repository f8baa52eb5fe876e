#pragma once
// The window model: one enumeration of the desktop into window records, for
// the list, the add-title choices, the rescue commands and qovc, and the
// filters that decide which windows are listed. Settings are read at every
// use, so a changed setting acts at the next enumeration.

#include <functional>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "core/settings.h"
#include "core/title_match.h"
#include "core/window_operations.h"
#include "core/window_record.h"

namespace qov {

// The most windows the list shows: past it, the first ones are listed.
inline constexpr std::size_t kMaxWindows = 1000;

// The class of the window nobody sees that owns QOV's dialogs (so they take
// no taskbar button): it is no window of the desktop's.
inline constexpr const char* kDialogOwnerClass = "QOV.DialogOwner";
// The class of the window, never seen, on which QOV finds out at start
// whether the system reports window changes.
inline constexpr const char* kEventProbeClass = "QOV.EventProbe";
// The class of the stand-in Windows shows over a program that stopped
// answering: the program's own window is listed, and the ghost would be a
// second row for it that every command skips.
inline constexpr const char* kGhostClass = "Ghost";

// What an enumeration reads of each window: what the list shows, or the
// whole record (qovc's output and the layouts), which leaves out windows
// gone while they were read or whose state cannot be read.
enum class Detail { List, Full };

struct EnumerationOptions {
    bool filtered = true;  // only the windows the list would show; else every one
    Detail detail = Detail::List;
    std::size_t limit = std::numeric_limits<std::size_t>::max();  // the first ones are kept
    // Runs before each window is judged; returning false stops.
    std::function<bool()> between = {};
};

struct Snapshot {
    std::vector<WindowRecord> windows;  // in the window system's order
    WindowHandle foreground = 0;
    bool stopped = false;  // by `between`: the windows are only a part
};

class WindowModel {
public:
    WindowModel(WindowReads& windows, const Settings& settings, TitleMatch contains)
        : windows_(windows), settings_(settings), contains_(contains) {}

    TitleMatch Contains() const { return contains_; }

    bool IsSystemTitle(std::string_view title) const;
    bool IsExcludedTitle(std::string_view title) const;
    bool TitlePassesFilters(std::string_view title) const;
    // Whether the list shows the window: its title passes the filters and it
    // is none of the windows never listed.
    bool Lists(const WindowRecord& window) const;

    Snapshot Enumerate(const EnumerationOptions& options = {});
    void Enumerate(Snapshot& snapshot, const EnumerationOptions& options);
    // One window as an enumeration reads it; none when it is gone or, when
    // `filtered`, not listed.
    std::optional<WindowRecord> Read(WindowHandle window, Detail detail, bool filtered);
    // The handle's window is gone: a window given it next is another one.
    void Forget(WindowHandle window);
    WindowHandle Foreground();

private:
    bool RememberedVerdict(const std::string& title);
    const std::string& ClassOf(WindowHandle window);
    bool ReadWindow(WindowHandle window, WindowRecord& record, bool filtered, Detail detail);
    void ForgetVerdictsIfFiltersChanged(std::size_t windows);
    void ReadDetails(WindowRecord& record, Detail detail);

    WindowReads& windows_;
    const Settings& settings_;
    TitleMatch contains_;
    // Verdicts by title, valid while the filter settings stay as they were.
    std::unordered_map<std::string, bool> verdicts_;
    Settings verdictSettings_;
    // By handle: a window's class never changes, so each is read once.
    std::unordered_map<WindowHandle, std::string> classes_;
    std::size_t desktopSize_ = 0;  // at the last enumeration
};

// The titles the add-title dialog offers: those of the windows now listed by
// the filters, in enumeration order.
std::vector<std::string> TitleChoices(WindowModel& model);

}  // namespace qov
