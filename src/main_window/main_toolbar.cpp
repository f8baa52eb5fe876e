#include "main_window/main_toolbar.h"

#include <utility>

namespace qov {

std::unique_ptr<ToolBar> CreateMainToolbar(Toolkit& toolkit, PictureBox& host, ImageList& images,
                                           std::function<void(std::int16_t)> onButtonClick) {
    std::unique_ptr<ToolBar> toolbar = toolkit.CreateToolBar();
    toolbar->onButtonClick = std::move(onButtonClick);
    // Creation-time properties come before the host, the rest after it.
    toolbar->SetTextAlignment(-1);
    toolbar->SetWrappable(true);
    toolbar->SetPictureBox(host);
    toolbar->SetAlign(1);
    toolbar->SetImageList(images);
    toolbar->SetHotImageList(images);
    toolbar->SetIndent(8);
    toolbar->SetStyle(1);
    for (const MainToolbarButton& b : kMainToolbarButtons)
        toolbar->ButtonsAdd(b.key, b.text, b.text, b.style, b.image);
    return toolbar;
}

}  // namespace qov
