#pragma once
// The toolkit's image lists. Their pictures are painted at run time for a
// resolution, so when a form moves to a screen of another resolution the
// controls in it ask for a new painting. A control that shows a painting
// holds a share of it: the earlier painting stays alive until the last
// control showing it has switched to the new one.
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <memory>

#include "platform/forms.h"
#include "platform/win32/unique_handle.h"

namespace qov::win32::ui {

// One painting of a picture set, shared by its image list and every control
// showing it.
using PaintedImageList = std::shared_ptr<const unique_himagelist>;

// A picture set, painted for the resolution it was last asked for.
class PictureImages {
public:
    // Throws ToolkitError when the first painting cannot be made.
    PictureImages(PictureSet pictures, UINT dpi);

    UINT Dpi() const { return dpi_; }
    const PaintedImageList& Current() const { return current_; }
    // The painting for `dpi`, painted anew when the current one is for another
    // resolution. Should that fail, the current painting is kept: a change of
    // resolution must not take the pictures away.
    const PaintedImageList& For(UINT dpi);

private:
    PictureSet pictures_;
    UINT dpi_;
    PaintedImageList current_;
};

class Win32ImageList final : public ImageList {
public:
    explicit Win32ImageList(std::shared_ptr<PictureImages> pictures)
        : pictures_(std::move(pictures)) {}
    int Count() const override { return ImageList_GetImageCount(Native()); }
    HIMAGELIST Native() const { return pictures_->Current()->get(); }
    const std::shared_ptr<PictureImages>& Pictures() const { return pictures_; }

private:
    std::shared_ptr<PictureImages> pictures_;
};

// A control's hold on the image list it shows. `show` hands a native list to
// the control (LVM_SETIMAGELIST, TB_SETIMAGELIST); the painting shown before
// is let go only after it has returned, so the control never refers to a
// destroyed list.
class ShownImageList {
public:
    using Show = std::function<void(HIMAGELIST)>;

    // Starts showing `images` painted for `dpi`; an image list of another
    // toolkit shows as none.
    void Attach(const ImageList& images, UINT dpi, const Show& show);
    // Shows the painting for `dpi` when another one is shown.
    void Rescale(UINT dpi, const Show& show);
    HIMAGELIST Native() const { return shown_ ? shown_->get() : nullptr; }

private:
    void Switch(PaintedImageList next, const Show& show);

    std::shared_ptr<PictureImages> pictures_;
    PaintedImageList shown_;
};

}  // namespace qov::win32::ui
