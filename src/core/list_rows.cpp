#include "core/list_rows.h"

namespace qov {
namespace {

constexpr std::string_view kForegroundMark = "(Act)";

}  // namespace

std::string StatusWordOf(WindowStatus status) {
    switch (status) {
    case WindowStatus::Normal: return "通常";
    case WindowStatus::Minimized: return "最小化";
    case WindowStatus::Maximized: return "最大化";
    case WindowStatus::Hidden: return "非表示";
    case WindowStatus::Unknown: break;
    }
    return "";
}

StatusIcon IconOf(WindowStatus status) {
    switch (status) {
    case WindowStatus::Normal: return NormalIcon;
    case WindowStatus::Minimized: return MinimizedIcon;
    case WindowStatus::Maximized: return MaximizedIcon;
    case WindowStatus::Hidden: return HiddenIcon;
    case WindowStatus::Unknown: break;
    }
    return NoIcon;
}

std::string WindowRectText(const WindowRect& r) {
    return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + ")-(" +
           std::to_string(r.right) + "," + std::to_string(r.bottom) + ")";
}

std::string HandleText(WindowHandle window) {
    return (window >= 0 ? " " : "") + std::to_string(window);
}

std::string WindowCountText(std::size_t count) {
    return " " + std::to_string(count) + "個のウィンドウが存在します";
}

std::array<std::string, 5> RowTexts(const ListedWindow& window) {
    const WindowRecord& record = window.record;
    const WindowStatus status = StatusOf(record);
    std::string statusText = StatusWordOf(status);
    if (window.foreground) statusText += kForegroundMark;
    return {record.title, std::move(statusText),
            ShowsRectangle(status) ? WindowRectText(record.rect) : "-", record.className,
            HandleText(record.handle)};
}

void WriteRow(WindowList& list, int row, const ListedWindow& now, const ListedWindow* before) {
    const auto texts = RowTexts(now);
    const auto shown = before ? RowTexts(*before) : std::array<std::string, 5>{};
    const StatusIcon icon = IconOf(StatusOf(now.record));
    if (!before || icon != IconOf(StatusOf(before->record))) list.SetIcon(row, icon);
    for (const int column : {WindowList::StatusColumn, WindowList::TitleColumn, WindowList::RectColumn,
                             WindowList::ClassColumn, WindowList::HandleColumn}) {
        if (!before || texts[column] != shown[column]) list.SetText(row, column, texts[column]);
    }
}

}  // namespace qov
