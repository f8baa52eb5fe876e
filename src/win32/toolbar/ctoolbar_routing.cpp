// How the host's messages reach the toolbar object. The toolbar reports
// everything to its parent, the host, whose own window procedure knows
// nothing of toolbars; so the object subclasses the host and looks at each
// message before the host's own procedure does.
#include <algorithm>
#include <cstdint>
#include <iterator>
#include <limits>

#include "win32/failure.h"
#include "win32/text.h"
#include "win32/toolbar/ctoolbar.h"

namespace qov::win32::toolbar {
namespace {

constexpr LONG_PTR kFirstCommand = 100;

// Double clicks are not relayed: the tooltip has no use for them.
bool IsRelayedMouseMessage(UINT uMsg) {
    constexpr UINT kRelayed[] = {WM_MOUSEMOVE,   WM_LBUTTONDOWN, WM_LBUTTONUP, WM_RBUTTONDOWN,
                                 WM_RBUTTONUP, WM_MBUTTONDOWN, WM_MBUTTONUP};
    return std::ranges::find(kRelayed, uMsg) != std::end(kRelayed);
}

}  // namespace

namespace basSubClass {

std::wstring PropertyName(HWND host) {
    // Window handles keep 32 significant bits, sign-extended, so the name is
    // the same whichever bitness looks at the window.
    const auto handle = static_cast<std::int32_t>(reinterpret_cast<std::intptr_t>(host));
    return std::to_wstring(handle);
}

LRESULT CALLBACK SubClassWindowProc(HWND hwnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    auto* object = static_cast<cToolBar*>(GetPropW(hwnd, PropertyName(hwnd).c_str()));
    // The object sets the property before this procedure is installed and
    // removes it only after the previous one is back, so it is always found.
    if (object == nullptr) return DefWindowProcW(hwnd, uMsg, wParam, lParam);
    return Guarded([&] { return object->CallBackWindowProc(hwnd, uMsg, wParam, lParam); });
}

}  // namespace basSubClass

void cToolBar::SubClassHost(HWND host) {
    if (mHostHwnd != nullptr) return;  // one host at a time
    mHostHwnd = host;
    // The property must exist before the new procedure can run.
    SetPropW(host, basSubClass::PropertyName(host).c_str(), this);
    mPrevWndProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(
        host, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&basSubClass::SubClassWindowProc)));
}

void cToolBar::UnSubClassHost() {
    if (mHostHwnd == nullptr) return;
    // The previous procedure goes back first, so the replacement never runs
    // on a host that lacks the property.
    SetWindowLongPtrW(mHostHwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(mPrevWndProc));
    RemovePropW(mHostHwnd, basSubClass::PropertyName(mHostHwnd).c_str());
    mPrevWndProc = nullptr;
    mHostHwnd = nullptr;
}

LRESULT cToolBar::CallBackWindowProc(HWND hwnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    // Messages that arrive while an owner's handler runs a message loop of
    // its own (a modal box, a pop-up menu) pass through untouched.
    if (!mBusy) {
        mBusy = true;
        const struct Clear {  // however the handling ends
            bool& busy;
            ~Clear() { busy = false; }
        } clear{mBusy};
        HandleMessage(hwnd, uMsg, wParam, lParam);
    }
    const WNDPROC previous = mPrevWndProc;
    if (uMsg == WM_NCDESTROY) OnHostDestroyed();
    const LRESULT result = CallWindowProcW(previous, hwnd, uMsg, wParam, lParam);
    // The host's Resize: after the host's own procedure has taken its new
    // size, and also while busy, since an owner's handler may resize the host.
    if (uMsg == WM_SIZE) mctlPictureBox_Resize();
    return result;
}

void cToolBar::OnHostDestroyed() {
    // The host is going away before the object: its children, the toolbar
    // among them, are already gone. Unhook now so no dead host stays linked.
    UnSubClassHost();
    (void)mHwnd.release();
}

