#pragma once
// Shared pieces of the toolkit tests: a toolkit, forms made through it, and
// a bounded pump that lets posted messages arrive.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/win32/ui_scale.h"
#include "platform/win32/window_handle.h"
#include "platform/win32/win32_toolkit.h"

namespace qov::win32::testing {

inline HWND WindowOf(const Form& form) {
    return ToHwnd(form.Handle());
}

// What Windows sends a form that moves to a screen of `newDpi` (Wine cannot
// move one): WM_DPICHANGED with the form's rectangle scaled to it.
inline void SimulateDpiChange(HWND form, UINT oldDpi, UINT newDpi) {
    RECT rect{};
    GetWindowRect(form, &rect);
    auto scaled = [&](LONG length) {
        return MulDiv(length, static_cast<int>(newDpi), static_cast<int>(oldDpi));
    };
    RECT suggested{rect.left, rect.top, rect.left + scaled(rect.right - rect.left),
                   rect.top + scaled(rect.bottom - rect.top)};
    SendMessageW(form, WM_DPICHANGED, MAKEWPARAM(newDpi, newDpi),
                 reinterpret_cast<LPARAM>(&suggested));
}

inline int IconHeight(HIMAGELIST images) {
    int width = 0, height = 0;
    ImageList_GetIconSize(images, &width, &height);
    return height;
}

class ToolkitTest : public ::testing::Test {
protected:
    std::unique_ptr<Form> MakeForm(FormStyle style = FormStyle::Sizable,
                                   const std::string& caption = "テスト") {
        FormArgs args;
        args.caption = caption;
        args.clientWidth = 6000;
        args.clientHeight = 4500;
        args.style = style;
        return toolkit.CreateForm(args);
    }

    // Yields until `done` holds; gives up after a few seconds' worth of rounds.
    template <typename Condition>
    bool PumpUntil(Condition done) {
        for (int round = 0; round < 300 && !done(); ++round) {
            toolkit.Yield();
            if (!done()) Sleep(10);
        }
        return done();
    }

    int Pixels(HWND window, int twips) const {
        return ui::TwipsToPixels(twips, ui::DpiOf(window));
    }

    Win32Toolkit toolkit;
};

}  // namespace qov::win32::testing
