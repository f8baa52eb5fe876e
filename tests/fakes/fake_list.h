#pragma once
// The main list and its status text, counting every write.

#include <array>
#include <string>
#include <vector>

#include "core/ports.h"

namespace qov::fakes {

struct ListWrites {
    int rows = 0, fields = 0, status = 0;  // rows added or removed; texts and icons written
    int Total() const { return rows + fields + status; }
};

class FakeList : public WindowList {
public:
    struct Row {
        std::array<std::string, 5> cells;
        int icon = 0;
    };
    std::vector<Row> rows;
    int selected = 0;
    std::string status;
    ListWrites writes;
    int bulkBegun = 0, bulkEnded = 0;

    void AppendRow() override { ++writes.rows; rows.emplace_back(); }
    // The selection follows its row, as a list view's does, and goes with it.
    void RemoveRow(int row) override {
        ++writes.rows;
        rows.erase(rows.begin() + (row - 1));
        selected = selected == row ? 0 : selected - (selected > row);
    }
    std::string Text(int row, int column) const override {
        return rows.at(row - 1).cells.at(column);
    }
    void SetText(int row, int column, const std::string& text) override {
        ++writes.fields;
        rows.at(row - 1).cells.at(column) = text;
    }
    void SetIcon(int row, int icon) override { ++writes.fields; rows.at(row - 1).icon = icon; }
    int SelectedRow() const override { return selected; }
    void BeginBulkChange() override { ++bulkBegun; }
    void EndBulkChange() override { ++bulkEnded; }
    std::string StatusText() const override { return status; }
    void SetStatusText(const std::string& text) override { ++writes.status; status = text; }
};

}  // namespace qov::fakes
