#pragma once
// Reads and drives a report list view of another process, the way the tests
// look at QOV's window list.
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace qov::e2e {

// One row's texts, column 1 first.
using Row = std::vector<std::wstring>;

class RemoteListView {
public:
    // `process` is the list's owner, opened with OpenForMemoryAccess; borrowed.
    RemoteListView(HWND list, HANDLE process) : list_(list), process_(process) {}

    HWND window() const { return list_; }
    int RowCount() const;
    int ColumnCount() const;
    std::vector<std::wstring> ColumnTitles() const;

    // Every row with every column. The owner refreshes the list while it
    // answers our messages one at a time, so only a reading that comes out
    // the same twice in a row is returned; nothing when none settles or the
    // list does not answer.
    std::optional<std::vector<Row>> Snapshot() const;

    // Makes `row` the only selected (and focused) row; -1 clears the selection.
    bool Select(int row) const;
    // The first selected row, or -1.
    int SelectedRow() const;
    // The row's bounds in the list's client coordinates.
    std::optional<RECT> ItemRect(int row) const;

private:
    std::optional<std::vector<Row>> ReadAll() const;
    bool ReadText(int row, int column, std::wstring* text) const;

    HWND list_;
    HANDLE process_;
};

// The index of the first row whose `column` (0-based) reads `text`.
std::optional<int> FindRow(const std::vector<Row>& rows, int column, const std::wstring& text);

}  // namespace qov::e2e
