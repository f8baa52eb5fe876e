#pragma once
// The main list and its status text, counting every write. A row it does
// not have is refused, as a list view refuses it.

#include <array>
#include <string>
#include <vector>

#include "core/window_list.h"

namespace qov::fakes {

class FakeList : public WindowList {
public:
    struct Row { std::array<std::string, 5> cells; int icon = 0; };
    std::vector<Row> rows;
    std::string status;
    // Rows added or removed; texts and icons written; status texts written.
    struct { int rows = 0, fields = 0, status = 0; } writes;
    int bulkBegun = 0, bulkEnded = 0;
    bool refuseRemoval = false;  // as a list view may, short of memory

    void AppendRow() override { ++writes.rows, rows.emplace_back(); }
    void RemoveRow(int row) override {
        if (refuseRemoval) throw ListError("row not removed");
        (void)rows.at(row), ++writes.rows;
        rows.erase(rows.begin() + row);
    }
    void SetText(int row, int column, const std::string& text) override {
        ++writes.fields, rows.at(row).cells.at(column) = text;
    }
    void SetIcon(int row, int icon) override { ++writes.fields, rows.at(row).icon = icon; }
    void BeginBulkChange() override { ++bulkBegun; }
    void EndBulkChange() override { ++bulkEnded; }
    void SetStatusText(const std::string& text) override { ++writes.status, status = text; }
};

}  // namespace qov::fakes
