#include "platform/win32/win32_image_list.h"

#include "platform/win32/native_handles.h"

namespace qov::win32::ui {
namespace {

PaintedImageList Paint(PictureSet pictures, UINT dpi) {
    unique_himagelist native(CreatePictureImageList(pictures, dpi));
    if (!native) return nullptr;
    return std::make_shared<const unique_himagelist>(std::move(native));
}

}  // namespace

PictureImages::PictureImages(PictureSet pictures, UINT dpi)
    : pictures_(pictures), dpi_(dpi), current_(Paint(pictures, dpi)) {
    if (!current_) throw ToolkitError("cannot create an image list");
}

const PaintedImageList& PictureImages::For(UINT dpi) {
    if (dpi == dpi_) return current_;
    if (PaintedImageList next = Paint(pictures_, dpi)) {
        current_ = std::move(next);
        dpi_ = dpi;
    }
    return current_;
}

void ShownImageList::Attach(const ImageList& images, UINT dpi, const Show& show) {
    const auto* native = dynamic_cast<const Win32ImageList*>(&images);
    pictures_ = native ? native->Pictures() : nullptr;
    Switch(pictures_ ? pictures_->For(dpi) : nullptr, show);
}

void ShownImageList::Rescale(UINT dpi, const Show& show) {
    if (!pictures_) return;
    const PaintedImageList& next = pictures_->For(dpi);
    if (next != shown_) Switch(next, show);
}

void ShownImageList::Switch(PaintedImageList next, const Show& show) {
    show(next ? next->get() : nullptr);
    shown_ = std::move(next);  // the earlier painting may go now
}

}  // namespace qov::win32::ui
