#pragma once
// The refresh as first written, line by line: kept in the benchmark only, as
// the yardstick the program's refresh is measured against. It is not part of
// the program and nothing in src/ may use it.
//
// Its costs are deliberate: the verification pass starts again from the
// first entry after every removal and reads each entry's title three times,
// the merge pass compares every found window with every listed one, a new
// row asks for the status twice, and the update pass asks for it three times
// when it changed, always reads the rectangle and the title again.

#include <cstdint>
#include <vector>

#include "platform/sim/sim_controls.h"
#include "platform/sim/sim_list_view.h"
#include "platform/window_system.h"
#include "settings/settings.h"
#include "window_model/window_proc.h"
#include "window_model/window_table.h"

namespace qov::bench {

class BaselineRefresh {
public:
    BaselineRefresh(WindowSystem& windows, const Settings& settings);

    // One cycle. Throws std::length_error when a table would overflow.
    void Run();

    sim::SimListView& List() { return list_; }
    sim::SimStatusBar& Status() { return status_; }
    const WindowTable& Listed() const { return tables_.ListedWindows; }
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
    std::string RectangleText(WindowHandle window, const std::string& status);
    void Yield() { ++yields_; }

    WindowSystem& windows_;
    const Settings& settings_;
    WindowProc proc_;
    WindowTables tables_;
    sim::SimListView list_{TwipsRect{0, 480, 9135, 5895}};
    sim::SimStatusBar status_;
    std::int64_t yields_ = 0;
};

}  // namespace qov::bench
