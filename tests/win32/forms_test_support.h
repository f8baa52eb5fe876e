#pragma once
// Shared pieces of the toolkit tests: a toolkit, forms made through it, and
// a bounded pump that lets posted messages arrive.
#include <windows.h>

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
