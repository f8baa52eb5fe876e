#include "platform/win32/list_view.h"

#include <commctrl.h>
#include <windowsx.h>

#include <cmath>

#include "platform/win32/text_conversion.h"

namespace qov::win32::ui {
namespace {

constexpr UINT_PTR kSubclassId = 1;

int NativeImage(int icon) { return icon > 0 ? icon - 1 : I_IMAGENONE; }

}  // namespace

Win32ListView::Win32ListView(FormContext& context, HWND parent, const TwipsRect& bounds)
    : ControlBase(context, parent, bounds,
                  {.className = WC_LISTVIEWW,
                   .text = {},
                   .style = LVS_REPORT | LVS_SHOWSELALWAYS | LVS_SINGLESEL |
                            LVS_SHAREIMAGELISTS | WS_TABSTOP | WS_GROUP | WS_CLIPSIBLINGS,
                   .exStyle = WS_EX_CLIENTEDGE}) {
    const DWORD extended = LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER;
    SendMessageW(Window(), LVM_SETEXTENDEDLISTVIEWSTYLE, extended, extended);
    // The list view eats button releases in its own drag-detection loop; the
    // subclass reports presses and releases itself.
    SetWindowSubclass(Window(), Subclass, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
}

Win32ListView::~Win32ListView() {
    if (Alive()) RemoveWindowSubclass(Window(), Subclass, kSubclassId);
}

void Win32ListView::CheckColumn(int column) const {
    if (column < 1 || column > ColumnCount()) {
        throw ToolkitError("list column " + std::to_string(column) + " out of range");
    }
}

const Win32ListView::Row& Win32ListView::RowAt(int row) const {
    if (row < 1 || row > RowCount()) {
        throw ToolkitError("list row " + std::to_string(row) + " out of range");
    }
    return rows_[static_cast<size_t>(row - 1)];
}

void Win32ListView::AddColumn(std::string_view header, int widthTwips) {
    if (Alive()) {
        std::wstring text = Utf8ToWide(header);
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        column.pszText = text.data();
        column.cx = Context().Pixels(widthTwips);
        column.iSubItem = ColumnCount();
        if (SendMessageW(Window(), LVM_INSERTCOLUMNW, static_cast<WPARAM>(ColumnCount()),
                         reinterpret_cast<LPARAM>(&column)) < 0) {
            throw ToolkitError("cannot add a list column");
        }
    }
    columns_.push_back({std::string(header), widthTwips});
}

// Reads out of range answer empty, as a missing native item reads; writes
// out of range throw.
std::string Win32ListView::ColumnHeader(int column) const {
    if (column < 1 || column > ColumnCount()) return {};
    return columns_[static_cast<size_t>(column - 1)].header;
}

// A width the user did not change reads back exactly as it was set; one the
// user dragged reads back converted from its pixels.
int Win32ListView::ColumnWidth(int column) const {
    if (column < 1 || column > ColumnCount()) return 0;
    const int remembered = columns_[static_cast<size_t>(column - 1)].widthTwips;
    if (!Alive()) return remembered;
    const int pixels = static_cast<int>(
        SendMessageW(Window(), LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column - 1), 0));
    if (pixels == Context().Pixels(remembered)) return remembered;
    return static_cast<int>(std::lround(Context().Twips(pixels)));
}

void Win32ListView::SetColumnWidth(int column, int widthTwips) {
    CheckColumn(column);
    columns_[static_cast<size_t>(column - 1)].widthTwips = widthTwips;
    if (Alive()) {
        SendMessageW(Window(), LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(column - 1),
                     MAKELPARAM(Context().Pixels(widthTwips), 0));
    }
}

void Win32ListView::SetSmallIcons(ImageList& images) {
    smallIcons_.Attach(images, Context().dpi, [this](HIMAGELIST native) { ShowSmallIcons(native); });
}

// The list does not own it (LVS_SHAREIMAGELISTS): smallIcons_ does.
void Win32ListView::ShowSmallIcons(HIMAGELIST images) {
    if (Alive()) {
        SendMessageW(Window(), LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(images));
    }
}

int Win32ListView::AddRow() {
    if (Alive()) {
        LVITEMW item{};
        item.mask = LVIF_TEXT | LVIF_IMAGE;
        item.iItem = RowCount();
        item.pszText = const_cast<wchar_t*>(L"");
        item.iImage = NativeImage(0);
        const LRESULT index =
            SendMessageW(Window(), LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
        if (index != RowCount()) {
            if (index >= 0) SendMessageW(Window(), LVM_DELETEITEM, static_cast<WPARAM>(index), 0);
            throw ToolkitError("cannot add a list row");
        }
    }
    rows_.emplace_back();
    return RowCount();
}

void Win32ListView::RemoveRow(int row) {
    RowAt(row);
    if (Alive() && !SendMessageW(Window(), LVM_DELETEITEM, static_cast<WPARAM>(row - 1), 0)) {
        throw ToolkitError("cannot remove list row " + std::to_string(row));
    }
    rows_.erase(rows_.begin() + (row - 1));
    if (selected_ == row) selected_ = 0;
    else if (selected_ > row) --selected_;
}

std::string Win32ListView::Text(int row, int column) const {
    if (row < 1 || row > RowCount() || column < 0 || column >= kCells) return {};
    return rows_[static_cast<size_t>(row - 1)].cells[static_cast<size_t>(column)];
}

void Win32ListView::SetText(int row, int column, std::string_view text) {
    RowAt(row);
    if (column < 0 || column >= kCells) throw ToolkitError("list cell out of range");
    std::string& cell = rows_[static_cast<size_t>(row - 1)].cells[static_cast<size_t>(column)];
    if (cell == text) return;
    if (Alive()) {
        std::wstring wide = Utf8ToWide(text);
        LVITEMW item{};
        item.iSubItem = column;
        item.pszText = wide.data();
        if (!SendMessageW(Window(), LVM_SETITEMTEXTW, static_cast<WPARAM>(row - 1),
                          reinterpret_cast<LPARAM>(&item))) {
            throw ToolkitError("cannot set the text of list row " + std::to_string(row));
        }
    }
    cell = std::string(text);
}

int Win32ListView::Icon(int row) const {
    return row >= 1 && row <= RowCount() ? rows_[static_cast<size_t>(row - 1)].icon : 0;
}

void Win32ListView::SetIcon(int row, int icon) {
    RowAt(row);
    int& current = rows_[static_cast<size_t>(row - 1)].icon;
    if (current == icon) return;
    if (Alive()) {
        LVITEMW item{};
        item.mask = LVIF_IMAGE;
        item.iItem = row - 1;
        item.iImage = NativeImage(icon);
        if (!SendMessageW(Window(), LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item))) {
            throw ToolkitError("cannot set the icon of list row " + std::to_string(row));
        }
    }
    current = icon;
}

int Win32ListView::SelectedIndex() const {
    if (!Alive()) return selected_;
    return static_cast<int>(
               SendMessageW(Window(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED)) +
           1;
}

void Win32ListView::SetSelectedIndex(int row) {
    if (row != 0) RowAt(row);
    selected_ = row;
    if (!Alive()) return;
    LVITEMW state{};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    if (row == 0) {
        state.stateMask = LVIS_SELECTED;
        SendMessageW(Window(), LVM_SETITEMSTATE, static_cast<WPARAM>(-1),
                     reinterpret_cast<LPARAM>(&state));
        return;
    }
    state.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(Window(), LVM_SETITEMSTATE, static_cast<WPARAM>(row - 1),
                 reinterpret_cast<LPARAM>(&state));
    SendMessageW(Window(), LVM_SETSELECTIONMARK, 0, row - 1);
}

// Redrawing is switched by WM_SETREDRAW, which also sets the visible style
// bit when drawing resumes: a hidden list is left alone.
void Win32ListView::BeginUpdate() {
    if (updateDepth_++ > 0 || !Alive()) return;
    if (GetWindowLongPtrW(Window(), GWL_STYLE) & WS_VISIBLE) {
        SendMessageW(Window(), WM_SETREDRAW, FALSE, 0);
        redrawSuspended_ = true;
    }
}

void Win32ListView::EndUpdate() {
    if (updateDepth_ == 0) throw ToolkitError("EndUpdate without BeginUpdate");
    if (--updateDepth_ > 0) return;
    if (!redrawSuspended_) return;
    redrawSuspended_ = false;
    if (!Alive()) return;
    SendMessageW(Window(), WM_SETREDRAW, TRUE, 0);
    RedrawWindow(Window(), nullptr, nullptr,
                 RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
}

void Win32ListView::Rescale(UINT oldDpi) {
    smallIcons_.Rescale(Context().dpi, [this](HIMAGELIST native) { ShowSmallIcons(native); });
    if (Alive()) {
        for (size_t i = 0; i < columns_.size(); ++i) {
            // What the column measured in twips before, dragged or not.
            const int pixels =
                static_cast<int>(SendMessageW(Window(), LVM_GETCOLUMNWIDTH, i, 0));
            int& twips = columns_[i].widthTwips;
            if (pixels != TwipsToPixels(twips, oldDpi)) {
                twips = static_cast<int>(std::lround(PixelsToTwips(pixels, oldDpi)));
            }
            SendMessageW(Window(), LVM_SETCOLUMNWIDTH, i, MAKELPARAM(Context().Pixels(twips), 0));
        }
    }
    NativeControl::Rescale(oldDpi);
}

void Win32ListView::Detach() {
    if (Alive()) {
        for (int column = 1; column <= ColumnCount(); ++column) {
            columns_[static_cast<size_t>(column - 1)].widthTwips = ColumnWidth(column);
        }
        selected_ = SelectedIndex();
        RemoveWindowSubclass(Window(), Subclass, kSubclassId);
    }
    NativeControl::Detach();
}

LRESULT CALLBACK Win32ListView::Subclass(HWND window, UINT message, WPARAM wParam,
                                         LPARAM lParam, UINT_PTR, DWORD_PTR self) {
    switch (message) {
        case WM_LBUTTONDOWN: case WM_LBUTTONDBLCLK: case WM_LBUTTONUP:
        case WM_RBUTTONDOWN: case WM_RBUTTONDBLCLK: case WM_RBUTTONUP:
        case WM_MBUTTONDOWN: case WM_MBUTTONDBLCLK: case WM_MBUTTONUP:
            return reinterpret_cast<Win32ListView*>(self)->OnMouse(message, wParam, lParam);
        case WM_NCDESTROY:
            RemoveWindowSubclass(window, Subclass, kSubclassId);
            break;
        default:
            break;
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

// Presses are reported after the list has selected the row under the mouse.
// The list's drag detection swallows the release when the button comes up
// before a drag starts; the release is then reported as soon as the press
// has been handled.
LRESULT Win32ListView::OnMouse(UINT message, WPARAM wParam, LPARAM lParam) {
    HWND window = Window();
    int button = kLeftButton;
    int virtualKey = VK_LBUTTON;
    if (message >= WM_RBUTTONDOWN && message <= WM_RBUTTONDBLCLK) {
        button = kRightButton;
        virtualKey = VK_RBUTTON;
    } else if (message >= WM_MBUTTONDOWN && message <= WM_MBUTTONDBLCLK) {
        button = kMiddleButton;
        virtualKey = VK_MBUTTON;
    }
    const bool release =
        message == WM_LBUTTONUP || message == WM_RBUTTONUP || message == WM_MBUTTONUP;
    if (release) {
        const bool pending = (buttonsDown_ & button) != 0;
        buttonsDown_ &= ~button;
        const LRESULT result = DefSubclassProc(window, message, wParam, lParam);
        // A release that arrives while its press is still being handled is
        // reported after the press.
        if (pending && !(pressing_ & button)) RaiseMouse(false, button, wParam, lParam);
        return result;
    }
    buttonsDown_ |= button;
    pressing_ |= button;
    const LRESULT result = DefSubclassProc(window, message, wParam, lParam);
    pressing_ &= ~button;
    RaiseMouse(true, button, wParam, lParam);
    const bool released = (buttonsDown_ & button) == 0 || GetKeyState(virtualKey) >= 0;
    if (released) {
        buttonsDown_ &= ~button;
        const WPARAM buttons = MK_LBUTTON | MK_RBUTTON | MK_MBUTTON;
        RaiseMouse(false, button, wParam & ~buttons, lParam);
    }
    return result;
}

void Win32ListView::RaiseMouse(bool down, int button, WPARAM keys, LPARAM position) {
    MouseEventArgs args;
    args.button = button;
    args.shift = ((keys & MK_SHIFT) ? 1 : 0) | ((keys & MK_CONTROL) ? 2 : 0) |
                 (GetKeyState(VK_MENU) < 0 ? 4 : 0);
    args.x = Context().Twips(GET_X_LPARAM(position));
    args.y = Context().Twips(GET_Y_LPARAM(position));
    if (down) Raise(onMouseDown, args);
    else Raise(onMouseUp, args);
}

}  // namespace qov::win32::ui
