#include "platform/win32/win32_toolkit.h"

#include <commctrl.h>

#include "platform/win32/containers.h"
#include "platform/win32/native_handles.h"
#include "platform/win32/text_conversion.h"
#include "platform/win32/win32_form.h"
#include "platform/win32/win32_image_list.h"

namespace qov::win32 {
namespace {

// The keyboard handling every message gets before it is dispatched, in the
// main loop and in a yield alike.
void TranslateAndDispatch(MSG& message) {
    if (ui::Win32Form* form = ui::Win32Form::FromMessage(message)) {
        if (form->PreTranslate(message)) return;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

}  // namespace

Win32Toolkit::Win32Toolkit() {
    INITCOMMONCONTROLSEX classes{};
    classes.dwSize = sizeof(classes);
    classes.dwICC = ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES | ICC_TAB_CLASSES |
                    ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES;
    InitCommonControlsEx(&classes);
    ui::RegisterFormClass();
    ui::RegisterContainerClass();
    owner_.reset(ui::CreateOwnerWindow());
    if (!owner_) throw ToolkitError("cannot create the forms' owner window");
}

std::unique_ptr<Form> Win32Toolkit::CreateForm(const FormArgs& args) {
    return std::make_unique<ui::Win32Form>(args, owner_.get());
}

std::unique_ptr<ImageList> Win32Toolkit::CreateImageList(PictureSet pictures) {
    // Painted for the system's resolution; each control that shows the list
    // asks for its own form's resolution.
    return std::make_unique<ui::Win32ImageList>(
        std::make_shared<ui::PictureImages>(pictures, ui::DpiOf(nullptr)));
}

std::unique_ptr<ToolBar> Win32Toolkit::CreateToolBar() { return CreateToolBarObject(); }

void Win32Toolkit::MessageBox(std::string_view text, std::string_view title, int style) {
    ::MessageBoxW(GetActiveWindow(), Utf8ToWide(text).c_str(), Utf8ToWide(title).c_str(),
                static_cast<UINT>(style));
}

void Win32Toolkit::Yield() {
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            // The main loop must still see it to end the program.
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        TranslateAndDispatch(message);
    }
}

int Win32Toolkit::RunMessageLoop() {
    MSG message{};
    while (true) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got == 0) return static_cast<int>(message.wParam);
        if (got == -1) return -1;
        TranslateAndDispatch(message);
    }
}

}  // namespace qov::win32
