#include "remote_list_view.h"

#include <commctrl.h>

#include "remote_memory.h"

namespace qov::e2e {
namespace {

constexpr int kTextCapacity = 512;  // UTF-16 units; titles are at most 254
constexpr std::size_t kTextOffset = sizeof(LVITEMW) + 16;
constexpr std::size_t kBufferSize = kTextOffset + kTextCapacity * sizeof(wchar_t);
constexpr int kSnapshotAttempts = 20;

std::wstring ReadRemoteText(const RemoteBuffer& buffer, std::size_t offset) {
    wchar_t text[kTextCapacity] = {};
    if (!buffer.Read(offset, text, sizeof(text))) return {};
    text[kTextCapacity - 1] = L'\0';
    return text;
}

}  // namespace

int RemoteListView::RowCount() const {
    LRESULT count = 0;
    if (!SendWithTimeout(list_, LVM_GETITEMCOUNT, 0, 0, &count)) return -1;
    return static_cast<int>(count);
}

int RemoteListView::ColumnCount() const {
    LRESULT header = 0;
    if (!SendWithTimeout(list_, LVM_GETHEADER, 0, 0, &header) || header == 0) return -1;
    LRESULT count = 0;
    if (!SendWithTimeout(reinterpret_cast<HWND>(header), HDM_GETITEMCOUNT, 0, 0, &count)) return -1;
    return static_cast<int>(count);
}

std::vector<std::wstring> RemoteListView::ColumnTitles() const {
    std::vector<std::wstring> titles;
    RemoteBuffer buffer(process_, kBufferSize);
    const int count = ColumnCount();
    for (int column = 0; column < count; ++column) {
        LVCOLUMNW request{};
        request.mask = LVCF_TEXT;
        request.pszText = reinterpret_cast<LPWSTR>(buffer.At(kTextOffset));
        request.cchTextMax = kTextCapacity;
        const wchar_t empty = L'\0';
        if (!buffer.Write(0, &request, sizeof(request)) ||
            !buffer.Write(kTextOffset, &empty, sizeof(empty)) ||
            !SendWithTimeout(list_, LVM_GETCOLUMNW, column, buffer.At())) {
            break;
        }
        titles.push_back(ReadRemoteText(buffer, kTextOffset));
    }
    return titles;
}

bool RemoteListView::ReadText(int row, int column, std::wstring* text) const {
    RemoteBuffer buffer(process_, kBufferSize);
    LVITEMW request{};
    request.iSubItem = column;
    request.pszText = reinterpret_cast<LPWSTR>(buffer.At(kTextOffset));
    request.cchTextMax = kTextCapacity;
    const wchar_t empty = L'\0';
    if (!buffer.Write(0, &request, sizeof(request)) ||
        !buffer.Write(kTextOffset, &empty, sizeof(empty)) ||
        !SendWithTimeout(list_, LVM_GETITEMTEXTW, row, buffer.At())) {
        return false;
    }
    *text = ReadRemoteText(buffer, kTextOffset);
    return true;
}

std::optional<std::vector<Row>> RemoteListView::ReadAll() const {
    const int columns = ColumnCount();
    const int count = RowCount();
    if (columns < 0 || count < 0) return std::nullopt;
    std::vector<Row> rows;
    for (int row = 0; row < count; ++row) {
        Row texts(columns);
        for (int column = 0; column < columns; ++column) {
            if (!ReadText(row, column, &texts[column])) return std::nullopt;
        }
        rows.push_back(std::move(texts));
    }
    return rows;
}

std::optional<std::vector<Row>> RemoteListView::Snapshot() const {
    std::optional<std::vector<Row>> previous = ReadAll();
    for (int attempt = 0; attempt < kSnapshotAttempts; ++attempt) {
        std::optional<std::vector<Row>> current = ReadAll();
        if (current && current == previous) return current;
        previous = std::move(current);
    }
    return std::nullopt;
}

bool RemoteListView::Select(int row) const {
    RemoteBuffer buffer(process_, sizeof(LVITEMW));
    LVITEMW clear{};
    clear.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    if (!buffer.Write(0, &clear, sizeof(clear)) ||
        !SendWithTimeout(list_, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), buffer.At())) {
        return false;
    }
    if (row < 0) return true;
    LVITEMW select{};
    select.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    select.state = LVIS_SELECTED | LVIS_FOCUSED;
    LRESULT done = 0;
    return buffer.Write(0, &select, sizeof(select)) &&
           SendWithTimeout(list_, LVM_SETITEMSTATE, row, buffer.At(), &done) && done != 0;
}

int RemoteListView::SelectedRow() const {
    LRESULT row = -1;
    if (!SendWithTimeout(list_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1),
                         MAKELPARAM(LVNI_SELECTED, 0), &row)) {
        return -1;
    }
    return static_cast<int>(row);
}

std::optional<RECT> RemoteListView::ItemRect(int row) const {
    RemoteBuffer buffer(process_, sizeof(RECT));
    RECT request{};
    request.left = LVIR_BOUNDS;
    LRESULT done = 0;
    RECT bounds{};
    if (!buffer.Write(0, &request, sizeof(request)) ||
        !SendWithTimeout(list_, LVM_GETITEMRECT, row, buffer.At(), &done) || done == 0 ||
        !buffer.Read(0, &bounds, sizeof(bounds))) {
        return std::nullopt;
    }
    return bounds;
}

std::optional<int> FindRow(const std::vector<Row>& rows, int column, const std::wstring& text) {
    for (std::size_t row = 0; row < rows.size(); ++row) {
        const Row& texts = rows[row];
        if (column < static_cast<int>(texts.size()) && texts[column] == text) {
            return static_cast<int>(row);
        }
    }
    return std::nullopt;
}

}  // namespace qov::e2e
