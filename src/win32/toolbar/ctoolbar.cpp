// The toolbar object: its properties, the toolbar window's creation and
// destruction, and the sizing of the host. The button list is in
// ctoolbar_buttons.cpp, the message routing in ctoolbar_routing.cpp.
#include "win32/toolbar/ctoolbar.h"

#include <cmath>
#include <limits>

namespace qov::win32::toolbar {
namespace {

// Nearest integer, halves to the even neighbour.
int Rounded(float value) { return static_cast<int>(std::nearbyint(value)); }

}  // namespace

cToolBar::cToolBar() {
    INITCOMMONCONTROLSEX init{sizeof(init), ICC_BAR_CLASSES};
    InitCommonControlsEx(&init);
}

cToolBar::~cToolBar() {
    DestroyToolTip();
    DestroyToolbar();
}

std::int32_t(cToolBar::MAKELONG)(std::int32_t wLow, std::int32_t wHigh) {
    const auto low = static_cast<std::uint32_t>(wLow) & 0xFFFFu;
    const auto high = static_cast<std::uint32_t>(wHigh) & 0xFFFFu;
    return static_cast<std::int32_t>(low | (high << 16));
}

bool cToolBar::ToolbarExists() const { return mHwnd && IsWindow(mHwnd.get()); }

ToolBarHost& cToolBar::Host() const {
    if (mPictureBox == nullptr)
        throw ToolBarError(ToolBarError::Kind::NoHost, "the toolbar has no host");
    return *mPictureBox;
}

LRESULT cToolBar::Send(UINT message, WPARAM wParam, LPARAM lParam) const {
    if (!mHwnd) return 0;
    return SendMessageW(mHwnd.get(), message, wParam, lParam);
}

// --- Members forwarded to the host -------------------------------------

int cToolBar::Align() const { return Host().Align(); }
void cToolBar::SetAlign(int align) {
    if (align < std::numeric_limits<std::int16_t>::min() ||
        align > std::numeric_limits<std::int16_t>::max())
        throw ToolBarError(ToolBarError::Kind::Overflow, "Align does not fit 16 bits");
    Host().SetAlign(align);
}
bool cToolBar::Enabled() const { return Host().Enabled(); }
void cToolBar::SetEnabled(bool enabled) { Host().SetEnabled(enabled); }
bool cToolBar::Visible() const { return Host().Visible(); }
void cToolBar::SetVisible(bool visible) { Host().SetVisible(visible); }
float cToolBar::Height() const { return Host().Height(); }
void cToolBar::SetHeight(float height) { Host().SetHeight(height); }
float cToolBar::Width() const { return Host().Width(); }
void cToolBar::SetWidth(float width) { Host().SetWidth(width); }
float cToolBar::Top() const { return Host().Top(); }
void cToolBar::SetTop(float top) { Host().SetTop(top); }
float cToolBar::Left() const { return Host().Left(); }
void cToolBar::SetLeft(float left) { Host().SetLeft(left); }

// --- Style flags ---------------------------------------------------------

void cToolBar::WriteStyleBit(DWORD bit, bool set) {
    if (!ToolbarExists()) return;
    DWORD style = static_cast<DWORD>(Send(TB_GETSTYLE));
    style = set ? (style | bit) : (style & ~bit);
    // The toolbar does not re-lay itself out cleanly on a style change while
    // shown; hiding the host around it gives one clean repaint.
    if (mPictureBox != nullptr) mPictureBox->SetVisible(false);
    Send(TB_SETSTYLE, 0, static_cast<LPARAM>(style));
    if (mPictureBox != nullptr) mPictureBox->SetVisible(true);
    UpdateWindow(mHwnd.get());
}

bool cToolBar::ReadStyleBit(DWORD bit, bool stored) const {
    if (!ToolbarExists()) return stored;
    return (static_cast<DWORD>(Send(TB_GETSTYLE)) & bit) != 0;
}

int cToolBar::Style() const { return ReadStyleBit(TBSTYLE_FLAT, mFlat) ? 1 : 0; }

void cToolBar::SetStyle(int style) {
    mFlat = style == 1;
    WriteStyleBit(TBSTYLE_FLAT, mFlat);
}

int cToolBar::TextAlignment() const {
    if (!mShowText) return -1;
    return ReadStyleBit(TBSTYLE_LIST, mTextRight) ? 1 : 0;
}

void cToolBar::SetTextAlignment(int alignment) {
    if (alignment < -1 || alignment > 1) return;
    mShowText = alignment != -1;
    mTextRight = alignment == 1;
    WriteStyleBit(TBSTYLE_LIST, mTextRight);
}

bool cToolBar::Wrappable() const { return ReadStyleBit(TBSTYLE_WRAPABLE, mWrappable); }

void cToolBar::SetWrappable(bool wrappable) {
    mWrappable = wrappable;
    WriteStyleBit(TBSTYLE_WRAPABLE, mWrappable);
}

void cToolBar::SetIndent(float pixels) {
    mIndent = pixels;
    Send(TB_SETINDENT, static_cast<WPARAM>(Rounded(pixels)));
}

// --- Image lists -----------------------------------------------------------

HIMAGELIST cToolBar::ImageListHandle() const {
    return reinterpret_cast<HIMAGELIST>(Send(TB_GETIMAGELIST));
}
void cToolBar::SetImageListHandle(HIMAGELIST images) {
    mImageList = images;
    Send(TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images));
}
HIMAGELIST cToolBar::HotImageListHandle() const {
    return reinterpret_cast<HIMAGELIST>(Send(TB_GETHOTIMAGELIST));
}
void cToolBar::SetHotImageListHandle(HIMAGELIST images) {
    mHotImageList = images;
    Send(TB_SETHOTIMAGELIST, 0, reinterpret_cast<LPARAM>(images));
}
HIMAGELIST cToolBar::DisabledImageListHandle() const {
    return reinterpret_cast<HIMAGELIST>(Send(TB_GETDISABLEDIMAGELIST));
}
void cToolBar::SetDisabledImageListHandle(HIMAGELIST images) {
    mDisabledImageList = images;
    Send(TB_SETDISABLEDIMAGELIST, 0, reinterpret_cast<LPARAM>(images));
}

