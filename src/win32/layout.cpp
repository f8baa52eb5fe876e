#include "win32/layout.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "win32/failure.h"

namespace qov::win32 {
namespace {

constexpr int kTwipsPerInch = 1440;

LOGFONTW MessageFont(UINT dpi) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    if (::SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0, dpi))
        return metrics.lfMessageFont;
    LOGFONTW fallback{};
    fallback.lfHeight = -::MulDiv(9, static_cast<int>(dpi), 72);
    fallback.lfCharSet = DEFAULT_CHARSET;
    ::lstrcpynW(fallback.lfFaceName, L"MS Shell Dlg 2", LF_FACESIZE);
    return fallback;
}

}  // namespace

int TwipsToPixels(int twips, UINT dpi) {
    return ::MulDiv(twips, static_cast<int>(dpi), kTwipsPerInch);
}

int PixelsToTwips(int pixels, UINT dpi) {
    return ::MulDiv(pixels, kTwipsPerInch, static_cast<int>(dpi));
}

// Edges from the scaled position and the scaled size, not from the scaled far
// edge, so controls of equal size stay equal at every DPI.
RECT ToPixels(const TwipsRect& rect, UINT dpi) {
    const int left = TwipsToPixels(rect.left, dpi);
    const int top = TwipsToPixels(rect.top, dpi);
    return {left, top, left + TwipsToPixels(rect.width, dpi),
            top + TwipsToPixels(rect.height, dpi)};
}

SIZE WindowSizeForClient(int clientWidth, int clientHeight, DWORD style, DWORD exStyle,
                         bool hasMenu, UINT dpi) {
    RECT rect{0, 0, TwipsToPixels(clientWidth, dpi), TwipsToPixels(clientHeight, dpi)};
    ::AdjustWindowRectExForDpi(&rect, style, hasMenu, exStyle, dpi);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

// A window larger than the work area keeps its caption on the screen.
POINT CentredOnMonitorOf(HWND owner, SIZE size) {
    const HMONITOR monitor = owner ? ::MonitorFromWindow(owner, MONITOR_DEFAULTTOPRIMARY)
                                   : ::MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY);
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    if (!::GetMonitorInfoW(monitor, &info)) return {0, 0};
    const RECT& area = info.rcWork;
    return {std::max(area.left, area.left + (area.right - area.left - size.cx) / 2),
            std::max(area.top, area.top + (area.bottom - area.top - size.cy) / 2)};
}

UniqueFont CreateUiFont(UINT dpi, std::wstring_view face, double points, bool bold) {
    LOGFONTW font = MessageFont(dpi);
    if (!face.empty()) {
        // Tenths of points keep sizes such as 15.75 pt as the forms always drew them.
        const int tenths = static_cast<int>(std::lround(points * 10));
        font.lfHeight = -::MulDiv(tenths, static_cast<int>(dpi), 720);
        font.lfWidth = 0;
        font.lfWeight = bold ? FW_BOLD : FW_NORMAL;
        font.lfItalic = FALSE;
        font.lfUnderline = FALSE;
        font.lfCharSet = DEFAULT_CHARSET;
        const std::wstring name(face);
        ::lstrcpynW(font.lfFaceName, name.c_str(), LF_FACESIZE);
    }
    return UniqueFont(::CreateFontIndirectW(&font));
}

void RegisterPanelClass() {
    WNDCLASSEXW panel{};
    panel.cbSize = sizeof(panel);
    panel.lpfnWndProc = ::DefWindowProcW;
    panel.hInstance = ::GetModuleHandleW(nullptr);
    panel.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    panel.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    panel.lpszClassName = kPanelClass;
    ::RegisterClassExW(&panel);  // fails harmlessly when registered already
}

HWND CreateControl(HWND parent, const ControlLayout& layout, UINT dpi, HFONT font) {
    const RECT rect = ToPixels(layout.bounds, dpi);
    HWND control = ::CreateWindowExW(
        layout.exStyle, layout.className, layout.caption, layout.style | WS_CHILD | WS_VISIBLE, rect.left,
        rect.top, rect.right - rect.left, rect.bottom - rect.top, parent,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(layout.id)), ::GetModuleHandleW(nullptr),
        nullptr);
    if (!control) ThrowLastError("cannot create a dialog control");
    if (font) ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return control;
}

void PlaceControl(HWND control, const TwipsRect& bounds, UINT dpi, HFONT font) {
    const RECT rect = ToPixels(bounds, dpi);
    ::SetWindowPos(control, nullptr, rect.left, rect.top, rect.right - rect.left,
                   rect.bottom - rect.top, SWP_NOZORDER | SWP_NOACTIVATE);
    if (font) ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

}  // namespace qov::win32
