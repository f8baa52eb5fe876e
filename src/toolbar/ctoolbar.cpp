// The toolbar object: its properties, the toolbar window's creation and
// destruction, the button list and the sizing of the host. The message
// routing is in ctoolbar_routing.cpp.
#include "toolbar/ctoolbar.h"

#include <cmath>
#include <limits>

#include "toolbar/wide_text.h"

namespace qov::toolbar {
namespace {

constexpr int kFirstCommand = 100;

// ButtonsAdd's style argument to the toolbar's button style.
BYTE ButtonStyleFor(int intStyle) {
    switch (intStyle) {
    case 1: return BTNS_CHECK;
    case 2: return BTNS_CHECKGROUP;
    case 3: return BTNS_SEP;
    case 5: return BTNS_DROPDOWN;
    default: return BTNS_BUTTON;
    }
}

// Nearest integer, halves to the even neighbour.
int Rounded(float value) { return static_cast<int>(std::nearbyint(value)); }

bool SameKey(std::string_view a, std::string_view b) {
    const std::wstring wa = Utf8ToWide(a);
    const std::wstring wb = Utf8ToWide(b);
    return CompareStringOrdinal(wa.c_str(), static_cast<int>(wa.size()), wb.c_str(),
                                static_cast<int>(wb.size()), TRUE) == CSTR_EQUAL;
}

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

bool cToolBar::ToolbarExists() const { return mHwnd != nullptr && IsWindow(mHwnd); }

ToolBarHost& cToolBar::Host() const {
    if (mPictureBox == nullptr)
        throw ToolBarError(ToolBarError::Kind::NoHost, "the toolbar has no host");
    return *mPictureBox;
}

LRESULT cToolBar::Send(UINT message, WPARAM wParam, LPARAM lParam) const {
    if (mHwnd == nullptr) return 0;
    return SendMessageW(mHwnd, message, wParam, lParam);
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
    UpdateWindow(mHwnd);
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

    mHwnd = CreateToolbarEx(mPictureBox->hwnd(), style, 0, 0, nullptr, 0, nullptr, 0, 0, 0, 0,
                            0, sizeof(TBBUTTON));
    Send(TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_DRAWDDARROWS);
    Send(TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON));
    Send(TB_SETBITMAPSIZE, 0, (MAKELONG)(Rounded(mButtonWidth), Rounded(mButtonHeight)));
    SetWrappable(mWrappable);
    mSizedTwipsPerPixel = mPictureBox->TwipsPerPixelY();
    CreateToolTip();
    SubClassHost(mPictureBox->hwnd());
}

void cToolBar::DestroyToolbar() {
    // Unhook even when no toolbar window came into being, so no host is ever
    // left pointing at a dead object.
    UnSubClassHost();
    if (ToolbarExists()) DestroyWindow(mHwnd);
    mHwnd = nullptr;
}

// --- Buttons ---------------------------------------------------------------

std::int16_t cToolBar::ButtonsCount() const {
    if (mHwnd == nullptr) return 0;
    return static_cast<std::int16_t>(Send(TB_BUTTONCOUNT));
}

void cToolBar::ButtonsAdd(std::string_view strKey, std::string_view strTipHelp,
                          std::string_view strCaption, int intStyle,
                          std::int16_t intPictureIndex) {
    // An empty toolbar starts a new list, whatever the list still remembers.
    const size_t index = ButtonsCount() == 0 ? 0 : mButtons.size();
    if (index + kFirstCommand > static_cast<size_t>(std::numeric_limits<std::int16_t>::max()))
        throw ToolBarError(ToolBarError::Kind::Overflow, "too many toolbar buttons");
    if (index == 0) mButtons.clear();

    ToolButtonInfo& entry = mButtons.emplace_back();
    entry.Image = intPictureIndex;
    entry.Command = static_cast<std::int16_t>(index + kFirstCommand);
    entry.Key = strKey;
    entry.TipHelp = strTipHelp;
    entry.Caption = strCaption;
    entry.ButtonStyle = ButtonStyleFor(intStyle);
    entry.State = TBSTATE_ENABLED;

    TBBUTTON button{};
    button.iBitmap = entry.Image;
    button.idCommand = entry.Command;
    button.fsState = entry.State;
    button.fsStyle = entry.ButtonStyle;
    button.iString = static_cast<INT_PTR>(index);
    Send(TB_ADDBUTTONSW, 1, reinterpret_cast<LPARAM>(&button));
    if (mShowText) {
        std::wstring pool = Utf8ToWide(strCaption);
        pool.append(2, L'\0');  // the pool's list of texts ends with an empty one
        Send(TB_ADDSTRINGW, 0, reinterpret_cast<LPARAM>(pool.c_str()));
    }
    Send(TB_AUTOSIZE);

    if (mWrappable)
        mctlPictureBox_Resize();
    else
        FitHostToToolbar();
}

void cToolBar::FitHostToToolbar() {
    if (!ToolbarExists() || mPictureBox == nullptr) return;
    SIZE size{};
    Send(TB_GETMAXSIZE, 0, reinterpret_cast<LPARAM>(&size));
    MoveWindow(mHwnd, 0, 0, size.cx, size.cy, TRUE);
    RECT rect{};
    GetWindowRect(mHwnd, &rect);
    const float width = static_cast<float>(rect.right - rect.left) * mPictureBox->TwipsPerPixelX();
    const float height = static_cast<float>(rect.bottom - rect.top) * mPictureBox->TwipsPerPixelY();
    switch (mPictureBox->Align()) {
    case 0:
        mPictureBox->SetWidth(width);
        mPictureBox->SetHeight(height);
        break;
    case 1: mPictureBox->SetHeight(height); break;
    default: break;  // docked at the bottom or a side: the form sizes the host
    }
}

void cToolBar::mctlPictureBox_Resize() {
    if (!mWrappable || !ToolbarExists() || mPictureBox == nullptr) return;
    RECT host{};
    GetWindowRect(mPictureBox->hwnd(), &host);
    MoveWindow(mHwnd, 0, 0, host.right - host.left, host.bottom - host.top, TRUE);
    // Windows fits a top-docked toolbar's height to its rows as it moves;
    // Wine's toolbar only does so when asked.
    Send(TB_AUTOSIZE);
    RECT bar{};
    GetWindowRect(mHwnd, &bar);
    const float twipsPerPixel = mPictureBox->TwipsPerPixelY();
    const float height = static_cast<float>(bar.bottom - bar.top) * twipsPerPixel;
    // Setting the height the host already has would only resize it once more.
    if (std::fabs(height - mPictureBox->Height()) >= twipsPerPixel / 2)
        mPictureBox->SetHeight(height);
}

// The pictures are painted for the host's resolution, so when that changes
// the owner repaints them and the buttons and the host follow their size.
void cToolBar::FollowHostResolution() {
    if (!ToolbarExists() || mPictureBox == nullptr) return;
    const float twipsPerPixel = mPictureBox->TwipsPerPixelY();
    if (twipsPerPixel == mSizedTwipsPerPixel) return;
    // Noted first: the refitting below resizes the host again.
    mSizedTwipsPerPixel = twipsPerPixel;
    if (HostResolutionChanged) HostResolutionChanged();
    SizeButtonsToPictures();
    if (mWrappable)
        mctlPictureBox_Resize();
    else
        FitHostToToolbar();
}

void cToolBar::SizeButtonsToPictures() {
    int width = 0, height = 0;
    if (mImageList == nullptr || !ImageList_GetIconSize(mImageList, &width, &height)) return;
    Send(TB_SETBITMAPSIZE, 0, (MAKELONG)(width, height));
    Send(TB_AUTOSIZE);
}

void cToolBar::ButtonsRemove(std::string_view key) {
    if (const auto found = FindKey(key)) ButtonsRemove(static_cast<int>(*found));
}

void cToolBar::ButtonsRemove(int position) {
    Send(TB_DELETEBUTTON, static_cast<WPARAM>(position));
}

void cToolBar::ButtonsClear() {
    for (int position = ButtonsCount() - 1; position >= 0; --position) ButtonsRemove(position);
}

std::optional<size_t> cToolBar::FindKey(std::string_view key) const {
    for (size_t i = 0; i < mButtons.size(); ++i)
        if (SameKey(mButtons[i].Key, key)) return i;
    return std::nullopt;
}

size_t cToolBar::CheckedIndex(int index) const {
    if (index < 0 || static_cast<size_t>(index) >= mButtons.size())
        throw ToolBarError(ToolBarError::Kind::OutOfRange, "no toolbar button at this index");
    return static_cast<size_t>(index);
}

ToolButtonInfo* cToolBar::EntryAt(int index) {
    if (index < 0 || static_cast<size_t>(index) >= mButtons.size()) return nullptr;
    return &mButtons[static_cast<size_t>(index)];
}

const ToolButtonInfo* cToolBar::EntryAt(int index) const {
    return const_cast<cToolBar*>(this)->EntryAt(index);
}

std::string cToolBar::ButtonsKey(int index) const { return mButtons[CheckedIndex(index)].Key; }

void cToolBar::Customize() { Send(TB_CUSTOMIZE); }

}  // namespace qov::toolbar
