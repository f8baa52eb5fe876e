#include "platform/win32/ui_scale.h"

#include <cmath>

#include "platform/win32/text_conversion.h"

namespace qov::win32::ui {
namespace {

LOGFONTW MessageFontAtSystemDpi() {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) {
        LOGFONTW fallback{};
        fallback.lfHeight = -12;
        fallback.lfCharSet = DEFAULT_CHARSET;
        lstrcpynW(fallback.lfFaceName, L"MS Shell Dlg 2", LF_FACESIZE);
        return fallback;
    }
    return metrics.lfMessageFont;
}

}  // namespace

UINT SystemDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSX) : 96;
    if (screen) ReleaseDC(nullptr, screen);
    return dpi > 0 ? static_cast<UINT>(dpi) : 96u;
}

UINT DpiOf(HWND window) {
    // Loaded by name so the program still starts on systems whose USER32
    // predates per-window resolutions.
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    static const auto getDpiForWindow = reinterpret_cast<GetDpiForWindowFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    if (window && getDpiForWindow) {
        const UINT dpi = getDpiForWindow(window);
        if (dpi > 0) return dpi;
    }
    return SystemDpi();
}

unique_hfont CreateDialogFont(UINT dpi) {
    LOGFONTW font = MessageFontAtSystemDpi();
    font.lfHeight = MulDiv(font.lfHeight, static_cast<int>(dpi), static_cast<int>(SystemDpi()));
    return unique_hfont(CreateFontIndirectW(&font));
}

unique_hfont CreateLabelFont(const FontSpec& wanted, UINT dpi) {
    LOGFONTW font = MessageFontAtSystemDpi();
    const int tenthsOfPoints = static_cast<int>(std::lround(wanted.points * 10.0f));
    font.lfHeight = -MulDiv(tenthsOfPoints, static_cast<int>(dpi), 720);
    font.lfWidth = 0;
    font.lfWeight = wanted.bold ? FW_BOLD : FW_NORMAL;
    font.lfItalic = FALSE;
    font.lfUnderline = FALSE;
    font.lfCharSet = DEFAULT_CHARSET;
    if (!wanted.face.empty()) {
        lstrcpynW(font.lfFaceName, Utf8ToWide(wanted.face).c_str(), LF_FACESIZE);
    }
    return unique_hfont(CreateFontIndirectW(&font));
}

}  // namespace qov::win32::ui
