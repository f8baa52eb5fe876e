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

#include "core/window_model.h"
#include "fakes/fake_list.h"

namespace qov::bench {

class BaselineRefresh {
public:
    BaselineRefresh(WindowSystem& windows, const Settings& settings)
        : windows_(windows), settings_(settings), model_(windows, settings) {}

    // One cycle. Throws std::length_error when a table would overflow.
    void Run();

    fakes::FakeList& List() { return list_; }
    const WindowTable& Listed() const { return listed_; }
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
    std::string Status(WindowHandle window) { return model_.Status(window, windows_.Foreground()); }
    bool IsSystemWindow(WindowHandle window) { return model_.IsSystemTitle(model_.Title(window)); }
    bool IsExcludedWindow(WindowHandle window) {
        return model_.IsExcludedTitle(model_.Title(window));
    }
    std::string RectangleText(WindowHandle window, const std::string& status);
    void Yield() { ++yields_; }

    WindowSystem& windows_;
    const Settings& settings_;
    WindowModel model_;
    WindowTable found_;
    WindowTable listed_;
    fakes::FakeList list_;
    std::int64_t yields_ = 0;
};

}  // namespace qov::bench
