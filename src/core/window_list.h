#pragma once
// The main list and the status text under it, as the core writes them. The
// core keeps what it wrote and never reads the list back.

#include <stdexcept>
#include <string>

namespace qov {

// A list operation the control refused. Rows and the listed windows still
// agree when it is thrown; the program closes in order.
class ListError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The main list (row 0 first; row i shows entry i of the listed windows) and
// the status text under it.
class WindowList {
public:
    virtual ~WindowList() = default;

    enum Column { TitleColumn = 0, StatusColumn, RectColumn, ClassColumn, HandleColumn };

    virtual void AppendRow() = 0;
    virtual void RemoveRow(int row) = 0;
    virtual void SetText(int row, int column, const std::string& text) = 0;
    virtual void SetIcon(int row, int icon) = 0;  // StatusIcon values

    // Around many row changes, so the list repaints once.
    virtual void BeginBulkChange() = 0;
    virtual void EndBulkChange() = 0;

    virtual void SetStatusText(const std::string& text) = 0;
};

}  // namespace qov
