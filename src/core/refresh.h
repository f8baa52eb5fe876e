#pragma once
// One refresh of the main list: enumerate the windows that pass the filters,
// drop rows whose window no longer passes, append rows for new windows, and
// rewrite the status, rectangle and title cells that changed, then the count.
//
// Each row is removed or appended at the moment its table entry is, so row i
// shows entry i of the listed table at every yield, and a command run during
// a yield acts on the right window.

#include <chrono>
#include <string>
#include <unordered_map>
#include <vector>

#include "core/window_model.h"

namespace qov {

std::string WindowRectText(const WindowRect& rect);  // "(left,top)-(right,bottom)"
std::string HandleText(WindowHandle window);         // decimal, a space before a non-negative one
std::string WindowCountText(int count);              // " N個のウィンドウが存在します"

class RefreshCycle {
public:
    enum class Outcome { Completed, Skipped /* one was running */, Stopped };

    // `yield` lets the message loop run; it is called every few milliseconds
    // of work, between windows.
    RefreshCycle(WindowModel& model, WindowTable& listed, WindowList& list, Yield yield);

    // A ListError from the list propagates; rows and table agree when it does.
    Outcome Run();
    bool Running() const { return running_; }
    // Ends a running refresh at its next yield, and refuses later ones (closing).
    void Stop() { stopRequested_ = true; }

private:
    bool YieldPoint();  // false: stop
    void RemoveGoneRows();
    void AppendNewRows();
    void FillRow(int row, WindowHandle window, const std::string& title, WindowHandle foreground);
    void UpdateRows(int rowsToCheck);
    std::string RectTextFor(WindowHandle window, const std::string& status);

    WindowModel& model_;
    WindowTable& listed_;
    WindowList& list_;
    Yield yield_;

    bool running_ = false;
    bool stopRequested_ = false;
    std::chrono::steady_clock::time_point lastYield_;
    WindowTable found_;
    std::vector<std::string> foundTitles_;  // 1-based, parallel to found_
    std::unordered_map<WindowHandle, int> foundPosition_;
};

}  // namespace qov