// --- Host and toolbar window -----------------------------------------------

void cToolBar::SetPictureBox(ToolBarHost& host) {
    DestroyToolTip();
    DestroyToolbar();
    mPictureBox = &host;
    host.SetBorderStyle(0);
    host.SetTabStop(false);
    CreateToolbar();
}

void cToolBar::CreateToolbar() {
    DWORD style = WS_CHILD | WS_VISIBLE | CCS_TOP;
    if (mShowTips) style |= TBSTYLE_TOOLTIPS;
    if (mFlat) style |= TBSTYLE_FLAT;
    if (mTextRight) style |= TBSTYLE_LIST;
    if (mBorderStyle == 0) style |= CCS_NODIVIDER;
    if (mPictureBox == nullptr) return;

    mHwnd.reset(CreateToolbarEx(mPictureBox->hwnd(), style, 0, 0, nullptr, 0, nullptr, 0, 0, 0,
                                0, 0, sizeof(TBBUTTON)));
    Send(TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_DRAWDDARROWS);
    Send(TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON));
    Send(TB_SETBITMAPSIZE, 0, (MAKELONG)(Rounded(mButtonWidth), Rounded(mButtonHeight)));
    SetWrappable(mWrappable);
    CreateToolTip();
    SubClassHost(mPictureBox->hwnd());
}

void cToolBar::DestroyToolbar() {
    // Unhook even when no toolbar window came into being, so no host is ever
    // left pointing at a dead object.
    UnSubClassHost();
    if (ToolbarExists())
        mHwnd.reset();
    else
        (void)mHwnd.release();  // already gone with its host
}

void cToolBar::FitHostToToolbar() {
    if (!ToolbarExists() || mPictureBox == nullptr) return;
    SIZE size{};
    Send(TB_GETMAXSIZE, 0, reinterpret_cast<LPARAM>(&size));
    MoveWindow(mHwnd.get(), 0, 0, size.cx, size.cy, TRUE);
    RECT rect{};
    GetWindowRect(mHwnd.get(), &rect);
    const float width = static_cast<float>(rect.right - rect.left) * mPictureBox->TwipsPerPixelX();
    const float height = static_cast<float>(rect.bottom - rect.top) * mPictureBox->TwipsPerPixelY();
    switch (mPictureBox->Align()) {
    case 0:
        mPictureBox->SetWidth(width);
        mPictureBox->SetHeight(height);
        break;
    case 1: mPictureBox->SetHeight(height); break;
    default: break;  // docked at the bottom or a side: the owner sizes the host
    }
}

void cToolBar::mctlPictureBox_Resize() {
    if (!mWrappable || !ToolbarExists() || mPictureBox == nullptr) return;
    RECT host{};
    GetWindowRect(mPictureBox->hwnd(), &host);
    MoveWindow(mHwnd.get(), 0, 0, host.right - host.left, host.bottom - host.top, TRUE);
    // Windows fits a top-docked toolbar's height to its rows as it moves;
    // Wine's toolbar only does so when asked.
    Send(TB_AUTOSIZE);
    RECT bar{};
    GetWindowRect(mHwnd.get(), &bar);
    const float twipsPerPixel = mPictureBox->TwipsPerPixelY();
    const float height = static_cast<float>(bar.bottom - bar.top) * twipsPerPixel;
    // Setting the height the host already has would only resize it once more.
    if (std::fabs(height - mPictureBox->Height()) >= twipsPerPixel / 2)
        mPictureBox->SetHeight(height);
}

void cToolBar::FitButtonsToPictures() {
    int width = 0, height = 0;
    if (!ToolbarExists() || mImageList == nullptr ||
        !ImageList_GetIconSize(mImageList, &width, &height))
        return;
    Send(TB_SETBITMAPSIZE, 0, (MAKELONG)(width, height));
    Send(TB_AUTOSIZE);
    if (mWrappable)
        mctlPictureBox_Resize();
    else
        FitHostToToolbar();
}

void cToolBar::Customize() { Send(TB_CUSTOMIZE); }

}  // namespace qov::win32::toolbar
