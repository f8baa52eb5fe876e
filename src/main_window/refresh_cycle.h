#pragma once
// One refresh of the main list: enumerate the windows that pass the filters,
// drop rows whose window no longer passes, append rows for new windows, and
// rewrite the status, rectangle and title fields that changed.
//
// The list is reconciled in place. Each row is removed or appended at the
// moment its table entry is, so row i shows ListedWindows entry i at every
// yield and a command that runs during a yield acts on the right window.

#include <chrono>
#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/forms.h"
#include "window_model/window_proc.h"
#include "window_model/window_table.h"

namespace qov {

// "(left,top)-(right,bottom)".
std::string WindowRectText(const WindowRect& rect);
// The handle in decimal, a space before it when it is not negative.
std::string HandleText(WindowHandle window);
// " N個のウィンドウが存在します".
std::string WindowCountText(int count);

class RefreshCycle {
public:
    enum class Outcome {
        Completed,
        Skipped,  // a refresh was already running
        Stopped,  // shouldStop asked to stop at a yield
    };

    RefreshCycle(WindowProc& windowProc, WindowTables& tables, ListView& list,
                 StatusBar& statusBar, Toolkit& toolkit);

    // Runs one refresh. A failing list or status-bar operation throws
    // ToolkitError; the tables and rows still agree when it does.
    Outcome Run();
    bool Running() const { return running_; }

    // Asked after every yield; true ends the refresh there (the owner is closing).
    std::function<bool()> shouldStop;
    // Decides at each yield point whether to let the event loop run. The
    // default yields when a few milliseconds have passed since the last yield.
    std::function<bool()> yieldDue;

private:
    bool YieldPoint();  // false: stop
    void VerifyListed();
    void MergeFound();
    void FillRow(int row, WindowHandle window, const std::string& title,
                 WindowHandle foreground);
    void UpdateRows(int rowsToCheck);
    std::string RectTextFor(WindowHandle window, const std::string& status);
    const std::string* FoundTitle(WindowHandle window) const;

    WindowProc& windowProc_;
    WindowTables& tables_;
    ListView& list_;
    StatusBar& statusBar_;
    Toolkit& toolkit_;

    bool running_ = false;
    bool stopped_ = false;
    bool updating_ = false;
    std::chrono::steady_clock::time_point lastYield_;
    std::vector<std::string> foundTitles_;  // 1-based, parallel to FoundWindows
    std::unordered_map<WindowHandle, int> foundPosition_;
};

}  // namespace qov
