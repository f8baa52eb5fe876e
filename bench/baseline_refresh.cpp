#include "baseline_refresh.h"

#include <stdexcept>

#include "core/refresh.h"

namespace qov::bench {

void BaselineRefresh::Run() {
    Enumerate();
    const std::vector<int> removedRows = VerifyListed();
    for (int row : removedRows) list_.RemoveRow(row);
    AddRows(MergeFound());
    UpdateRows();
    list_.SetStatusText(WindowCountText(listed_.Count()));
}

void BaselineRefresh::Enumerate() {
    found_.Clear();
    bool overflow = false;
    windows_.EnumerateWindows([&](WindowHandle window) {
        if (overflow || !CollectWindow(window)) return;
        if (!found_.Append(window)) overflow = true;
    });
    if (overflow) throw std::length_error("more windows than the table holds");
}

// Title first, then existence, then the two title tests, each reading the
// title again; an empty title skips the tests.
bool BaselineRefresh::CollectWindow(WindowHandle window) {
    const std::string title = model_.Title(window);
    if (!windows_.Exists(window)) return false;
    if (title.empty()) return settings_.showUntitled;
    if (IsSystemWindow(window) && !settings_.showSystemWindows) return false;
    if (IsExcludedWindow(window) && !settings_.ignoreExclusions) return false;
    return true;
}

// All four conditions, every one of them asked.
bool BaselineRefresh::PassesFilters(WindowHandle window) {
    const std::string title = model_.Title(window);
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
        const int n = listed_.Count();
        for (int i = 1; i <= n; ++i) {
            if (PassesFilters(listed_[i])) {
                Yield();
                continue;
            }
            listed_.RemoveAt(i);
            removedRows.push_back(i);
            restart = true;
            break;
        }
    }
    return removedRows;
}

std::vector<WindowHandle> BaselineRefresh::MergeFound() {
    std::vector<WindowHandle> newWindows;
    for (int p = 1; p <= found_.Count(); ++p) {
        bool already = false;
        for (int i = 1; i <= listed_.Count(); ++i) {
            if (found_[p] == listed_[i]) already = true;
            Yield();
        }
        if (!already) {
            if (!listed_.Append(found_[p])) throw std::length_error("listed table full");
            newWindows.push_back(found_[p]);
        }
        Yield();
    }
    return newWindows;
}

void BaselineRefresh::AddRows(const std::vector<WindowHandle>& newWindows) {
    for (WindowHandle h : newWindows) {
        const std::string title = model_.Title(h);
        list_.AppendRow();
        const int row = static_cast<int>(list_.rows.size());
        list_.SetIcon(row, StatusIconFor(Status(h)));
        list_.SetText(row, WindowList::TitleColumn, title);
        list_.SetText(row, WindowList::StatusColumn, Status(h));
        list_.SetText(row, WindowList::RectColumn,
                      RectangleText(h, list_.Text(row, WindowList::StatusColumn)));
        list_.SetText(row, WindowList::ClassColumn, CutAtNull(windows_.ClassName(h)));
        list_.SetText(row, WindowList::HandleColumn, HandleText(h));
    }
}

void BaselineRefresh::UpdateRows() {
    for (int r = 1; r <= listed_.Count(); ++r) {
        const WindowHandle h = listed_[r];
        if (Status(h) != list_.Text(r, WindowList::StatusColumn)) {
            list_.SetText(r, WindowList::StatusColumn, Status(h));
            list_.SetIcon(r, StatusIconFor(Status(h)));
        }
        const std::string rect = RectangleText(h, list_.Text(r, WindowList::StatusColumn));
        if (rect != list_.Text(r, WindowList::RectColumn))
            list_.SetText(r, WindowList::RectColumn, rect);
        const std::string title = model_.Title(h);
        if (title != list_.Text(r, WindowList::TitleColumn))
            list_.SetText(r, WindowList::TitleColumn, title);
    }
}

// The rectangle is always read, then replaced by "-" for the statuses that
// show none.
std::string BaselineRefresh::RectangleText(WindowHandle window, const std::string& status) {
    const std::string text = WindowRectText(windows_.Rectangle(window));
    return StatusShowsRectangle(status) ? text : "-";
}

}  // namespace qov::bench
