#pragma once
// Picture boxes and frames: child windows that hold other controls.
#include <windows.h>

#include "platform/forms.h"
#include "platform/win32/control_host.h"
#include "platform/win32/native_control.h"

namespace qov::win32::ui {

class Win32PictureBox final : public HostedContainer<ControlBase<PictureBox>> {
public:
    Win32PictureBox(FormContext& context, HWND parent, const TwipsRect& bounds);
    void SetAlign(int align) override;
    int Align() const override { return align_; }
    TwipsRect BoundsImpl() const override;
    void SetBounds(const TwipsRect& bounds) override;
    void Detach() override;
    // Docked to the top: placed at `top` pixels across `width` pixels.
    void DockAt(int top, int width);
    UINT Dpi() const { return Context().dpi; }
    int HeightPixels() const { return Context().Pixels(NativeControl::BoundsImpl().height); }
    void Rescale(UINT oldDpi) override;

protected:
    ControlHost& Host() override { return host_; }

private:
    ControlHost host_;
    int align_ = 0;
};

class Win32Frame final : public HostedContainer<ControlBase<Frame>> {
public:
    Win32Frame(FormContext& context, HWND parent, std::string_view caption,
               const TwipsRect& bounds);
    void SetBounds(const TwipsRect& bounds) override;
    void Detach() override;
    void Rescale(UINT oldDpi) override;

protected:
    ControlHost& Host() override { return host_; }

private:
    HWND groupBox_ = nullptr;  // child of the frame's window; destroyed with it
    ControlHost host_;
};

}  // namespace qov::win32::ui
