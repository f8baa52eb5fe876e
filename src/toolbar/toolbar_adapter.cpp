// The toolbar object behind the forms' ToolBar interface, hosted in a
// picture box of the Win32 toolkit.
#include <memory>

#include "platform/win32/native_handles.h"
#include "platform/win32/pictures.h"
#include "platform/win32/ui_scale.h"
#include "platform/win32/win32_image_list.h"
#include "toolbar/ctoolbar.h"

namespace qov::win32 {
namespace {

using toolbar::cToolBar;
using toolbar::ToolBarHost;

constexpr float kTwipsPerInch = 1440.0f;

// A toolkit picture box as the toolbar's host. Bounds go through the
// control, so the toolkit's layout (docking) stays in charge of them; the
// window-level properties the toolkit does not offer are set on the window.
class PictureBoxHost final : public ToolBarHost {
public:
    explicit PictureBoxHost(PictureBox& box) : box_(box), hwnd_(NativeWindow(box)) {}

    HWND hwnd() const override { return hwnd_; }
    int Align() const override { return box_.Align(); }
    void SetAlign(int align) override { box_.SetAlign(align); }
    bool Enabled() const override { return IsWindowEnabled(hwnd_) != FALSE; }
    void SetEnabled(bool enabled) override { EnableWindow(hwnd_, enabled ? TRUE : FALSE); }
    bool Visible() const override { return box_.Visible(); }
    void SetVisible(bool visible) override { box_.SetVisible(visible); }

    float Width() const override { return static_cast<float>(box_.Bounds().width); }
    void SetWidth(float twips) override { Change([&](TwipsRect& r) { r.width = Twips(twips); }); }
    float Height() const override { return static_cast<float>(box_.Bounds().height); }
    void SetHeight(float twips) override { Change([&](TwipsRect& r) { r.height = Twips(twips); }); }
    float Top() const override { return static_cast<float>(box_.Bounds().top); }
    void SetTop(float twips) override { Change([&](TwipsRect& r) { r.top = Twips(twips); }); }
    float Left() const override { return static_cast<float>(box_.Bounds().left); }
    void SetLeft(float twips) override { Change([&](TwipsRect& r) { r.left = Twips(twips); }); }

    void SetBorderStyle(int borderStyle) override {
        if (borderStyle != 0) return;  // the host only ever loses its border
        const LONG_PTR style = GetWindowLongPtrW(hwnd_, GWL_STYLE);
        const LONG_PTR exStyle = GetWindowLongPtrW(hwnd_, GWL_EXSTYLE);
        SetWindowLongPtrW(hwnd_, GWL_STYLE, style & ~static_cast<LONG_PTR>(WS_BORDER));
        SetWindowLongPtrW(hwnd_, GWL_EXSTYLE,
                          exStyle & ~static_cast<LONG_PTR>(WS_EX_CLIENTEDGE | WS_EX_STATICEDGE));
        SetWindowPos(hwnd_, nullptr, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    }
    void SetTabStop(bool tabStop) override {
        const LONG_PTR style = GetWindowLongPtrW(hwnd_, GWL_STYLE);
        SetWindowLongPtrW(hwnd_, GWL_STYLE,
                          tabStop ? (style | WS_TABSTOP) : (style & ~static_cast<LONG_PTR>(WS_TABSTOP)));
    }

    // The resolution the toolkit converts the box's twips at: its form's,
    // which follows the form from screen to screen.
    UINT Dpi() const { return ToolkitDpi(box_); }

    float TwipsPerPixelX() const override { return kTwipsPerInch / static_cast<float>(Dpi()); }
    float TwipsPerPixelY() const override { return kTwipsPerInch / static_cast<float>(Dpi()); }

private:
    static int Twips(float value) { return static_cast<int>(value + (value < 0 ? -0.5f : 0.5f)); }

    template <typename Edit>
    void Change(Edit edit) {
        TwipsRect bounds = box_.Bounds();
        edit(bounds);
        box_.SetBounds(bounds);
    }

    PictureBox& box_;
    HWND hwnd_;
};

class ToolBarObject final : public ToolBar {
public:
    ToolBarObject() {
        toolbar_->ButtonClick = [this](std::int16_t index) {
            if (onButtonClick) onButtonClick(index);
        };
        toolbar_->HostResolutionChanged = [this] { FollowHostResolution(); };
    }

    void SetTextAlignment(int alignment) override { toolbar_->SetTextAlignment(alignment); }
    void SetWrappable(bool wrappable) override { toolbar_->SetWrappable(wrappable); }
    void SetPictureBox(PictureBox& box) override {
        auto host = std::make_unique<PictureBoxHost>(box);
        // The toolbar starts with bitmaps the size of the pictures painted
        // for the host's resolution.
        const auto pictureSize = static_cast<float>(PictureSizeForDpi(host->Dpi()));
        toolbar_->SetButtonWidth(pictureSize);
        toolbar_->SetButtonHeight(pictureSize);
        toolbar_->SetPictureBox(*host);
        host_ = std::move(host);  // the earlier host was already let go
    }
    void SetAlign(int align) override { toolbar_->SetAlign(align); }
    void SetImageList(ImageList& images) override {
        images_.Attach(images, HostDpi(), [this](HIMAGELIST native) {
            toolbar_->SetImageListHandle(native);
        });
    }
    void SetHotImageList(ImageList& images) override {
        hotImages_.Attach(images, HostDpi(), [this](HIMAGELIST native) {
            toolbar_->SetHotImageListHandle(native);
        });
    }
    // Given at 96 dpi, kept in proportion to the pictures.
    void SetIndent(float indent) override {
        indent_ = indent;
        toolbar_->SetIndent(indent * static_cast<float>(HostDpi()) / USER_DEFAULT_SCREEN_DPI);
    }
    void SetStyle(int style) override { toolbar_->SetStyle(style); }
    void ButtonsAdd(std::string_view key, std::string_view tipHelp, std::string_view caption,
                    int style, std::int16_t pictureIndex) override {
        toolbar_->ButtonsAdd(key, tipHelp, caption, style, pictureIndex);
    }
    int ButtonsCount() const override { return toolbar_->ButtonsCount(); }

private:
    UINT HostDpi() const { return host_ ? host_->Dpi() : ui::SystemDpi(); }

    // The normal and hot lists are usually one image list: the first asks for
    // the new painting, the second finds it made.
    void FollowHostResolution() {
        const UINT dpi = HostDpi();
        images_.Rescale(dpi, [this](HIMAGELIST native) { toolbar_->SetImageListHandle(native); });
        hotImages_.Rescale(dpi, [this](HIMAGELIST native) {
            toolbar_->SetHotImageListHandle(native);
        });
        SetIndent(indent_);
    }

    // The toolbar unhooks its host on the way out, so it is declared last
    // and destroyed before the host adapter and the pictures it refers to.
    std::unique_ptr<PictureBoxHost> host_;
    ui::ShownImageList images_;
    ui::ShownImageList hotImages_;
    float indent_ = 0;
    std::unique_ptr<cToolBar> toolbar_ = std::make_unique<cToolBar>();
};

}  // namespace

std::unique_ptr<ToolBar> CreateToolBarObject() { return std::make_unique<ToolBarObject>(); }

}  // namespace qov::win32
