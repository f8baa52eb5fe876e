#pragma once
// cToolBar: one native toolbar inside a host window, configured through
// properties, with buttons identified by text keys. Clicks come back to the
// owner as ButtonClick with the button's list index.
//
// Numbering: a button's list index is its position in the order of
// ButtonsAdd calls since the toolbar was last empty, separators included,
// counting from 0; its command identifier is index + 100.
//
// Lifetime: the object owns the toolbar window and an auxiliary tooltip
// window, and hooks (subclasses) the host window while a toolbar exists, so
// it must not move: it is neither copyable nor movable. It does not own the
// host nor the image lists; both must outlive their use by the object.
// Release the object while the host window still exists.
//
// Errors raised to the caller are ToolBarError:
//   OutOfRange  a numeric button index outside the button list
//               (ButtonsEnabled, ButtonsState, ButtonsKey);
//   Overflow    a button state outside 0..255, an Align outside 16 bits,
//               a button list longer than 16-bit command identifiers allow;
//   NoHost      Align, Enabled, Height, Width, Top, Left or Visible while no
//               host is set.
// Nothing is sent to the toolbar when an operation throws.
//
// Texts are UTF-8; the object speaks to the toolbar in UTF-16.
#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "toolbar/toolbar_host.h"

namespace qov::toolbar {

class ToolBarError : public std::runtime_error {
public:
    enum class Kind { OutOfRange, Overflow, NoHost };
    ToolBarError(Kind kind, const char* message) : std::runtime_error(message), kind_(kind) {}
    Kind kind() const { return kind_; }

private:
    Kind kind_;
};

// One entry of the button list.
struct ToolButtonInfo {
    std::string Key;
    std::int16_t Image = 0;
    std::int16_t Command = 0;
    BYTE State = TBSTATE_ENABLED;
    BYTE ButtonStyle = BTNS_BUTTON;
    std::string Caption;
    std::string TipHelp;
};

class cToolBar {
public:
    cToolBar();
    ~cToolBar();
    cToolBar(const cToolBar&) = delete;
    cToolBar& operator=(const cToolBar&) = delete;

    // Low 16 bits of each argument, wLow in bits 0-15 and wHigh in 16-31.
    // <windows.h> has a macro of the same name: call it as
    // (cToolBar::MAKELONG)(wLow, wHigh).
    static std::int32_t(MAKELONG)(std::int32_t wLow, std::int32_t wHigh);

    // The toolbar window; null while none exists.
    HWND hwnd() const { return mHwnd; }

    // The host window's messages, as the hook hands them over: turns toolbar
    // clicks, drop-down presses and tooltip text requests into events and
    // answers, relays mouse messages to the auxiliary tooltip, re-lays the
    // toolbar out when the host is resized (WM_SIZE stands for the host's
    // Resize event), and hands every message on to the host's previous
    // window procedure, whose answer it returns.
    LRESULT CallBackWindowProc(HWND hwnd, UINT uMsg, WPARAM wParam, LPARAM lParam);

    // Creation-time properties: stored, used when the next toolbar is created.
    bool ShowTips() const { return mShowTips; }
    void SetShowTips(bool showTips) { mShowTips = showTips; }
    float ButtonHeight() const { return mButtonHeight; }
    void SetButtonHeight(float pixels) { mButtonHeight = pixels; }
    float ButtonWidth() const { return mButtonWidth; }
    void SetButtonWidth(float pixels) { mButtonWidth = pixels; }
    std::int16_t BorderStyle() const { return mBorderStyle; }  // 0 gives no divider line
    void SetBorderStyle(std::int16_t borderStyle) { mBorderStyle = borderStyle; }
    // Customisation by the user is not offered.
    bool AllowCustomize() const { return false; }
    void SetAllowCustomize(bool) {}

    // Forwarded to the host (NoHost without one); sizes in the parent's twips.
    int Align() const;
    void SetAlign(int align);
    bool Enabled() const;
    void SetEnabled(bool enabled);
    bool Visible() const;
    void SetVisible(bool visible);
    float Height() const;
    void SetHeight(float height);
    float Width() const;
    void SetWidth(float width);
    float Top() const;
    void SetTop(float top);
    float Left() const;
    void SetLeft(float left);

    // Style flags, applied to a live toolbar at once.
    int Style() const;  // 0 standard, 1 flat
    void SetStyle(int style);  // any value but 1 means standard
    int TextAlignment() const;  // -1 no text, 0 below the image, 1 right of it
    void SetTextAlignment(int alignment);  // other values change nothing
    bool Wrappable() const;  // the toolbar then follows the host's width
    void SetWrappable(bool wrappable);

    float Indent() const { return mIndent; }
    void SetIndent(float pixels);

    // intStyle: 0 button, 1 check, 2 check group, 3 separator, 5 drop-down,
    // anything else a button. Texts go into the toolbar's string pool only
    // while TextAlignment is 0 or 1.
    void ButtonsAdd(std::string_view strKey, std::string_view strTipHelp,
                    std::string_view strCaption, int intStyle,
                    std::int16_t intPictureIndex);
    // Deletes the toolbar button at a position (a number) or of a key. The
    // list keeps its entries, so later buttons keep their identifiers while
    // their toolbar positions move down.
    void ButtonsRemove(std::string_view key);
    void ButtonsRemove(int position);
    // Deletes every toolbar button, the last first; the next ButtonsAdd
    // starts a new list at index 0.
    void ButtonsClear();
    std::int16_t ButtonsCount() const;

