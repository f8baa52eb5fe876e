#include "win32/main_toolbar.h"

#include <cstdint>
#include <stdexcept>
#include <string_view>

#include "core/commands.h"
#include "win32/layout.h"
#include "win32/pictures.h"
#include "win32/toolbar/ctoolbar.h"
#include "win32/toolbar/window_host.h"

namespace qov::win32 {
namespace {

struct ButtonRow {
    std::string_view key;
    std::string_view text;  // tooltip and caption
    int style;              // 0 button, 3 separator
    std::int16_t picture;   // in CreateToolbarPictureList; -1 for separators
};

// Position i of this table is the position CommandAtToolbarPosition knows.
constexpr ButtonRow kButtons[kToolbarPositions] = {
    {"Restore1", "元のサイズに戻す", 0, 0},
    {"IDO1", "移動", 0, 1},
    {"Size1", "サイズ変更", 0, 2},
    {"Min1", "最小化", 0, 3},
    {"Max1", "最大化", 0, 4},
    {"SEP1", "", 3, -1},
    {"Hide1", "非表示", 0, 5},
    {"Show1", "表示", 0, 6},
    {"SEP2", "", 3, -1},
    {"Close1", "閉じる", 0, 7},
    {"SEP3", "", 3, -1},
    {"Restore2", "元のサイズに戻す", 0, 8},
    {"Min2", "最小化", 0, 11},
    {"Max2", "最大化", 0, 12},
    {"SEP4", "", 3, -1},
    {"Hide2", "非表示", 0, 13},
    {"Show2", "表示", 0, 14},
    {"SEP6", "", 3, -1},
    {"Close2", "閉じる", 0, 15},
};

constexpr int kHostHeightTwips = 375;  // before the toolbar fits it to its rows
constexpr int kIndentAt96Dpi = 8;

HWND CreateHostWindow(HWND mainWindow) {
    RegisterPanelClass();
    RECT client{};
    GetClientRect(mainWindow, &client);
    const int height = TwipsToPixels(kHostHeightTwips, GetDpiForWindow(mainWindow));
    constexpr DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    return CreateWindowExW(0, kPanelClass, nullptr, style, 0, 0, client.right, height, mainWindow,
                           nullptr, GetModuleHandleW(nullptr), nullptr);
}

}  // namespace

struct MainToolbar::Parts {
    explicit Parts(HWND window) : hostWindow(window), host(window) {}

    // Pictures painted for `dpi`; the earlier ones go once the toolbar has
    // let them go. False, with the earlier ones kept, when painting fails.
    bool ShowPictures(UINT dpi) {
        UniqueImageList next = CreateToolbarPictureList(dpi);
        if (!next) return false;
        bar.SetImageListHandle(next.get());
        bar.SetHotImageListHandle(next.get());
        pictures = std::move(next);
        bar.SetIndent(static_cast<float>(MulDiv(kIndentAt96Dpi, static_cast<int>(dpi), 96)));
        return true;
    }

    UniqueWindow hostWindow;
    toolbar::WindowHost host;
    UniqueImageList pictures;
    // Last: released first, while its host and pictures still exist.
    toolbar::cToolBar bar;
};

MainToolbar::MainToolbar(HWND mainWindow) {
    UniqueWindow hostWindow{CreateHostWindow(mainWindow)};
    if (!hostWindow) throw std::runtime_error("cannot create the toolbar's host window");
    parts_ = std::make_unique<Parts>(hostWindow.release());
    toolbar::cToolBar& bar = parts_->bar;
    // Posted, not run here: a command may close the main window and with it
    // this object, which must not go while its own click handler runs.
    bar.ButtonClick = [mainWindow](std::int16_t position) {
        if (const int command = CommandAtToolbarPosition(position))
            PostMessageW(mainWindow, WM_COMMAND, MAKEWPARAM(command, 0), 0);
    };
    // Creation-time properties come before the host, the rest after it.
    const UINT dpi = GetDpiForWindow(mainWindow);
    const auto pictureSize = static_cast<float>(PictureSizeForDpi(dpi));
    bar.SetTextAlignment(-1);
    bar.SetWrappable(true);
    bar.SetButtonWidth(pictureSize);
    bar.SetButtonHeight(pictureSize);
    bar.SetPictureBox(parts_->host);
    if (!bar.hwnd()) throw std::runtime_error("cannot create the toolbar");
    bar.SetAlign(1);
    if (!parts_->ShowPictures(dpi)) throw std::runtime_error("cannot paint the toolbar pictures");
    bar.SetStyle(1);
    for (const ButtonRow& row : kButtons)
        bar.ButtonsAdd(row.key, row.text, row.text, row.style, row.picture);
}

MainToolbar::~MainToolbar() = default;

HWND MainToolbar::Host() const { return parts_->hostWindow.get(); }

int MainToolbar::Height() const {
    RECT rect{};
    GetWindowRect(Host(), &rect);
    return rect.bottom - rect.top;
}

void MainToolbar::FitWidth(int clientWidth) {
    // The host's WM_SIZE lets the wrapping toolbar fit the host's height.
    SetWindowPos(Host(), nullptr, 0, 0, clientWidth, Height(), SWP_NOZORDER | SWP_NOACTIVATE);
}

void MainToolbar::DpiChanged(UINT dpi) {
    // A change of resolution must not take the pictures away.
    if (parts_->ShowPictures(dpi)) parts_->bar.FitButtonsToPictures();
}

toolbar::cToolBar& MainToolbar::Object() { return parts_->bar; }

}  // namespace qov::win32
