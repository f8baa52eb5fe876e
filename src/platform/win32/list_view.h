#pragma once
// The report-view list. The texts and icons of every row are kept here as
// well as in the control, so reads never ask the control and writing a text
// a cell already shows costs nothing.
#include <windows.h>

#include <array>
#include <string>
#include <vector>

#include "platform/forms.h"
#include "platform/win32/native_control.h"
#include "platform/win32/win32_image_list.h"

namespace qov::win32::ui {

class Win32ListView final : public ControlBase<ListView> {
public:
    static constexpr int kCells = 5;  // item text and sub-items 1..4

    Win32ListView(FormContext& context, HWND parent, const TwipsRect& bounds);
    ~Win32ListView() override;

    void AddColumn(std::string_view header, int widthTwips) override;
    int ColumnCount() const override { return static_cast<int>(columns_.size()); }
    std::string ColumnHeader(int column) const override;
    int ColumnWidth(int column) const override;
    void SetColumnWidth(int column, int widthTwips) override;
    void SetSmallIcons(ImageList& images) override;

    int AddRow() override;
    void RemoveRow(int row) override;
    int RowCount() const override { return static_cast<int>(rows_.size()); }
    std::string Text(int row, int column) const override;
    void SetText(int row, int column, std::string_view text) override;
    int Icon(int row) const override;
    void SetIcon(int row, int icon) override;

    int SelectedIndex() const override;
    void SetSelectedIndex(int row) override;

    void BeginUpdate() override;
    void EndUpdate() override;

    void Detach() override;
    void Rescale(UINT oldDpi) override;

private:
    struct Column {
        std::string header;
        int widthTwips = 0;
    };
    struct Row {
        std::array<std::string, kCells> cells;
        int icon = 0;
    };

    static LRESULT CALLBACK Subclass(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                     UINT_PTR id, DWORD_PTR self);
    LRESULT OnMouse(UINT message, WPARAM wParam, LPARAM lParam);
    void RaiseMouse(bool down, int button, WPARAM keys, LPARAM position);
    const Row& RowAt(int row) const;
    void ShowSmallIcons(HIMAGELIST images);
    void CheckColumn(int column) const;

    // Row icons at the form's resolution; the rows are as high as they are.
    ShownImageList smallIcons_;
    std::vector<Column> columns_;
    std::vector<Row> rows_;
    int selected_ = 0;
    int updateDepth_ = 0;
    bool redrawSuspended_ = false;
    int buttonsDown_ = 0;  // buttons pressed here whose release is not yet reported
    int pressing_ = 0;     // buttons whose press is being handled by the list
};

}  // namespace qov::win32::ui
