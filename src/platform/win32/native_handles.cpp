#include "platform/win32/native_handles.h"

#include "platform/win32/containers.h"
#include "platform/win32/win32_image_list.h"

namespace qov::win32 {

HWND NativeWindow(const PictureBox& box) {
    const auto* native = dynamic_cast<const ui::Win32PictureBox*>(&box);
    return native ? native->Window() : nullptr;
}

UINT ToolkitDpi(const PictureBox& box) {
    const auto* native = dynamic_cast<const ui::Win32PictureBox*>(&box);
    return native ? native->Dpi() : ui::SystemDpi();
}

HIMAGELIST NativeImageList(const ImageList& images) {
    const auto* native = dynamic_cast<const ui::Win32ImageList*>(&images);
    return native ? native->Native() : nullptr;
}

}  // namespace qov::win32
