#include "win32/list_view.h"

#include <commctrl.h>

#include <iterator>
#include <string>

#include "core/list_rows.h"
#include "win32/failure.h"
#include "win32/layout.h"
#include "win32/pictures.h"
#include "win32/text.h"

namespace qov::win32 {
namespace {

constexpr const wchar_t* kHeaders[ListView::kColumns] = {L"タイトル", L"状態", L"サイズ", L"クラス名",
                                                         L"ハンドル"};
constexpr int kListId = 1;
constexpr int kStatusBarId = 2;

HWND CreateChild(HWND parent, DWORD exStyle, const wchar_t* className, DWORD style, int id) {
    HWND child = ::CreateWindowExW(exStyle, className, L"", WS_CHILD | WS_VISIBLE | style, 0, 0, 0,
                                   0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                   ::GetModuleHandleW(nullptr), nullptr);
    if (!child) ThrowLastError<ListError>("cannot create the window list");
    return child;
}

// Row icon i is image i - 1 of the row icon list.
int ImageOf(int icon) { return icon > NoIcon ? icon - 1 : I_IMAGENONE; }

}  // namespace

ListView::ListView(HWND parent, UINT dpi, const ColumnWidths& widths)
    : dpi_(dpi), widths_(widths) {
    statusBar_.reset(CreateChild(parent, 0, STATUSCLASSNAMEW, SBARS_SIZEGRIP | WS_CLIPSIBLINGS,
                                 kStatusBarId));
    // One undivided field: other programs read it as part 0 with SB_GETTEXTW.
    ::SendMessageW(statusBar_.get(), SB_SIMPLE, TRUE, 0);
    list_.reset(CreateChild(parent, WS_EX_CLIENTEDGE, WC_LISTVIEWW,
                            LVS_REPORT | LVS_SHOWSELALWAYS | LVS_SINGLESEL | LVS_SHAREIMAGELISTS |
                                WS_TABSTOP | WS_GROUP | WS_CLIPSIBLINGS,
                            kListId));
    const DWORD extended = LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER;
    ::SendMessageW(list_.get(), LVM_SETEXTENDEDLISTVIEWSTYLE, extended, extended);
    ApplyFontAndIcons();
    for (int column = 0; column < kColumns; ++column) {
        LVCOLUMNW header{};
        header.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        header.pszText = const_cast<wchar_t*>(kHeaders[column]);
        header.cx = TwipsToPixels(widths_[column], dpi_);
        header.iSubItem = column;
        if (::SendMessageW(list_.get(), LVM_INSERTCOLUMNW, column,
                           reinterpret_cast<LPARAM>(&header)) != column) {
            throw ListError("cannot add a list column");
        }
    }
}

void ListView::Layout(int top) {
    ::SendMessageW(statusBar_.get(), WM_SIZE, 0, 0);
    RECT status{};
    ::GetWindowRect(statusBar_.get(), &status);
    ::MapWindowPoints(HWND_DESKTOP, ::GetParent(statusBar_.get()),
                      reinterpret_cast<POINT*>(&status), 2);
    const int height = status.top - top;
    ::MoveWindow(list_.get(), 0, top, status.right - status.left, height > 0 ? height : 0, TRUE);
}

ListView::ColumnWidths ListView::Widths() const {
    ColumnWidths widths = widths_;
    for (int column = 0; column < kColumns; ++column) {
        const int pixels =
            static_cast<int>(::SendMessageW(list_.get(), LVM_GETCOLUMNWIDTH, column, 0));
        if (pixels != TwipsToPixels(widths[column], dpi_)) widths[column] = PixelsToTwips(pixels, dpi_);
    }
    return widths;
}

void ListView::DpiChanged(UINT dpi) {
    widths_ = Widths();  // what each column measured at the old resolution
    dpi_ = dpi;
    ApplyFontAndIcons();
    for (int column = 0; column < kColumns; ++column) {
        ::SendMessageW(list_.get(), LVM_SETCOLUMNWIDTH, column,
                       MAKELPARAM(TwipsToPixels(widths_[column], dpi_), 0));
    }
}

// The controls do not own their font, nor the list its image list
// (LVS_SHAREIMAGELISTS): the old ones are freed only after the new ones are in
// place. Without a new font the controls keep the one they have.
void ListView::ApplyFontAndIcons() {
    if (UniqueFont font = CreateUiFont(dpi_)) {
        for (HWND control : {list_.get(), statusBar_.get()}) {
            ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), FALSE);
        }
        font_ = std::move(font);
    }
    UniqueImageList icons = CreateRowIconList(dpi_);
    ::SendMessageW(list_.get(), LVM_SETIMAGELIST, LVSIL_SMALL,
                   reinterpret_cast<LPARAM>(icons.get()));
    rowIcons_ = std::move(icons);
}

void ListView::AppendRow() {
    const int count = static_cast<int>(::SendMessageW(list_.get(), LVM_GETITEMCOUNT, 0, 0));
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_IMAGE;
    item.iItem = count;
    item.pszText = const_cast<wchar_t*>(L"");
    item.iImage = ImageOf(NoIcon);
    const LRESULT index =
        ::SendMessageW(list_.get(), LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    if (index != count) {
        // Rows must stay in step with the table: a row put elsewhere goes again.
        if (index >= 0) ::SendMessageW(list_.get(), LVM_DELETEITEM, index, 0);
        throw ListError("cannot add a list row");
    }
}

void ListView::RemoveRow(int row) {
    if (!::SendMessageW(list_.get(), LVM_DELETEITEM, row, 0)) {
        throw ListError("cannot remove list row " + std::to_string(row));
    }
}

void ListView::SetText(int row, int column, const std::string& text) {
    std::wstring wide = Utf8ToWide(text);
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = wide.data();
    if (!::SendMessageW(list_.get(), LVM_SETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item))) {
        throw ListError("cannot set the text of list row " + std::to_string(row));
    }
}

void ListView::SetIcon(int row, int icon) {
    LVITEMW item{};
    item.mask = LVIF_IMAGE;
    item.iItem = row;
    item.iImage = ImageOf(icon);
    if (!::SendMessageW(list_.get(), LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item))) {
        throw ListError("cannot set the icon of list row " + std::to_string(row));
    }
}

int ListView::SelectedRow() const {
    return static_cast<int>(::SendMessageW(list_.get(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

// WM_SETREDRAW TRUE also makes a window visible: a hidden list is left alone.
void ListView::BeginBulkChange() {
    if (bulkDepth_++ > 0 || !(::GetWindowLongPtrW(list_.get(), GWL_STYLE) & WS_VISIBLE)) return;
    ::SendMessageW(list_.get(), WM_SETREDRAW, FALSE, 0);
    redrawSuspended_ = true;
}

void ListView::EndBulkChange() {
    if (bulkDepth_ == 0 || --bulkDepth_ > 0 || !redrawSuspended_) return;
    redrawSuspended_ = false;
    ::SendMessageW(list_.get(), WM_SETREDRAW, TRUE, 0);
    ::RedrawWindow(list_.get(), nullptr, nullptr,
                   RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
}

void ListView::SetStatusText(const std::string& text) {
    if (text == statusText_) return;
    const std::wstring wide = Utf8ToWide(text);
    ::SendMessageW(statusBar_.get(), SB_SETTEXTW, SB_SIMPLEID, reinterpret_cast<LPARAM>(wide.c_str()));
    statusText_ = text;
}

}  // namespace qov::win32
