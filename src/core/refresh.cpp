#include "core/refresh.h"

#include <optional>
#include <unordered_set>

namespace qov {
namespace {

// Beyond this many rows added or removed in one refresh the list repaints
// once at the end instead of once per row.
constexpr int kBulkChangeRows = 8;
constexpr auto kYieldSlice = std::chrono::milliseconds(4);

// Ends whatever the refresh began, however it leaves.
class RunScope {
public:
    RunScope(bool& running, WindowList& list) : running_(running), list_(list) { running_ = true; }
    ~RunScope() {
        running_ = false;
        if (!bulk_) return;
        // Ending a bulk change only repaints; when the list refuses that, the
        // rows are still right, and a failure already on its way must not be
        // replaced by this one.
        try {
            list_.EndBulkChange();
        } catch (const ListError&) {
        }
    }
    RunScope(const RunScope&) = delete;
    RunScope& operator=(const RunScope&) = delete;

    void BeginBulkChange() {
        list_.BeginBulkChange();
        bulk_ = true;
    }

private:
    bool& running_;
    WindowList& list_;
    bool bulk_ = false;
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

RefreshCycle::RefreshCycle(WindowModel& model, WindowTable& listed, WindowList& list, Yield yield)
    : model_(model), listed_(listed), list_(list), yield_(std::move(yield)) {}

RefreshCycle::Outcome RefreshCycle::Run() {
    if (running_) return Outcome::Skipped;
    if (stopRequested_) return Outcome::Stopped;
    RunScope scope(running_, list_);
    lastYield_ = std::chrono::steady_clock::now();

    // Past kMaxWindows passing windows the first kMaxWindows are listed.
    if (model_.Enumerate(found_, &foundTitles_, [this] { return YieldPoint(); }) ==
        EnumerationResult::Stopped)
        return Outcome::Stopped;
    foundPosition_.clear();
    for (int p = 1; p <= found_.Count(); ++p) foundPosition_.emplace(found_[p], p);

    int kept = 0;
    for (int i = 1; i <= listed_.Count(); ++i) kept += foundPosition_.contains(listed_[i]);
    if ((listed_.Count() - kept) + (found_.Count() - kept) > kBulkChangeRows)
        scope.BeginBulkChange();

    RemoveGoneRows();
    if (stopRequested_) return Outcome::Stopped;
    const int rowsBeforeAppending = listed_.Count();
    AppendNewRows();
    if (stopRequested_) return Outcome::Stopped;
    UpdateRows(rowsBeforeAppending);
    if (stopRequested_) return Outcome::Stopped;

    const std::string count = WindowCountText(listed_.Count());
    if (list_.StatusText() != count) list_.SetStatusText(count);
    return Outcome::Completed;
}

bool RefreshCycle::YieldPoint() {
    if (std::chrono::steady_clock::now() - lastYield_ >= kYieldSlice) {
        if (yield_) yield_();
        lastYield_ = std::chrono::steady_clock::now();
    }
    return !stopRequested_;
}

void RefreshCycle::RemoveGoneRows() {
    int i = 1;
    while (i <= listed_.Count()) {
        if (foundPosition_.contains(listed_[i])) {
            ++i;
            if (!YieldPoint()) return;
        } else {
            // Row first: should the list refuse, the table still matches it.
            list_.RemoveRow(i);
            listed_.RemoveAt(i);
        }
    }
}

void RefreshCycle::AppendNewRows() {
    std::unordered_set<WindowHandle> listedSet;
    for (int i = 1; i <= listed_.Count(); ++i) listedSet.insert(listed_[i]);
    std::optional<WindowHandle> foreground;  // read once, when a row is added
    for (int p = 1; p <= found_.Count(); ++p) {
        const WindowHandle window = found_[p];
        if (!listedSet.contains(window) && !listed_.Full()) {
            if (!foreground) foreground = model_.Windows().Foreground();
            list_.AppendRow();
            listed_.Append(window);
            listedSet.insert(window);
            FillRow(listed_.Count(), window, foundTitles_[p], *foreground);
        }
        if (!YieldPoint()) return;
    }
}

void RefreshCycle::FillRow(int row, WindowHandle window, const std::string& title,
                           WindowHandle foreground) {
    const std::string status = model_.Status(window, foreground);
    list_.SetIcon(row, StatusIconFor(status));
    list_.SetText(row, WindowList::TitleColumn, title);
    list_.SetText(row, WindowList::StatusColumn, status);
    list_.SetText(row, WindowList::RectColumn, RectTextFor(window, status));
    list_.SetText(row, WindowList::ClassColumn, CutAtNull(model_.Windows().ClassName(window)));
    list_.SetText(row, WindowList::HandleColumn, HandleText(window));
}

// Rows appended by this refresh were just written; the others are compared
// cell by cell and written only where the text changed. Every listed window
// was taken by this refresh's enumeration, whose title is the current one.
void RefreshCycle::UpdateRows(int rowsToCheck) {
    const WindowHandle foreground = model_.Windows().Foreground();
    for (int row = 1; row <= rowsToCheck && row <= listed_.Count(); ++row) {
        const WindowHandle window = listed_[row];
        const std::string status = model_.Status(window, foreground);
        if (status != list_.Text(row, WindowList::StatusColumn)) {
            list_.SetText(row, WindowList::StatusColumn, status);
            list_.SetIcon(row, StatusIconFor(status));
        }
        const std::string rect = RectTextFor(window, status);
        if (rect != list_.Text(row, WindowList::RectColumn))
            list_.SetText(row, WindowList::RectColumn, rect);
        const auto found = foundPosition_.find(window);
        if (found != foundPosition_.end() &&
            foundTitles_[found->second] != list_.Text(row, WindowList::TitleColumn))
            list_.SetText(row, WindowList::TitleColumn, foundTitles_[found->second]);
        if (!YieldPoint()) return;
    }
}

std::string RefreshCycle::RectTextFor(WindowHandle window, const std::string& status) {
    if (!StatusShowsRectangle(status)) return "-";
    return WindowRectText(model_.Windows().Rectangle(window));
}

}  // namespace qov
