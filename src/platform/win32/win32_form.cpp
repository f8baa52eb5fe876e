#include "platform/win32/win32_form.h"

#include <string>

#include "platform/win32/pictures.h"
#include "platform/win32/text_conversion.h"
#include "platform/win32/window_handle.h"

namespace qov::win32::ui {
namespace {

const wchar_t kFormClass[] = L"QOV.Form";

struct FormStyles {
    DWORD style;
    DWORD exStyle;
};

FormStyles StylesOf(FormStyle style) {
    switch (style) {
        case FormStyle::FixedDialog:
            return {WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN,
                    WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT};
        case FormStyle::FixedSingle:
            return {WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN,
                    WS_EX_CONTROLPARENT};
        case FormStyle::Sizable:
            break;
    }
    return {WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT};
}

HWND CreateFormWindow(const FormArgs& args, HWND owner) {
    const FormStyles styles = StylesOf(args.style);
    HWND window = CreateWindowExW(styles.exStyle, kFormClass, Utf8ToWide(args.caption).c_str(),
                                  styles.style, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                  CW_USEDEFAULT,
                                  args.style == FormStyle::Sizable ? nullptr : owner, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    if (!window) {
        throw ToolkitError("cannot create the form \"" + args.caption + "\" (error " +
                           std::to_string(GetLastError()) + ")");
    }
    return window;
}

void CentreOnWorkArea(HWND window) {
    RECT area{};
    RECT rect{};
    if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0) || !GetWindowRect(window, &rect)) {
        return;
    }
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    SetWindowPos(window, nullptr, area.left + (area.right - area.left - width) / 2,
                 area.top + (area.bottom - area.top - height) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

// The class, and with it its icons, lives as long as the process.
void RegisterFormClass() {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    if (GetClassInfoExW(GetModuleHandleW(nullptr), kFormClass, &windowClass)) return;
    windowClass.lpfnWndProc = Win32Form::Proc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hIcon = CreateProgramIcon(GetSystemMetrics(SM_CXICON));
    windowClass.hIconSm = CreateProgramIcon(GetSystemMetrics(SM_CXSMICON));
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kFormClass;
    RegisterClassExW(&windowClass);
}

HWND CreateOwnerWindow() {
    return CreateWindowExW(0, kFormClass, L"", WS_OVERLAPPED, 0, 0, 0, 0, nullptr, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
}

Win32Form::Win32Form(const FormArgs& args, HWND owner)
    : args_(args),
      window_(CreateFormWindow(args, owner)),
      handle_(ToWindowHandle(window_)),
      host_(context_, window_) {
    context_.form = window_;
    context_.dpi = DpiOf(window_);
    dialogFont_ = CreateDialogFont(context_.dpi);
    context_.dialogFont = dialogFont_.get();
    context_.relayout = [this] {
        RECT client{};
        if (window_ && GetClientRect(window_, &client)) host_.LayoutDocked(client.right);
    };
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    FitClientArea();
    if (args_.style != FormStyle::Sizable) CentreOnWorkArea(window_);
    RememberSize();
}

Win32Form::~Win32Form() {
    if (window_) DestroyWindow(window_);
}

// The form's size is given as the client area's; the frame, caption and menu
// bar come on top of it.
void Win32Form::FitClientArea() {
    if (!window_) return;
    RECT rect{0, 0, context_.Pixels(args_.clientWidth), context_.Pixels(args_.clientHeight)};
    AdjustWindowRectEx(&rect, static_cast<DWORD>(GetWindowLongPtrW(window_, GWL_STYLE)),
                       GetMenu(window_) != nullptr,
                       static_cast<DWORD>(GetWindowLongPtrW(window_, GWL_EXSTYLE)));
    SetWindowPos(window_, nullptr, 0, 0, rect.right - rect.left, rect.bottom - rect.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32Form::RememberSize() const {
    RECT rect{};
    if (!window_ || !GetWindowRect(window_, &rect)) return;
    width_ = context_.Twips(rect.right - rect.left);
    height_ = context_.Twips(rect.bottom - rect.top);
}

void Win32Form::Show() {
    if (!window_) return;
    ShowWindow(window_, SW_SHOW);
    SetForegroundWindow(window_);
}

void Win32Form::Hide() {
    if (window_) ShowWindow(window_, SW_HIDE);
}

bool Win32Form::Visible() const { return window_ && IsWindowVisible(window_); }

bool Win32Form::AskToUnload(UnloadMode mode) {
    bool cancel = false;
    Raise(onQueryUnload, cancel, mode);
    return !cancel;
}

void Win32Form::Close() {
    // Asked exactly as the close box asks.
    if (window_ && AskToUnload(UnloadMode::CloseBox)) Unload();
}

void Win32Form::Unload() {
    if (window_) DestroyWindow(window_);
}

float Win32Form::Width() const {
    RememberSize();
    return width_;
}

float Win32Form::Height() const {
    RememberSize();
    return height_;
}

void Win32Form::SetMenuBar(std::vector<MenuItem> menus) {
    auto menu = std::make_unique<FormMenu>(menus);
    if (window_) {
        SetMenu(window_, menu->Bar());
        FitClientArea();
    }
    menu_ = std::move(menu);  // the old bar is no longer attached
}

void Win32Form::SetMenuChecked(std::string_view name, bool checked) {
    if (menu_) menu_->SetChecked(name, checked);
}

bool Win32Form::MenuChecked(std::string_view name) const {
    return menu_ && menu_->Checked(name);
}

void Win32Form::PopupMenu(std::string_view name, int x, int y) {
    HMENU submenu = menu_ ? menu_->Submenu(name) : nullptr;
    if (!submenu) throw ToolkitError("no menu named " + std::string(name));
    if (!window_) return;
    POINT point{context_.Pixels(x), context_.Pixels(y)};
    ClientToScreen(window_, &point);
    const UINT command = static_cast<UINT>(
        TrackPopupMenu(submenu, TPM_LEFTALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY,
                       point.x, point.y, 0, window_, nullptr));
    if (command != 0) menu_->Run(command);
}

Timer& Win32Form::AddTimer(int intervalMilliseconds) {
    const UINT_PTR id = timers_.size() + 1;
    timers_.push_back(std::make_unique<Win32Timer>(window_, id, intervalMilliseconds));
    return *timers_.back();
}

Win32Form* Win32Form::FromMessage(const MSG& message) {
    if (!message.hwnd) return nullptr;
    HWND root = GetAncestor(message.hwnd, GA_ROOT);
    if (!root || GetWindowLongPtrW(root, GWLP_WNDPROC) != reinterpret_cast<LONG_PTR>(Proc)) {
        return nullptr;
    }
    return reinterpret_cast<Win32Form*>(GetWindowLongPtrW(root, GWLP_USERDATA));
}

bool Win32Form::PreTranslate(MSG& message) {
    if (!window_) return false;
    if (menu_ && menu_->Accelerators() &&
        TranslateAcceleratorW(window_, menu_->Accelerators(), &message)) {
        return true;
    }
    return args_.style != FormStyle::Sizable && IsDialogMessageW(window_, &message);
}

LRESULT CALLBACK Win32Form::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* form = reinterpret_cast<Win32Form*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!form) return DefWindowProcW(window, message, wParam, lParam);
    return form->OnMessage(message, wParam, lParam);
}

LRESULT Win32Form::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    HWND window = window_;
    LRESULT result = 0;
    switch (message) {
        case WM_COMMAND:
            if (lParam == 0) {
                if (menu_) menu_->Run(LOWORD(wParam));
                return 0;
            }
            [[fallthrough]];
        case WM_NOTIFY:
            if (NativeControl::RouteFromParent(message, wParam, lParam, result)) return result;
            break;
        case WM_SIZE:
            OnSize(LOWORD(lParam));
            return 0;
        case WM_TIMER:
            OnTimer(wParam);
            return 0;
        case WM_DPICHANGED:
            OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            return 0;
        case WM_ACTIVATE:
            OnActivate(LOWORD(wParam) != WA_INACTIVE);
            return 0;
        case WM_CLOSE:
            if (AskToUnload(UnloadMode::CloseBox)) Unload();
            return 0;
        case WM_QUERYENDSESSION:
            return AskToUnload(UnloadMode::SystemShutdown) ? TRUE : FALSE;
        case WM_ENDSESSION:
            if (wParam) Unload();
            return 0;
        case WM_DESTROY:
            OnDestroy();
            return 0;
        case WM_NCDESTROY:
            SetWindowLongPtrW(window, GWLP_USERDATA, 0);
            window_ = nullptr;
            break;
        default:
            break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void Win32Form::OnSize(int clientWidth) {
    host_.LayoutDocked(clientWidth);
    Raise(onResize);
}

void Win32Form::OnTimer(UINT_PTR id) {
    if (id >= 1 && id <= timers_.size()) timers_[id - 1]->Tick();
}

// Windows does not give the focus back to a form's control when the form is
// activated again; the form remembers it.
void Win32Form::OnActivate(bool active) {
    if (!active) {
        HWND focus = GetFocus();
        if (focus && IsChild(window_, focus)) lastFocus_ = focus;
        return;
    }
    HWND target = lastFocus_ && IsChild(window_, lastFocus_)
                      ? lastFocus_
                      : GetNextDlgTabItem(window_, nullptr, FALSE);
    SetFocus(target ? target : window_);
}

// Windows sends this when the form moves to a screen of another resolution:
// everything is in twips, so it is placed and dressed again at the new one.
void Win32Form::OnDpiChanged(UINT dpi, const RECT& suggested) {
    if (dpi == 0 || dpi == context_.dpi) return;
    const UINT oldDpi = context_.dpi;
    unique_hfont font = CreateDialogFont(dpi);
    context_.dpi = dpi;
    if (font) context_.dialogFont = font.get();
    host_.Rescale(oldDpi);
    if (font) dialogFont_ = std::move(font);  // the old font is no longer used
    SetWindowPos(window_, nullptr, suggested.left, suggested.top,
                 suggested.right - suggested.left, suggested.bottom - suggested.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    context_.relayout();
    // The controls took their new fonts and pictures without redrawing (and
    // the list keeps what it had drawn where its rows were): all of it is
    // painted again.
    RedrawWindow(window_, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

void Win32Form::OnDestroy() {
    RememberSize();
    // The menu belongs to the form object, which outlives its window.
    SetMenu(window_, nullptr);
    host_.DetachAll();
    for (auto& timer : timers_) timer->Detach();
    lastFocus_ = nullptr;
    if (args_.isMainForm) PostQuitMessage(0);
}

}  // namespace qov::win32::ui
