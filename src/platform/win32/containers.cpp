#include "platform/win32/containers.h"

#include <cmath>

#include "platform/win32/text_conversion.h"

namespace qov::win32::ui {
namespace {

LRESULT CALLBACK ContainerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if ((message == WM_COMMAND || message == WM_NOTIFY) &&
        NativeControl::RouteFromParent(message, wParam, lParam, result)) {
        return result;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

constexpr DWORD kContainerStyle = WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
// Tab and the arrow keys move into and through the container's controls.
constexpr DWORD kContainerExStyle = WS_EX_CONTROLPARENT;

}  // namespace

const wchar_t kContainerClass[] = L"QOV.Container";

void RegisterContainerClass() {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = ContainerProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kContainerClass;
    RegisterClassExW(&windowClass);  // fails harmlessly when already registered
}

Win32PictureBox::Win32PictureBox(FormContext& context, HWND parent, const TwipsRect& bounds)
    : HostedContainer(context, parent, bounds,
                      {.className = kContainerClass,
                       .text = {},
                       .style = kContainerStyle,
                       .exStyle = kContainerExStyle}),
      host_(context, Window()) {}

void Win32PictureBox::SetAlign(int align) {
    align_ = align;
    if (Context().relayout) Context().relayout();
}

void Win32PictureBox::SetBounds(const TwipsRect& bounds) {
    SetBoundsImpl(bounds);
    if (align_ == 1 && Context().relayout) Context().relayout();
}

void Win32PictureBox::DockAt(int top, int width) {
    if (!Alive()) return;
    MoveWindow(Window(), 0, top, width, HeightPixels(), TRUE);
}

TwipsRect Win32PictureBox::BoundsImpl() const {
    TwipsRect bounds = NativeControl::BoundsImpl();
    if (align_ != 1 || !Alive()) return bounds;
    // Docked: the position and width are the layout's, the height is ours.
    const RECT rect = PixelRect();
    bounds.left = static_cast<int>(std::lround(Context().Twips(rect.left)));
    bounds.top = static_cast<int>(std::lround(Context().Twips(rect.top)));
    bounds.width = static_cast<int>(std::lround(Context().Twips(rect.right - rect.left)));
    return bounds;
}

void Win32PictureBox::Rescale(UINT oldDpi) {
    NativeControl::Rescale(oldDpi);
    host_.Rescale(oldDpi);
}

void Win32PictureBox::Detach() {
    host_.DetachAll();
    NativeControl::Detach();
}

// The group box inside a frame paints only its border and caption: the
// frame's own background must be painted beneath it, so the frame does not
// clip its children out of its erasing.
Win32Frame::Win32Frame(FormContext& context, HWND parent, std::string_view caption,
                       const TwipsRect& bounds)
    : HostedContainer(context, parent, bounds,
                      {.className = kContainerClass,
                       .text = {},
                       .style = WS_CLIPSIBLINGS,
                       .exStyle = kContainerExStyle}),
      host_(context, Window()) {
    // A group box cannot parent controls, so it is drawn inside the frame's
    // window, beneath the option buttons placed in the frame.
    groupBox_ = CreateWindowExW(0, WC_BUTTONW, Utf8ToWide(caption).c_str(),
                                WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | BS_GROUPBOX, 0, 0,
                                context.Pixels(bounds.width), context.Pixels(bounds.height),
                                Window(), nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!groupBox_) throw ToolkitError("cannot create a frame");
    SetWindowPos(groupBox_, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SendMessageW(groupBox_, WM_SETFONT, reinterpret_cast<WPARAM>(context.dialogFont), FALSE);
}

void Win32Frame::SetBounds(const TwipsRect& bounds) {
    SetBoundsImpl(bounds);
    if (Alive()) {
        MoveWindow(groupBox_, 0, 0, Context().Pixels(bounds.width),
                   Context().Pixels(bounds.height), TRUE);
    }
}

void Win32Frame::Rescale(UINT oldDpi) {
    NativeControl::Rescale(oldDpi);
    if (!Alive()) return;
    SendMessageW(groupBox_, WM_SETFONT, reinterpret_cast<WPARAM>(Context().dialogFont), FALSE);
    SetBounds(NativeControl::BoundsImpl());
    host_.Rescale(oldDpi);
}

void Win32Frame::Detach() {
    host_.DetachAll();
    groupBox_ = nullptr;
    NativeControl::Detach();
}

}  // namespace qov::win32::ui
