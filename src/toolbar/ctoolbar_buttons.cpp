// The toolbar object's per-button accessors: texts, enabled flag and state.
// Each addresses its button by command identifier; the list entry's State
// is only a cache of what the toolbar answers.
#include "toolbar/ctoolbar.h"

#include <algorithm>

#include "toolbar/wide_text.h"

namespace qov::toolbar {

std::string cToolBar::ReadCaption(const ToolButtonInfo& button) const {
    const auto command = static_cast<WPARAM>(button.Command);
    const LRESULT length = Send(TB_GETBUTTONTEXTW, command, 0);
    if (length <= 0) return {};
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const LRESULT copied = Send(TB_GETBUTTONTEXTW, command, reinterpret_cast<LPARAM>(text.data()));
    if (copied < 0) return {};
    text.resize(std::min(static_cast<size_t>(copied), static_cast<size_t>(length)));
    return WideToUtf8(text);
}

void cToolBar::WriteCaption(ToolButtonInfo& button, std::string_view caption) {
    if (mHwnd == nullptr) return;
    std::wstring text = Utf8ToWide(caption);
    TBBUTTONINFOW info{};
    info.cbSize = sizeof(info);
    info.dwMask = TBIF_TEXT;
    info.pszText = text.data();
    info.cchText = static_cast<int>(text.size());
    if (Send(TB_SETBUTTONINFOW, static_cast<WPARAM>(button.Command),
             reinterpret_cast<LPARAM>(&info)) != 0)
        button.Caption = caption;
}

std::string cToolBar::ButtonsCaption(std::string_view key) const {
    const auto found = FindKey(key);
    return found ? ReadCaption(mButtons[*found]) : std::string();
}

std::string cToolBar::ButtonsCaption(int index) const {
    const ToolButtonInfo* button = EntryAt(index);
    return button != nullptr ? ReadCaption(*button) : std::string();
}

void cToolBar::SetButtonsCaption(std::string_view key, std::string_view caption) {
    if (const auto found = FindKey(key)) WriteCaption(mButtons[*found], caption);
}

void cToolBar::SetButtonsCaption(int index, std::string_view caption) {
    if (ToolButtonInfo* button = EntryAt(index)) WriteCaption(*button, caption);
}

bool cToolBar::ReadEnabled(ToolButtonInfo& button) {
    const bool enabled = Send(TB_ISBUTTONENABLED, static_cast<WPARAM>(button.Command)) != 0;
    button.State = enabled ? (button.State | TBSTATE_ENABLED)
                           : (button.State & ~TBSTATE_ENABLED);
    return enabled;
}

void cToolBar::WriteEnabled(ToolButtonInfo& button, bool enabled) {
    button.State = enabled ? (button.State | TBSTATE_ENABLED)
                           : (button.State & ~TBSTATE_ENABLED);
    Send(TB_ENABLEBUTTON, static_cast<WPARAM>(button.Command), (MAKELONG)(enabled ? 1 : 0, 0));
}

int cToolBar::ReadState(ToolButtonInfo& button) {
    const LRESULT state = Send(TB_GETSTATE, static_cast<WPARAM>(button.Command));
    if (state < 0) return 0;  // the toolbar knows no such button
    button.State = static_cast<BYTE>(state);
    return static_cast<int>(state);
}

void cToolBar::WriteState(ToolButtonInfo& button, int state) {
    if (state < 0 || state > 255)
        throw ToolBarError(ToolBarError::Kind::Overflow, "a button state is one byte");
    button.State = static_cast<BYTE>(state);
    Send(TB_SETSTATE, static_cast<WPARAM>(button.Command), (MAKELONG)(state, 0));
}

bool cToolBar::ButtonsEnabled(std::string_view key) {
    const auto found = FindKey(key);
    return found ? ReadEnabled(mButtons[*found]) : false;
}

bool cToolBar::ButtonsEnabled(int index) { return ReadEnabled(mButtons[CheckedIndex(index)]); }

void cToolBar::SetButtonsEnabled(std::string_view key, bool enabled) {
    if (const auto found = FindKey(key)) WriteEnabled(mButtons[*found], enabled);
}

void cToolBar::SetButtonsEnabled(int index, bool enabled) {
    WriteEnabled(mButtons[CheckedIndex(index)], enabled);
}

int cToolBar::ButtonsState(std::string_view key) {
    const auto found = FindKey(key);
    return found ? ReadState(mButtons[*found]) : 0;
}

int cToolBar::ButtonsState(int index) { return ReadState(mButtons[CheckedIndex(index)]); }

void cToolBar::SetButtonsState(std::string_view key, int state) {
    if (const auto found = FindKey(key)) WriteState(mButtons[*found], state);
}

void cToolBar::SetButtonsState(int index, int state) {
    WriteState(mButtons[CheckedIndex(index)], state);
}

}  // namespace qov::toolbar
