#pragma once
// The main window's list of windows: a report list view with a row icon per
// status, and the status bar under it showing one undivided text.
#include <windows.h>

#include <array>
#include <string>

#include "core/window_list.h"
#include "win32/handles.h"

namespace qov::win32 {

class ListView final : public WindowList {
public:
    static constexpr int kColumns = 5;
    using ColumnWidths = std::array<int, kColumns>;  // twips

    // Creates both controls in `parent`; throws ListError when either cannot be made.
    ListView(HWND parent, UINT dpi, const ColumnWidths& widths);

    HWND Handle() const { return list_.get(); }
    HWND StatusBar() const { return statusBar_.get(); }

    // The status bar docks at the bottom; the list fills the room from `top` down to it.
    void Layout(int top);
    // The widths as they now are: a column the user did not drag reads back
    // exactly as it was given.
    ColumnWidths Widths() const;
    // Fonts, row icons and column widths again at `dpi`.
    void DpiChanged(UINT dpi);

    void AppendRow() override;
    void RemoveRow(int row) override;
    void SetText(int row, int column, const std::string& text) override;
    void SetIcon(int row, int icon) override;
    // The selected row, -1 when none is.
    int SelectedRow() const;
    void BeginBulkChange() override;
    void EndBulkChange() override;
    void SetStatusText(const std::string& text) override;

private:
    void ApplyFontAndIcons();

    UINT dpi_;
    ColumnWidths widths_;
    // Before the controls that use them, so they are freed after them.
    UniqueFont font_;
    UniqueImageList rowIcons_;
    UniqueWindow list_;
    UniqueWindow statusBar_;
    std::string statusText_;
    int bulkDepth_ = 0;
    bool redrawSuspended_ = false;
};

}  // namespace qov::win32
