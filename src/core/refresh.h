#pragma once
// One refresh of the main list: enumerate the windows that pass the filters,
// drop rows whose window no longer passes, append rows for new windows, and
// rewrite the cells of the rows whose record changed, then the count.
//
// Each row is removed or appended at the moment its entry of the listed
// windows is, so row i shows entry i at every yield, and a command run during
// a yield acts on the right window.

#include <chrono>
#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

#include "core/list_rows.h"
#include "core/window_changes.h"
#include "core/window_model.h"

namespace qov {

// The windows in the list, row by row (row 0 first), as their rows show them.
using ListedWindows = std::vector<ListedWindow>;

// Lets the caller's message loop run for a moment.
using Yield = std::function<void()>;

class RefreshCycle {
public:
    enum class Outcome { Completed, Skipped /* one was running */, Stopped };

    // `yield` lets the message loop run; it is called every few milliseconds
    // of work, between windows.
    RefreshCycle(WindowModel& model, ListedWindows& listed, WindowList& list, Yield yield);

    // A ListError from the list propagates; rows and entries agree when it does.
    Outcome Run();
    // Only the windows reported changed, each read afresh: a row is added,
    // rewritten or removed as the window is now; and the "(Act)" mark follows
    // the foreground. New rows go last, while the list has room.
    Outcome RunChanges(const std::vector<WindowChange>& changes);
    bool Running() const { return running_; }
    // Ends a running refresh at its next yield, and refuses later ones (closing).
    void Stop() { stopRequested_ = true; }

private:
    bool YieldPoint();  // false: stop
    void RemoveGoneRows();
    void AppendNewRows();
    void UpdateRows(std::size_t rowsToCheck);
    ListedWindow TakeFound(std::size_t position);
    void ApplyChange(const WindowChange& change, WindowHandle foreground);
    void RemoveRow(std::size_t row);
    void MarkForeground(WindowHandle foreground);
    void ShowCount();

    WindowModel& model_;
    ListedWindows& listed_;
    WindowList& list_;
    Yield yield_;

    bool running_ = false;
    bool stopRequested_ = false;
    std::chrono::steady_clock::time_point lastYield_;
    Snapshot found_;
    std::unordered_map<WindowHandle, std::size_t> foundPosition_;
    std::string countShown_;
};

}  // namespace qov