    // Buttons are named by key (case-insensitive, the lowest index wins; an
    // unknown key does nothing and reads false, 0 or "") or by list index.
    std::string ButtonsCaption(std::string_view key) const;
    std::string ButtonsCaption(int index) const;  // "" outside the list
    void SetButtonsCaption(std::string_view key, std::string_view caption);
    void SetButtonsCaption(int index, std::string_view caption);
    // Descriptions are not kept: reads give "".
    std::string ButtonsDescription(std::string_view) const { return {}; }
    std::string ButtonsDescription(int) const { return {}; }
    void SetButtonsDescription(std::string_view, std::string_view) {}
    void SetButtonsDescription(int, std::string_view) {}
    bool ButtonsEnabled(std::string_view key);
    bool ButtonsEnabled(int index);
    void SetButtonsEnabled(std::string_view key, bool enabled);
    void SetButtonsEnabled(int index, bool enabled);
    int ButtonsState(std::string_view key);  // TBSTATE_* bits
    int ButtonsState(int index);
    void SetButtonsState(std::string_view key, int state);  // 0..255
    void SetButtonsState(int index, int state);
    std::string ButtonsKey(int index) const;

    // Opens the system's customisation dialog.
    void Customize();

    // Reads ask the toolbar (null without one); writes are sent at once and
    // not again at creation, so set them after PictureBox.
    HIMAGELIST ImageListHandle() const;
    void SetImageListHandle(HIMAGELIST images);
    HIMAGELIST HotImageListHandle() const;
    void SetHotImageListHandle(HIMAGELIST images);
    HIMAGELIST DisabledImageListHandle() const;
    void SetDisabledImageListHandle(HIMAGELIST images);

    // Setting the host destroys any earlier toolbar (its buttons are not
    // carried over), takes the host's border and tab stop away and creates
    // a new, empty toolbar in it.
    ToolBarHost* PictureBox() const { return mPictureBox; }
    void SetPictureBox(ToolBarHost& host);

    // Raised inside CallBackWindowProc, before the host's own procedure sees
    // the message. A click arriving while a handler still runs raises nothing.
    std::function<void(std::int16_t buttonIndex)> ButtonClick;
    // x, y: the button's left and bottom edges in the toolbar's client area,
    // in twips: where the owner can open a menu.
    std::function<void(std::int16_t buttonIndex, float x, float y)> ButtonDropDown;
    // Raised when the host has moved to a screen of another resolution (its
    // twips per pixel changed), noticed when the host is resized or told
    // WM_DPICHANGED_AFTERPARENT. The handler hands over image lists painted
    // for the new resolution (SetImageListHandle, SetHotImageListHandle);
    // afterwards the buttons take the size of the image list's pictures and
    // the host is fitted to the toolbar again.
    std::function<void()> HostResolutionChanged;

private:
    bool ToolbarExists() const;
    ToolBarHost& Host() const;  // NoHost without one
    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;

    void CreateToolbar();
    void DestroyToolbar();
    void CreateToolTip();
    void DestroyToolTip();
    void SubClassHost(HWND host);
    void UnSubClassHost();

    void HandleMessage(HWND hwnd, UINT uMsg, WPARAM wParam, LPARAM lParam);
    void HandleNotify(const NMHDR& header, LPARAM lParam);
    void AnswerTipRequest(NMTTDISPINFOW& request);
    void RaiseDropDown(const NMTOOLBARW& press);
    void RaiseClick(WPARAM wParam);
    void RelayToToolTip(HWND hwnd, UINT uMsg, WPARAM wParam, LPARAM lParam);
    void mctlPictureBox_Resize();  // the host's Resize event, from WM_SIZE
    void FollowHostResolution();
    void SizeButtonsToPictures();
    void FitHostToToolbar();
    void OnHostDestroyed();

    void WriteStyleBit(DWORD bit, bool set);
    bool ReadStyleBit(DWORD bit, bool stored) const;

    std::optional<size_t> FindKey(std::string_view key) const;
    size_t CheckedIndex(int index) const;  // OutOfRange outside the list
    ToolButtonInfo* EntryAt(int index);  // null outside the list
    const ToolButtonInfo* EntryAt(int index) const;
    std::string ReadCaption(const ToolButtonInfo& button) const;
    void WriteCaption(ToolButtonInfo& button, std::string_view caption);
    bool ReadEnabled(ToolButtonInfo& button);
    void WriteEnabled(ToolButtonInfo& button, bool enabled);
    int ReadState(ToolButtonInfo& button);
    void WriteState(ToolButtonInfo& button, int state);

    WNDPROC mPrevWndProc = nullptr;
    HWND mHostHwnd = nullptr;
    HWND mHwnd = nullptr;
    HWND mToolTipHwnd = nullptr;
    float mButtonWidth = 16;
    float mButtonHeight = 16;
    bool mShowTips = true;
    bool mWrappable = false;
    bool mFlat = false;
    bool mShowText = false;
    bool mTextRight = false;
    float mIndent = 0;
    HIMAGELIST mImageList = nullptr;
    HIMAGELIST mHotImageList = nullptr;
    HIMAGELIST mDisabledImageList = nullptr;
    std::int16_t mBorderStyle = 1;
    // The host's scale when the buttons were last sized for it.
    float mSizedTwipsPerPixel = 0;
    std::vector<ToolButtonInfo> mButtons;
    ToolBarHost* mPictureBox = nullptr;
    bool mBusy = false;
    // The text of the last tooltip request: the tooltip reads it after the
    // notification has returned.
    std::wstring mTipText;
};

}  // namespace qov::toolbar
