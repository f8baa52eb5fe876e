#include "win32/window_scaffold.h"

#include <utility>

#include "win32/failure.h"

namespace qov::win32 {
namespace {

HINSTANCE Instance() { return ::GetModuleHandleW(nullptr); }

void RegisterOnce(const WindowScaffold::WindowClass& windowClass, WNDPROC windowProc) {
    WNDCLASSEXW registered{};
    registered.cbSize = sizeof(registered);
    if (::GetClassInfoExW(Instance(), windowClass.name, &registered)) return;
    registered.lpfnWndProc = windowProc;
    registered.hInstance = Instance();
    registered.hIcon = windowClass.icon;
    registered.hIconSm = windowClass.smallIcon;
    registered.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    registered.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    registered.lpszMenuName = windowClass.menu;
    registered.lpszClassName = windowClass.name;
    if (!::RegisterClassExW(&registered)) ThrowLastError("cannot register a window class");
}

}  // namespace

WindowScaffold::~WindowScaffold() { Destroy(); }

bool WindowScaffold::Create(const WindowClass& windowClass, const WindowShape& shape) {
    HWND window = CreateWindowOf(windowClass, shape, nullptr);
    if (window) Adopt(window);
    return window != nullptr;
}

void WindowScaffold::Attach() {
    ::SetWindowLongPtrW(Handle(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

// A window whose creation fails after WM_NCCREATE has been destroyed again by
// then, and has let go of its handle on WM_NCDESTROY.
bool WindowScaffold::CreateAttached(const WindowClass& windowClass, const WindowShape& shape) {
    return CreateWindowOf(windowClass, shape, this) != nullptr;
}

HWND WindowScaffold::CreateWindowOf(const WindowClass& windowClass, const WindowShape& shape,
                                    void* attached) {
    RegisterOnce(windowClass, WindowProc);
    return ::CreateWindowExW(shape.exStyle, windowClass.name, shape.caption, shape.style,
                             shape.at.x, shape.at.y, shape.size.cx, shape.size.cy, shape.owner,
                             nullptr, Instance(), attached);
}

void WindowScaffold::Adopt(HWND window) {
    window_.reset(window);
    dpi_ = ::GetDpiForWindow(window);
}

void WindowScaffold::Destroy() {
    if (!window_) return;
    ::SetWindowLongPtrW(Handle(), GWLP_USERDATA, 0);
    window_.reset();
}

void WindowScaffold::ShowIcons(UniqueIcon small, UniqueIcon big) {
    ::SendMessageW(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small.get()));
    ::SendMessageW(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big.get()));
    smallIcon_ = std::move(small);  // the window no longer shows the old ones
    bigIcon_ = std::move(big);
}

// Messages before the object is attached, and after it has let go, are the
// system's.
LRESULT CALLBACK WindowScaffold::WindowProc(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* created = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        if (auto* self = static_cast<WindowScaffold*>(created->lpCreateParams)) {
            self->Adopt(window);
            self->Attach();
        }
    }
    auto* self = reinterpret_cast<WindowScaffold*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self) return ::DefWindowProcW(window, message, wParam, lParam);
    return Guarded([&] { return self->Dispatch(message, wParam, lParam); });
}

LRESULT WindowScaffold::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_NCDESTROY) return HandleMessage(message, wParam, lParam);
    // The system has destroyed the window, asked to or not (an owner takes
    // its owned windows with it): the object holds no handle to destroy again.
    HWND gone = window_.release();
    ::SetWindowLongPtrW(gone, GWLP_USERDATA, 0);
    return ::DefWindowProcW(gone, message, wParam, lParam);
}

LRESULT WindowScaffold::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DPICHANGED)
        return HandleDpiChange(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
    return ::DefWindowProcW(Handle(), message, wParam, lParam);
}

// Everything is measured in twips: the window is dressed and laid out again
// at the new resolution, and painted anew, since the controls took their new
// fonts without redrawing.
LRESULT WindowScaffold::HandleDpiChange(UINT dpi, const RECT& suggested) {
    dpi_ = dpi;
    OnDpiChanged(dpi);
    ::SetWindowPos(Handle(), nullptr, suggested.left, suggested.top,
                   suggested.right - suggested.left, suggested.bottom - suggested.top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    ::RedrawWindow(Handle(), nullptr, nullptr,
                   RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    return 0;
}

}  // namespace qov::win32
