// How the host's messages reach the toolbar object. The toolbar reports
// everything to its parent, the host, whose window procedure belongs to the
// form toolkit and knows nothing of toolbars; so the object subclasses the
// host and looks at each message before the host's own procedure does.
#include "toolbar/ctoolbar.h"

#include <limits>

#include "toolbar/subclass.h"
#include "toolbar/wide_text.h"

namespace qov::toolbar {
namespace {

constexpr LONG_PTR kFirstCommand = 100;

bool IsRelayedMouseMessage(UINT uMsg) {
    switch (uMsg) {
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
        return true;
    default:  // double clicks included: the tooltip has no use for them
        return false;
    }
}

// Resets the re-entry flag however the handling ends.
class BusyScope {
public:
    explicit BusyScope(bool& busy) : busy_(busy) { busy_ = true; }
    ~BusyScope() { busy_ = false; }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    bool& busy_;
};

}  // namespace

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
        BusyScope busy(mBusy);
        HandleMessage(hwnd, uMsg, wParam, lParam);
    }
    const WNDPROC previous = mPrevWndProc;
    if (uMsg == WM_NCDESTROY) OnHostDestroyed();
    const LRESULT result = CallWindowProcW(previous, hwnd, uMsg, wParam, lParam);
    // The host's Resize: after the host's own procedure has taken its new
    // size, and also while busy, since an owner's handler may resize the form.
    // A move to a screen of another resolution resizes the host as well.
    // Windows then also sends WM_DPICHANGED_AFTERPARENT; Wine 8 never changes
    // a window's resolution, so there only the resize is seen.
    if (uMsg == WM_SIZE) {
        FollowHostResolution();
        mctlPictureBox_Resize();
    } else if (uMsg == WM_DPICHANGED_AFTERPARENT) {
        FollowHostResolution();
    }
    return result;
}

void cToolBar::OnHostDestroyed() {
    // The host is going away before the object: its children, the toolbar
    // among them, are already gone. Unhook now so no dead host stays linked.
    UnSubClassHost();
    mHwnd = nullptr;
}

void cToolBar::HandleMessage(HWND hwnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    if (uMsg == WM_NOTIFY)
        HandleNotify(*reinterpret_cast<const NMHDR*>(lParam), lParam);
    else if (uMsg == WM_COMMAND)
        RaiseClick(wParam);
    else if (IsRelayedMouseMessage(uMsg))
        RelayToToolTip(hwnd, uMsg, wParam, lParam);
}

void cToolBar::HandleNotify(const NMHDR& header, LPARAM lParam) {
    if (header.code == TBN_DROPDOWN)
        RaiseDropDown(*reinterpret_cast<const NMTOOLBARW*>(lParam));
    else if (header.code == TTN_GETDISPINFOW)
        AnswerTipRequest(*reinterpret_cast<NMTTDISPINFOW*>(lParam));
}

void cToolBar::RaiseClick(WPARAM wParam) {
    // Only the toolbar's own identifiers count; anything else the host's
    // children send (or a menu or accelerator command) is not a button.
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
    if (mHwnd == nullptr || WindowFromPoint(cursor) != mHwnd) return;
    const auto index = static_cast<LONG_PTR>(request.hdr.idFrom) - kFirstCommand;
    if (index < 0 || static_cast<size_t>(index) >= mButtons.size()) return;
    mTipText = Utf8ToWide(mButtons[static_cast<size_t>(index)].TipHelp);
    request.lpszText = mTipText.data();
}

void cToolBar::RelayToToolTip(HWND hwnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    if (mToolTipHwnd == nullptr) return;
    MSG message{};
    message.hwnd = hwnd;
    message.message = uMsg;
    message.wParam = wParam;
    message.lParam = lParam;
    SendMessageW(mToolTipHwnd, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&message));
}

void cToolBar::CreateToolTip() {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    mToolTipHwnd = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, 0, CW_USEDEFAULT,
                                   CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                                   instance, nullptr);
    if (mToolTipHwnd == nullptr) return;
    SendMessageW(mToolTipHwnd, TTM_ACTIVATE, TRUE, 0);
    // The tool is the toolbar window while the relayed messages name the
    // host, so this tool is never hit; its text is asked for on demand.
    TOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V1_SIZE;
    tool.uFlags = TTF_IDISHWND;
    tool.hwnd = mHwnd;
    tool.uId = reinterpret_cast<UINT_PTR>(mHwnd);
    tool.hinst = instance;
    tool.lpszText = LPSTR_TEXTCALLBACKW;
    SendMessageW(mToolTipHwnd, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    SendMessageW(mToolTipHwnd, TTM_ACTIVATE, TRUE, reinterpret_cast<LPARAM>(mHwnd));
}

void cToolBar::DestroyToolTip() {
    if (mToolTipHwnd != nullptr && IsWindow(mToolTipHwnd)) DestroyWindow(mToolTipHwnd);
    mToolTipHwnd = nullptr;
}

}  // namespace qov::toolbar
