#include "baseline_refresh.h"

#include <stdexcept>

#include "core/refresh.h"

namespace qov::bench {

void BaselineRefresh::Run() {
    Enumerate();
    const std::vector<int> removedRows = VerifyListed();
    for (int row : removedRows) list_.RemoveRow(row - 1);
    AddRows(MergeFound());
    UpdateRows();
    list_.SetStatusText(WindowCountText(ListedCount()));
}

void BaselineRefresh::Enumerate() {
    found_.resize(1);
    windows_.EnumerateWindows([&](WindowHandle window) {
        if (CollectWindow(window)) found_.push_back(window);
    });
    if (found_.size() - 1 > kMaxWindows) throw std::length_error("more windows than the table holds");
}

// Title first, then existence, then the two title tests, each reading the
// title again; an empty title skips the tests.
bool BaselineRefresh::CollectWindow(WindowHandle window) {
    const std::string title = Title(window);
    if (!windows_.Exists(window)) return false;
    if (title.empty()) return settings_.showUntitled;
    if (IsSystemWindow(window) && !settings_.showSystemWindows) return false;
    if (IsExcludedWindow(window) && !settings_.ignoreExclusions) return false;
    return true;
}

// All four conditions, every one of them asked.
bool BaselineRefresh::PassesFilters(WindowHandle window) {
    const std::string title = Title(window);
    const bool exists = windows_.Exists(window);
    const bool system = IsSystemWindow(window);
    const bool excluded = IsExcludedWindow(window);
    return exists && (!title.empty() || settings_.showUntitled) &&
           (!system || settings_.showSystemWindows) && (!excluded || settings_.ignoreExclusions);
}

// Returns the row indices to remove, in removal order.
std::vector<int> BaselineRefresh::VerifyListed() {
    std::vector<int> removedRows;
    bool restart = true;
    while (restart) {
        restart = false;
        const int n = static_cast<int>(ListedCount());
        for (int i = 1; i <= n; ++i) {
            if (PassesFilters(listed_[i])) {
                Yield();
                continue;
            }
            listed_.erase(listed_.begin() + i);
            removedRows.push_back(i);
            restart = true;
            break;
        }
    }
    return removedRows;
}

std::vector<WindowHandle> BaselineRefresh::MergeFound() {
    std::vector<WindowHandle> newWindows;
    for (std::size_t p = 1; p < found_.size(); ++p) {
        bool already = false;
        for (std::size_t i = 1; i < listed_.size(); ++i) {
            if (found_[p] == listed_[i]) already = true;
            Yield();
        }
        if (!already) {
            if (ListedCount() >= kMaxWindows) throw std::length_error("listed table full");
            listed_.push_back(found_[p]);
            newWindows.push_back(found_[p]);
        }
        Yield();
    }
    return newWindows;
}

void BaselineRefresh::AddRows(const std::vector<WindowHandle>& newWindows) {
    for (WindowHandle h : newWindows) {
        const std::string title = Title(h);
        list_.AppendRow();
        const int row = static_cast<int>(list_.rows.size()) - 1;
        list_.SetIcon(row, Status(h).icon);
        list_.SetText(row, WindowList::TitleColumn, title);
        const StatusRead status = Status(h);
        list_.SetText(row, WindowList::StatusColumn, status.text);
        list_.SetText(row, WindowList::RectColumn, RectangleText(h, status.showsRectangle));
        list_.SetText(row, WindowList::ClassColumn, CutAtNull(windows_.ClassName(h)));
        list_.SetText(row, WindowList::HandleColumn, HandleText(h));
    }
}

void BaselineRefresh::UpdateRows() {
    for (int r = 1; r <= static_cast<int>(ListedCount()); ++r) {
        const WindowHandle h = listed_[static_cast<std::size_t>(r)];
        if (Status(h).text != Cell(r, WindowList::StatusColumn)) {
            list_.SetText(r - 1, WindowList::StatusColumn, Status(h).text);
            list_.SetIcon(r - 1, Status(h).icon);
        }
        // The rectangle follows the status the row shows.
        const std::string& shown = Cell(r, WindowList::StatusColumn);
        const std::string rect = RectangleText(h, shown.starts_with("通常") || shown.starts_with("最大化"));
        if (rect != Cell(r, WindowList::RectColumn)) list_.SetText(r - 1, WindowList::RectColumn, rect);
        const std::string title = Title(h);
        if (title != Cell(r, WindowList::TitleColumn)) list_.SetText(r - 1, WindowList::TitleColumn, title);
    }
}

// The rectangle is always read, then replaced by "-" for the statuses that
// show none.
std::string BaselineRefresh::RectangleText(WindowHandle window, bool showsRectangle) {
    const std::string text = WindowRectText(windows_.Rectangle(window));
    return showsRectangle ? text : "-";
}

// Read afresh, the foreground window included, every time it is asked for.
BaselineRefresh::StatusRead BaselineRefresh::Status(WindowHandle window) {
    const WindowHandle foreground = windows_.Foreground();
    WindowRecord record{.handle = window, .state = windows_.GetShowState(window)};
    if (record.state != ShowState::Unknown) record.visibility = windows_.GetVisibility(window);
    const WindowStatus status = StatusOf(record);
    return {StatusWordOf(status) + (foreground == window ? "(Act)" : ""), IconOf(status), ShowsRectangle(status)};
}

}  // namespace qov::bench
