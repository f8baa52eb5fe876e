// The toolbar object's button list: adding, removing, lookup by key or
// index, and the per-button texts, enabled flag and state, each addressed
// to the toolbar by the button's command identifier.
#include <algorithm>
#include <limits>

#include "win32/text.h"
#include "win32/toolbar/ctoolbar.h"

namespace qov::win32::toolbar {
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

bool SameKey(std::string_view a, std::string_view b) {
    const std::wstring wa = Utf8ToWide(a);
    const std::wstring wb = Utf8ToWide(b);
    return CompareStringOrdinal(wa.c_str(), static_cast<int>(wa.size()), wb.c_str(),
                                static_cast<int>(wb.size()), TRUE) == CSTR_EQUAL;
}

BYTE WithEnabled(BYTE state, bool enabled) {
    return static_cast<BYTE>(enabled ? (state | TBSTATE_ENABLED) : (state & ~TBSTATE_ENABLED));
}

}  // namespace

std::int16_t cToolBar::ButtonsCount() const {
    if (!mHwnd) return 0;
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

void cToolBar::ButtonsRemove(const ButtonRef& button) {
    if (const auto* position = std::get_if<int>(&button))
        Send(TB_DELETEBUTTON, static_cast<WPARAM>(*position));
    else if (const auto found = Find(button, false))
        Send(TB_DELETEBUTTON, *found);
}

void cToolBar::ButtonsClear() {
    for (int position = ButtonsCount() - 1; position >= 0; --position) ButtonsRemove(position);
}

std::optional<size_t> cToolBar::Find(const ButtonRef& button, bool checked) const {
    if (const auto* key = std::get_if<std::string_view>(&button)) {
        for (size_t i = 0; i < mButtons.size(); ++i)
            if (SameKey(mButtons[i].Key, *key)) return i;
        return std::nullopt;
    }
    const int index = std::get<int>(button);
    if (index >= 0 && static_cast<size_t>(index) < mButtons.size())
        return static_cast<size_t>(index);
    if (checked)
        throw ToolBarError(ToolBarError::Kind::OutOfRange, "no toolbar button at this index");
    return std::nullopt;
}

std::string cToolBar::ButtonsKey(int index) const { return mButtons[*Find(index, true)].Key; }

std::string cToolBar::ButtonsCaption(const ButtonRef& button) const {
    const auto found = Find(button, false);
    if (!found) return {};
    const auto command = static_cast<WPARAM>(mButtons[*found].Command);
    const LRESULT length = Send(TB_GETBUTTONTEXTW, command, 0);
    if (length <= 0) return {};
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const LRESULT copied = Send(TB_GETBUTTONTEXTW, command, reinterpret_cast<LPARAM>(text.data()));
    if (copied < 0) return {};
    text.resize(std::min(static_cast<size_t>(copied), static_cast<size_t>(length)));
    return WideToUtf8(text);
}

void cToolBar::SetButtonsCaption(const ButtonRef& button, std::string_view caption) {
    const auto found = Find(button, false);
    if (!found || !mHwnd) return;
    std::wstring text = Utf8ToWide(caption);
    TBBUTTONINFOW info{};
    info.cbSize = sizeof(info);
    info.dwMask = TBIF_TEXT;
    info.pszText = text.data();
    info.cchText = static_cast<int>(text.size());
    ToolButtonInfo& entry = mButtons[*found];
    const auto command = static_cast<WPARAM>(entry.Command);
    if (Send(TB_SETBUTTONINFOW, command, reinterpret_cast<LPARAM>(&info)) != 0)
        entry.Caption = caption;
}

// The entry's State is only a cache of what the toolbar answers.
bool cToolBar::ButtonsEnabled(const ButtonRef& button) {
    const auto found = Find(button, true);
    if (!found) return false;
    ToolButtonInfo& entry = mButtons[*found];
    const bool enabled = Send(TB_ISBUTTONENABLED, static_cast<WPARAM>(entry.Command)) != 0;
    entry.State = WithEnabled(entry.State, enabled);
    return enabled;
}

void cToolBar::SetButtonsEnabled(const ButtonRef& button, bool enabled) {
    const auto found = Find(button, true);
    if (!found) return;
    ToolButtonInfo& entry = mButtons[*found];
    entry.State = WithEnabled(entry.State, enabled);
    Send(TB_ENABLEBUTTON, static_cast<WPARAM>(entry.Command), (MAKELONG)(enabled ? 1 : 0, 0));
}

int cToolBar::ButtonsState(const ButtonRef& button) {
    const auto found = Find(button, true);
    if (!found) return 0;
    ToolButtonInfo& entry = mButtons[*found];
    const LRESULT state = Send(TB_GETSTATE, static_cast<WPARAM>(entry.Command));
    if (state < 0) return 0;  // the toolbar knows no such button
    entry.State = static_cast<BYTE>(state);
    return static_cast<int>(state);
}

void cToolBar::SetButtonsState(const ButtonRef& button, int state) {
    const auto found = Find(button, true);
    if (!found) return;
    if (state < 0 || state > 255)
        throw ToolBarError(ToolBarError::Kind::Overflow, "a button state is one byte");
    mButtons[*found].State = static_cast<BYTE>(state);
    Send(TB_SETSTATE, static_cast<WPARAM>(mButtons[*found].Command), (MAKELONG)(state, 0));
}

}  // namespace qov::win32::toolbar
