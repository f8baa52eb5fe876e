#pragma once
// The status bar: the refresh's count of windows, unless a notice stands in
// its place (a command that waits for a window, or windows that Windows
// refused). The refresh writes through it as it writes to the list; the
// count comes back once the notice is cleared.

#include <string>

#include "core/window_list.h"

namespace qov {

class StatusLine final : public WindowList {
public:
    explicit StatusLine(WindowList& list) : list_(list) {}

    void ShowNotice(const std::string& text);
    void ClearNotice() { ShowNotice({}); }
    const std::string& Notice() const { return notice_; }

    // The rows pass through; the status text is the count, shown when no notice stands.
    void AppendRow() override { list_.AppendRow(); }
    void RemoveRow(int row) override { list_.RemoveRow(row); }
    void SetText(int row, int column, const std::string& text) override { list_.SetText(row, column, text); }
    void SetIcon(int row, int icon) override { list_.SetIcon(row, icon); }
    void BeginBulkChange() override { list_.BeginBulkChange(); }
    void EndBulkChange() override { list_.EndBulkChange(); }
    void SetStatusText(const std::string& text) override;

private:
    void Show();

    WindowList& list_;
    std::string count_;
    std::string notice_;
    std::string shown_;
};

}  // namespace qov
