#include "core/refresh.h"

#include <algorithm>
#include <optional>
#include <unordered_set>

namespace qov {
namespace {

// Beyond this many rows added or removed in one refresh the list repaints
// once at the end instead of once per row.
constexpr std::size_t kBulkChangeRows = 8;
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

RefreshCycle::RefreshCycle(WindowModel& model, ListedWindows& listed, WindowList& list, Yield yield)
    : model_(model), listed_(listed), list_(list), yield_(std::move(yield)) {}

RefreshCycle::Outcome RefreshCycle::Run() {
    if (running_) return Outcome::Skipped;
    if (stopRequested_) return Outcome::Stopped;
    RunScope scope(running_, list_);
    lastYield_ = std::chrono::steady_clock::now();

    model_.Enumerate(found_, {.limit = kMaxWindows, .between = [this] { return YieldPoint(); }});
    if (found_.stopped) return Outcome::Stopped;
    foundPosition_.clear();
    for (std::size_t p = 0; p < found_.windows.size(); ++p) foundPosition_.emplace(found_.windows[p].handle, p);

    std::size_t kept = 0;
    for (const ListedWindow& row : listed_) kept += foundPosition_.contains(row.record.handle);
    if ((listed_.size() - kept) + (found_.windows.size() - kept) > kBulkChangeRows) scope.BeginBulkChange();

    RemoveGoneRows();
    if (stopRequested_) return Outcome::Stopped;
    const std::size_t rowsBeforeAppending = listed_.size();
    AppendNewRows();
    if (stopRequested_) return Outcome::Stopped;
    UpdateRows(rowsBeforeAppending);
    if (stopRequested_) return Outcome::Stopped;

    ShowCount();
    return Outcome::Completed;
}

RefreshCycle::Outcome RefreshCycle::RunChanges(const std::vector<WindowChange>& changes) {
    if (running_) return Outcome::Skipped;
    if (stopRequested_) return Outcome::Stopped;
    RunScope scope(running_, list_);
    lastYield_ = std::chrono::steady_clock::now();
    // Only windows made or gone add and remove rows; a flood of moves rewrites
    // cells, which needs no repaint of the whole list.
    if (std::ranges::count(changes, true, &WindowChange::replaced) > static_cast<std::ptrdiff_t>(kBulkChangeRows))
        scope.BeginBulkChange();
    const WindowHandle foreground = model_.Foreground();
    for (const WindowChange& change : changes) {
        if (!YieldPoint()) return Outcome::Stopped;
        ApplyChange(change, foreground);
    }
    MarkForeground(foreground);
    ShowCount();
    return Outcome::Completed;
}

void RefreshCycle::ApplyChange(const WindowChange& change, WindowHandle foreground) {
    const auto shown = std::ranges::find(listed_, change.window, [](const ListedWindow& w) { return w.record.handle; });
    std::optional<std::size_t> row;
    if (shown != listed_.end()) row = static_cast<std::size_t>(shown - listed_.begin());
    if (change.replaced) {
        model_.Forget(change.window);
        // The row showed a window that is gone; one that has its handle now is new.
        if (row) RemoveRow(*row);
        row.reset();
    }
    std::optional<WindowRecord> record = model_.Read(change.window, Detail::List, true);
    if (!record) {
        if (row) RemoveRow(*row);
        return;
    }
    ListedWindow now{std::move(*record), change.window == foreground};
    if (row) {
        ListedWindow& before = listed_[*row];
        if (now.record != before.record || now.foreground != before.foreground) {
            WriteRow(list_, static_cast<int>(*row), now, &before);
            before = std::move(now);
        }
    } else if (listed_.size() < kMaxWindows) {
        list_.AppendRow();
        listed_.push_back(std::move(now));
        WriteRow(list_, static_cast<int>(listed_.size() - 1), listed_.back(), nullptr);
    }
}

// Row first: should the list refuse, the entries still match it.
void RefreshCycle::RemoveRow(std::size_t row) {
    list_.RemoveRow(static_cast<int>(row));
    listed_.erase(listed_.begin() + static_cast<std::ptrdiff_t>(row));
}

// Only the marks are rewritten: the windows themselves were not reported changed.
void RefreshCycle::MarkForeground(WindowHandle foreground) {
    for (std::size_t row = 0; row < listed_.size(); ++row) {
        ListedWindow& shown = listed_[row];
        if ((shown.record.handle == foreground) == shown.foreground) continue;
        ListedWindow now = shown;
        now.foreground = !shown.foreground;
        WriteRow(list_, static_cast<int>(row), now, &shown);
        shown = std::move(now);
    }
}

void RefreshCycle::ShowCount() {
    if (std::string count = WindowCountText(listed_.size()); count != countShown_) {
        list_.SetStatusText(count);
        countShown_ = std::move(count);
    }
}

bool RefreshCycle::YieldPoint() {
    if (std::chrono::steady_clock::now() - lastYield_ >= kYieldSlice) {
        if (yield_) yield_();
        lastYield_ = std::chrono::steady_clock::now();
    }
    return !stopRequested_;
}

// The found record is moved out: each is used once.
ListedWindow RefreshCycle::TakeFound(std::size_t position) {
    WindowRecord& record = found_.windows[position];
    const bool foreground = record.handle == found_.foreground;
    return {std::move(record), foreground};
}

void RefreshCycle::RemoveGoneRows() {
    std::size_t row = 0;
    while (row < listed_.size()) {
        if (foundPosition_.contains(listed_[row].record.handle)) {
            ++row;
            if (!YieldPoint()) return;
        } else {
            RemoveRow(row);
        }
    }
}

void RefreshCycle::AppendNewRows() {
    std::unordered_set<WindowHandle> listedSet;
    for (const ListedWindow& row : listed_) listedSet.insert(row.record.handle);
    for (std::size_t p = 0; p < found_.windows.size(); ++p) {
        if (listedSet.insert(found_.windows[p].handle).second) {
            list_.AppendRow();
            listed_.push_back(TakeFound(p));
            WriteRow(list_, static_cast<int>(listed_.size() - 1), listed_.back(), nullptr);
        }
        if (!YieldPoint()) return;
    }
}

// Rows appended by this refresh were just written; the others are written
// where their window's record changed, and then only in the cells that did.
void RefreshCycle::UpdateRows(std::size_t rowsToCheck) {
    for (std::size_t row = 0; row < rowsToCheck && row < listed_.size(); ++row) {
        ListedWindow& shown = listed_[row];
        const auto found = foundPosition_.find(shown.record.handle);
        if (found == foundPosition_.end()) continue;
        const WindowRecord& record = found_.windows[found->second];
        if (record != shown.record || (record.handle == found_.foreground) != shown.foreground) {
            ListedWindow now = TakeFound(found->second);
            WriteRow(list_, static_cast<int>(row), now, &shown);
            shown = std::move(now);
        }
        if (!YieldPoint()) return;
    }
}

}  // namespace qov
