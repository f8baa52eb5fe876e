#pragma once
// The form toolkit over USER32 and the common controls.
#include <windows.h>

#include <memory>

#include "platform/forms.h"
#include "platform/win32/unique_handle.h"

// <windows.h> renames MessageBox to MessageBoxW and defines Yield() away; the
// toolkit's members of those names must keep them, whatever the include order.
#undef MessageBox
#undef Yield

namespace qov::win32 {

class Win32Toolkit final : public Toolkit {
public:
    Win32Toolkit();

    std::unique_ptr<Form> CreateForm(const FormArgs& args) override;
    std::unique_ptr<ImageList> CreateImageList(PictureSet pictures) override;
    std::unique_ptr<ToolBar> CreateToolBar() override;
    void MessageBox(std::string_view text, std::string_view title, int style) override;
    void Yield() override;

    // Runs until the main form is closed (WM_QUIT); returns the quit code.
    int RunMessageLoop();

private:
    // The hidden window that owns the fixed forms, keeping them out of the taskbar.
    unique_hwnd owner_;
};

}  // namespace qov::win32