void cToolBar::HandleMessage(HWND hwnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    if (uMsg == WM_COMMAND) {
        RaiseClick(wParam);
    } else if (IsRelayedMouseMessage(uMsg)) {
        RelayToToolTip(hwnd, uMsg, wParam, lParam);
    } else if (uMsg == WM_NOTIFY) {
        const UINT code = reinterpret_cast<const NMHDR*>(lParam)->code;
        if (code == TBN_DROPDOWN) RaiseDropDown(*reinterpret_cast<const NMTOOLBARW*>(lParam));
        if (code == TTN_GETDISPINFOW) AnswerTipRequest(*reinterpret_cast<NMTTDISPINFOW*>(lParam));
    }
}

void cToolBar::RaiseClick(WPARAM wParam) {
    // Only the toolbar's own identifiers count; anything else the host's
    // children send is not a button.
    const auto index = static_cast<LONG_PTR>(wParam) - kFirstCommand;
    if (index < 0 || static_cast<size_t>(index) >= mButtons.size()) return;
    if (index > std::numeric_limits<std::int16_t>::max()) return;
    if (ButtonClick) ButtonClick(static_cast<std::int16_t>(index));
}

void cToolBar::RaiseDropDown(const NMTOOLBARW& press) {
    const auto index = static_cast<LONG_PTR>(press.iItem) - kFirstCommand;
    if (index < std::numeric_limits<std::int16_t>::min() ||
        index > std::numeric_limits<std::int16_t>::max() || mPictureBox == nullptr)
        return;
    RECT rect{};
    Send(TB_GETRECT, static_cast<WPARAM>(press.iItem), reinterpret_cast<LPARAM>(&rect));
    const float x = static_cast<float>(rect.left) * mPictureBox->TwipsPerPixelX();
    const float y = static_cast<float>(rect.bottom) * mPictureBox->TwipsPerPixelY();
    if (ButtonDropDown) ButtonDropDown(static_cast<std::int16_t>(index), x, y);
}

void cToolBar::AnswerTipRequest(NMTTDISPINFOW& request) {
    // The toolbar's own tooltip asks with the button's command identifier.
    // Requests for a toolbar the cursor is not over stay unanswered.
    POINT cursor{};
    GetCursorPos(&cursor);
    if (!mHwnd || WindowFromPoint(cursor) != mHwnd.get()) return;
    const auto index = static_cast<LONG_PTR>(request.hdr.idFrom) - kFirstCommand;
    if (index < 0 || static_cast<size_t>(index) >= mButtons.size()) return;
    mTipText = Utf8ToWide(mButtons[static_cast<size_t>(index)].TipHelp);
    request.lpszText = mTipText.data();
}

void cToolBar::RelayToToolTip(HWND hwnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    if (!mToolTipHwnd) return;
    MSG message{};
    message.hwnd = hwnd;
    message.message = uMsg;
    message.wParam = wParam;
    message.lParam = lParam;
    SendMessageW(mToolTipHwnd.get(), TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&message));
}

void cToolBar::CreateToolTip() {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    mToolTipHwnd.reset(CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, 0, CW_USEDEFAULT,
                                       CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr,
                                       nullptr, instance, nullptr));
    if (!mToolTipHwnd) return;
    const HWND tip = mToolTipHwnd.get();
    SendMessageW(tip, TTM_ACTIVATE, TRUE, 0);
    // The tool is the toolbar window while the relayed messages name the
    // host, so this tool is never hit; its text is asked for on demand.
    TOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V1_SIZE;
    tool.uFlags = TTF_IDISHWND;
    tool.hwnd = mHwnd.get();
    tool.uId = reinterpret_cast<UINT_PTR>(mHwnd.get());
    tool.hinst = instance;
    tool.lpszText = LPSTR_TEXTCALLBACKW;
    SendMessageW(tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    SendMessageW(tip, TTM_ACTIVATE, TRUE, reinterpret_cast<LPARAM>(mHwnd.get()));
}

void cToolBar::DestroyToolTip() {
    if (mToolTipHwnd && IsWindow(mToolTipHwnd.get()))
        mToolTipHwnd.reset();
    else
        (void)mToolTipHwnd.release();
}

}  // namespace qov::win32::toolbar
