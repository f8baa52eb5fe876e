#pragma once
#include <windows.h>
#include <commctrl.h>

#include "platform/forms.h"
#include "platform/win32/unique_handle.h"

namespace qov::win32::ui {

// An image list that owns its native list.
class Win32ImageList final : public ImageList {
public:
    explicit Win32ImageList(HIMAGELIST native) : native_(native) {}
    int Count() const override { return ImageList_GetImageCount(native_.get()); }
    HIMAGELIST Native() const { return native_.get(); }

private:
    unique_himagelist native_;
};

}  // namespace qov::win32::ui
