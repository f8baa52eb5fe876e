#include "main_window/refresh_cycle.h"

#include <optional>
#include <unordered_set>

#include "window_model/window_status.h"

namespace qov {
namespace {

// Beyond this many rows added or removed in one refresh, drawing is
// suspended so the list repaints once instead of once per row.
constexpr int kBulkChangeRows = 8;
constexpr auto kYieldSlice = std::chrono::milliseconds(4);

// Ends whatever the refresh began, however it leaves.
class RunScope {
public:
    RunScope(bool& running, ListView& list, bool& updating)
        : running_(running), list_(list), updating_(updating) {
        running_ = true;
    }
    ~RunScope() {
        if (updating_) list_.EndUpdate();
        updating_ = false;
        running_ = false;
    }
    RunScope(const RunScope&) = delete;
    RunScope& operator=(const RunScope&) = delete;

private:
    bool& running_;
    ListView& list_;
    bool& updating_;
};

}  // namespace

std::string WindowRectText(const WindowRect& r) {
    return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + ")-(" +
           std::to_string(r.right) + "," + std::to_string(r.bottom) + ")";
}

std::string HandleText(WindowHandle window) {
    return (window >= 0 ? " " : "") + std::to_string(window);
}

std::string WindowCountText(int count) {
    return (count >= 0 ? " " : "") + std::to_string(count) + "個のウィンドウが存在します";
}

RefreshCycle::RefreshCycle(WindowProc& windowProc, WindowTables& tables, ListView& list,
                           StatusBar& statusBar, Toolkit& toolkit)
    : windowProc_(windowProc), tables_(tables), list_(list), statusBar_(statusBar),
      toolkit_(toolkit) {}

RefreshCycle::Outcome RefreshCycle::Run() {
    if (running_) return Outcome::Skipped;
    RunScope scope(running_, list_, updating_);
    stopped_ = false;
    lastYield_ = std::chrono::steady_clock::now();

    // More than MaxWindows passing windows: the first MaxWindows are listed.
    const EnumerationResult enumeration = windowProc_.Enumerate(
        tables_.FoundWindows, &foundTitles_, [this] { return YieldPoint(); });
    if (enumeration == EnumerationResult::Stopped) return Outcome::Stopped;
    const WindowTable& found = tables_.FoundWindows;
    foundPosition_.clear();
    for (int p = 1; p <= found.Count(); ++p) foundPosition_.emplace(found[p], p);

    const WindowTable& listed = tables_.ListedWindows;
    int kept = 0;
    for (int i = 1; i <= listed.Count(); ++i) kept += foundPosition_.contains(listed[i]);
    if ((listed.Count() - kept) + (found.Count() - kept) > kBulkChangeRows) {
        list_.BeginUpdate();
        updating_ = true;
    }

    VerifyListed();
    if (stopped_) return Outcome::Stopped;
    const int rowsBeforeMerge = listed.Count();
    MergeFound();
    if (stopped_) return Outcome::Stopped;
    UpdateRows(rowsBeforeMerge);
    if (stopped_) return Outcome::Stopped;

    const std::string count = WindowCountText(listed.Count());
    if (statusBar_.SimpleText() != count) statusBar_.SetSimpleText(count);
    return Outcome::Completed;
}

bool RefreshCycle::YieldPoint() {
    const auto now = std::chrono::steady_clock::now();
    const bool due = yieldDue ? yieldDue() : now - lastYield_ >= kYieldSlice;
    if (!due) return true;
    toolkit_.Yield();
    lastYield_ = std::chrono::steady_clock::now();
    if (shouldStop && shouldStop()) stopped_ = true;
    return !stopped_;
}

void RefreshCycle::VerifyListed() {
    WindowTable& listed = tables_.ListedWindows;
    int i = 1;
    while (i <= listed.Count()) {
        if (foundPosition_.contains(listed[i])) {
            ++i;
            if (!YieldPoint()) return;
        } else {
            // Row first: should the list fail, the table still matches it.
            list_.RemoveRow(i);
            listed.RemoveAt(i);
        }
    }
}

void RefreshCycle::MergeFound() {
    const WindowTable& found = tables_.FoundWindows;
    WindowTable& listed = tables_.ListedWindows;
    std::unordered_set<WindowHandle> listedSet;
    for (int i = 1; i <= listed.Count(); ++i) listedSet.insert(listed[i]);

    std::optional<WindowHandle> foreground;  // read once, when a row is added
    for (int p = 1; p <= found.Count(); ++p) {
        const WindowHandle window = found[p];
        if (!listedSet.contains(window) && !listed.Full()) {
            if (!foreground) foreground = windowProc_.Windows().ForegroundWindow();
            list_.AddRow();
            listed.Append(window);
            listedSet.insert(window);
            FillRow(listed.Count(), window, foundTitles_[p], *foreground);
        }
        if (!YieldPoint()) return;
    }
}

void RefreshCycle::FillRow(int row, WindowHandle window, const std::string& title,
                           WindowHandle foreground) {
    const std::string status = windowProc_.GetWindowStatus(window, foreground);
    list_.SetIcon(row, StatusIconIndex(status));
    list_.SetText(row, 0, title);
    list_.SetText(row, 1, status);
    list_.SetText(row, 2, RectTextFor(window, status));
    list_.SetText(row, 3, CutAtNull(windowProc_.Windows().ClassName(window)));
    list_.SetText(row, 4, HandleText(window));
}

// Rows appended by this refresh were just written; the rest are compared
// field by field and written only where the text changed. Rows and table
// agree here, so the pass may yield between rows.
void RefreshCycle::UpdateRows(int rowsToCheck) {
    const WindowTable& listed = tables_.ListedWindows;
    const WindowHandle foreground = windowProc_.Windows().ForegroundWindow();
    for (int row = 1; row <= rowsToCheck && row <= listed.Count(); ++row) {
        const WindowHandle window = listed[row];
        const std::string status = windowProc_.GetWindowStatus(window, foreground);
        if (status != list_.Text(row, 1)) {
            list_.SetText(row, 1, status);
            list_.SetIcon(row, StatusIconIndex(status));
        }
        const std::string rect = RectTextFor(window, status);
        if (rect != list_.Text(row, 2)) list_.SetText(row, 2, rect);
        const std::string* title = FoundTitle(window);
        if (title && *title != list_.Text(row, 0)) list_.SetText(row, 0, *title);
        if (!YieldPoint()) return;
    }
}

std::string RefreshCycle::RectTextFor(WindowHandle window, const std::string& status) {
    if (!StatusShowsRectangle(status)) return "-";
    return WindowRectText(windowProc_.Windows().WindowRectangle(window));
}

// Every listed window was taken by this refresh's enumeration, whose title
// read is the current one.
const std::string* RefreshCycle::FoundTitle(WindowHandle window) const {
    const auto found = foundPosition_.find(window);
    return found == foundPosition_.end() ? nullptr : &foundTitles_[found->second];
}

}  // namespace qov
