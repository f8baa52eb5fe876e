#include "baseline_refresh.h"

#include <stdexcept>

#include "main_window/refresh_cycle.h"
#include "window_model/window_status.h"

namespace qov::bench {

BaselineRefresh::BaselineRefresh(WindowSystem& windows, const Settings& settings)
    : windows_(windows), settings_(settings), proc_(windows, settings) {
    for (int column = 0; column < sim::SimListView::kTextColumns; ++column)
        list_.AddColumn("", 1000);
}

void BaselineRefresh::Run() {
    Enumerate();
    const std::vector<int> removedRows = VerifyListed();
    for (int row : removedRows) list_.RemoveRow(row);
    AddRows(MergeFound());
    UpdateRows();
    status_.SetSimpleText(WindowCountText(tables_.ListedWindows.Count()));
}

void BaselineRefresh::Enumerate() {
    tables_.FoundWindows.Clear();
    bool overflow = false;
    windows_.EnumerateWindows([&](WindowHandle window) {
        if (!CollectWindow(window)) return true;
        if (tables_.FoundWindows.Append(window)) return true;
        overflow = true;
        return false;
    });
    if (overflow) throw std::length_error("more windows than the table holds");
}

// Title first, then IsWindow, then the two title tests, each reading the
// title again; an empty title skips the tests.
bool BaselineRefresh::CollectWindow(WindowHandle window) {
    const std::string title = proc_.WindowTitle(window);
    if (!windows_.IsWindow(window)) return false;
    if (title.empty()) return settings_.ShowNoname;
    if (proc_.IsSystemWindow(window) && !settings_.SystemWindow) return false;
    if (proc_.IsExcludedWindow(window) && !settings_.NotVWindow) return false;
    return true;
}

// All four conditions, every one of them asked.
bool BaselineRefresh::PassesFilters(WindowHandle window) {
    const std::string title = proc_.WindowTitle(window);
    const bool exists = windows_.IsWindow(window);
    const bool system = proc_.IsSystemWindow(window);
    const bool excluded = proc_.IsExcludedWindow(window);
    return exists && (!title.empty() || settings_.ShowNoname) &&
           (!system || settings_.SystemWindow) && (!excluded || settings_.NotVWindow);
}

// Returns the row indices to remove, in removal order.
std::vector<int> BaselineRefresh::VerifyListed() {
    WindowTable& listed = tables_.ListedWindows;
    std::vector<int> removedRows;
    bool restart = true;
    while (restart) {
        restart = false;
        const int n = listed.Count();
        for (int i = 1; i <= n; ++i) {
            if (PassesFilters(listed[i])) {
                Yield();
                continue;
            }
            listed.RemoveAt(i);
            removedRows.push_back(i);
            restart = true;
            break;
        }
    }
    return removedRows;
}

std::vector<WindowHandle> BaselineRefresh::MergeFound() {
    const WindowTable& found = tables_.FoundWindows;
    WindowTable& listed = tables_.ListedWindows;
    std::vector<WindowHandle> newWindows;
    for (int p = 1; p <= found.Count(); ++p) {
        bool already = false;
        for (int i = 1; i <= listed.Count(); ++i) {
            if (found[p] == listed[i]) already = true;
            Yield();
        }
        if (!already) {
            if (!listed.Append(found[p])) throw std::length_error("listed table full");
            newWindows.push_back(found[p]);
        }
        Yield();
    }
    return newWindows;
}

void BaselineRefresh::AddRows(const std::vector<WindowHandle>& newWindows) {
    for (WindowHandle h : newWindows) {
        const std::string title = proc_.WindowTitle(h);
        const int row = list_.AddRow();
        list_.SetIcon(row, StatusIconIndex(proc_.GetWindowStatus(h)));
        list_.SetText(row, 0, title);
        list_.SetText(row, 1, proc_.GetWindowStatus(h));
        list_.SetText(row, 2, RectangleText(h, list_.Text(row, 1)));
        list_.SetText(row, 3, CutAtNull(windows_.ClassName(h)));
        list_.SetText(row, 4, HandleText(h));
    }
}

void BaselineRefresh::UpdateRows() {
    const WindowTable& listed = tables_.ListedWindows;
    for (int r = 1; r <= listed.Count(); ++r) {
        const WindowHandle h = listed[r];
        if (proc_.GetWindowStatus(h) != list_.Text(r, 1)) {
            list_.SetText(r, 1, proc_.GetWindowStatus(h));
            list_.SetIcon(r, StatusIconIndex(proc_.GetWindowStatus(h)));
        }
        const std::string rect = RectangleText(h, list_.Text(r, 1));
        if (rect != list_.Text(r, 2)) list_.SetText(r, 2, rect);
        const std::string title = proc_.WindowTitle(h);
        if (title != list_.Text(r, 0)) list_.SetText(r, 0, title);
    }
}

// The rectangle is always read, then replaced by "-" for the statuses that
// show none.
std::string BaselineRefresh::RectangleText(WindowHandle window, const std::string& status) {
    const std::string text = WindowRectText(windows_.WindowRectangle(window));
    return StatusShowsRectangle(status) ? text : "-";
}

}  // namespace qov::bench
