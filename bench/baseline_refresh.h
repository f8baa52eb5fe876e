#pragma once
// The refresh as first written, line by line: kept in the benchmark only, as
// the yardstick the program's refresh is measured against. It is not part of
// the program and nothing in src/ may use it.
//
// Its costs are deliberate: the verification pass starts again from the
// first entry after every removal and reads each entry's title three times,
// the merge pass compares every found window with every listed one, a new
// row asks for the status twice, and the update pass asks for it three times
// when it changed, always reads the rectangle and the title again. Every
// status reads the foreground window afresh.

#include <cstdint>
#include <string>
#include <vector>

#include "core/list_rows.h"
#include "core/window_model.h"
#include "fakes/fake_list.h"
#include "fakes/text_match.h"

namespace qov::bench {

class BaselineRefresh {
public:
    BaselineRefresh(WindowSystem& windows, const Settings& settings)
        : windows_(windows), settings_(settings), model_(windows, settings, fakes::TitleContains) {}

    // One cycle. Throws std::length_error past kMaxWindows windows.
    void Run();

    fakes::FakeList& List() { return list_; }
    std::size_t ListedCount() const { return listed_.size() - 1; }
    // Event-loop yields made so far (the benchmark's yield does nothing).
    std::int64_t Yields() const { return yields_; }

private:
    void Enumerate();
    bool CollectWindow(WindowHandle window);
    bool PassesFilters(WindowHandle window);
    std::vector<int> VerifyListed();
    std::vector<WindowHandle> MergeFound();
    void AddRows(const std::vector<WindowHandle>& newWindows);
    void UpdateRows();
    struct StatusRead {
        std::string text;
        StatusIcon icon;
        bool showsRectangle;
    };
    StatusRead Status(WindowHandle window);
    std::string Title(WindowHandle window) { return CutAtNull(windows_.Title(window)); }
    bool IsSystemWindow(WindowHandle window) { return model_.IsSystemTitle(Title(window)); }
    bool IsExcludedWindow(WindowHandle window) { return model_.IsExcludedTitle(Title(window)); }
    std::string RectangleText(WindowHandle window, bool showsRectangle);
    std::string& Cell(int row, int column) { return list_.rows.at(static_cast<std::size_t>(row - 1)).cells.at(column); }
    void Yield() { ++yields_; }

    WindowSystem& windows_;
    const Settings& settings_;
    WindowModel model_;
    // 1-based tables of handles, entry 0 unused, as first written.
    std::vector<WindowHandle> found_{0};
    std::vector<WindowHandle> listed_{0};
    fakes::FakeList list_;
    std::int64_t yields_ = 0;
};

}  // namespace qov::bench
