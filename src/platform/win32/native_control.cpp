#include "platform/win32/native_control.h"

#include <cmath>
#include <string>

namespace qov::win32::ui {
namespace {

// The control object of a window, as a window property: a property of our
// own name cannot be mistaken for data that another component (the toolbar
// object, say) keeps in a window it created inside our containers.
const wchar_t kControlProperty[] = L"QOV.Control";

}  // namespace

NativeControl::NativeControl(FormContext& context, HWND parent, const TwipsRect& bounds,
                             const NativeCreateArgs& args)
    : context_(context), bounds_(bounds) {
    const std::wstring text(args.text);
    const int id = context.nextControlId++;
    window_ = CreateWindowExW(args.exStyle, args.className, text.c_str(),
                              args.style | WS_CHILD | WS_VISIBLE, context.Pixels(bounds.left),
                              context.Pixels(bounds.top), context.Pixels(bounds.width),
                              context.Pixels(bounds.height), parent,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                              GetModuleHandleW(nullptr), nullptr);
    if (!window_) {
        throw ToolkitError("cannot create a control window (error " +
                           std::to_string(GetLastError()) + ")");
    }
    SetPropW(window_, kControlProperty, this);
    SendMessageW(window_, WM_SETFONT, reinterpret_cast<WPARAM>(context.dialogFont), FALSE);
}

bool NativeControl::RouteFromParent(UINT message, WPARAM wParam, LPARAM lParam,
                                    LRESULT& result) {
    HWND child = nullptr;
    if (message == WM_COMMAND && lParam != 0) {
        child = reinterpret_cast<HWND>(lParam);
    } else if (message == WM_NOTIFY && lParam != 0) {
        child = reinterpret_cast<const NMHDR*>(lParam)->hwndFrom;
    }
    if (!child) return false;
    auto* control = static_cast<NativeControl*>(GetPropW(child, kControlProperty));
    if (!control) return false;
    if (message == WM_COMMAND) {
        control->OnCommand(HIWORD(wParam));
        result = 0;
    } else {
        result = control->OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
    }
    return true;
}

void NativeControl::Detach() {
    if (window_) RemovePropW(window_, kControlProperty);
    window_ = nullptr;
}

void NativeControl::SetVisibleImpl(bool visible) {
    visible_ = visible;
    if (window_) ShowWindow(window_, visible ? SW_SHOWNA : SW_HIDE);
}

void NativeControl::SetBoundsImpl(const TwipsRect& bounds) {
    bounds_ = bounds;
    Place();
}

void NativeControl::Place() {
    if (!window_) return;
    MoveWindow(window_, context_.Pixels(bounds_.left), context_.Pixels(bounds_.top),
               context_.Pixels(bounds_.width), WindowHeight(context_.Pixels(bounds_.height)),
               TRUE);
}

void NativeControl::Rescale(UINT) {
    if (!window_) return;
    SendMessageW(window_, WM_SETFONT, reinterpret_cast<WPARAM>(context_.dialogFont), FALSE);
    Place();
}

RECT NativeControl::PixelRect() const {
    RECT rect{};
    if (!window_) return rect;
    GetWindowRect(window_, &rect);
    MapWindowPoints(HWND_DESKTOP, GetParent(window_), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

void NativeControl::RememberPixelRect(const RECT& rect) {
    auto twips = [this](LONG pixels) {
        return static_cast<int>(std::lround(context_.Twips(static_cast<int>(pixels))));
    };
    bounds_ = {twips(rect.left), twips(rect.top), twips(rect.right - rect.left),
               twips(rect.bottom - rect.top)};
}

}  // namespace qov::win32::ui
