#pragma once
// cToolBar: one native toolbar inside a host window, configured through
// properties, with buttons identified by text keys. A button's list index is
// its position in the order of ButtonsAdd calls since the toolbar was last
// empty, separators included, from 0; its command identifier is index + 100.
// Clicks come back to the owner as ButtonClick with the list index.
//
// The object owns the toolbar and an auxiliary tooltip window and hooks
// (subclasses) the host while a toolbar exists, so it must not move. The
// host and the image lists are the owner's and must outlive their use.
// Release the object while the host exists, never inside its own events.
//
// Misuse raises ToolBarError, and nothing is sent to the toolbar:
//   OutOfRange  a numeric index outside the list (ButtonsEnabled,
//               ButtonsState, ButtonsKey);
//   Overflow    a state outside 0..255, an Align outside 16 bits, more
//               buttons than 16-bit command identifiers allow;
//   NoHost      a member forwarded to the host while none is set.
// Texts are UTF-8; the object speaks to the toolbar in UTF-16.
#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "win32/handles.h"
#include "win32/toolbar/toolbar_host.h"

namespace qov::win32::toolbar {

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

// A button argument: a text key (case-insensitive, the lowest index wins) or
// a list index (a toolbar position for ButtonsRemove).
using ButtonRef = std::variant<int, std::string_view>;

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
    HWND hwnd() const { return mHwnd.get(); }

    // The host's messages, as the hook hands them over: clicks, drop-down
    // presses and tooltip requests become events and answers, mouse messages
    // are relayed to the auxiliary tooltip, WM_SIZE re-lays the toolbar out,
    // and every message goes on to the host's previous procedure.
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
    // Deletes the toolbar button of a key or at a position. The list keeps
    // its entries: later buttons keep their identifiers, not their positions.
    void ButtonsRemove(const ButtonRef& button);
    // The last button first; the next ButtonsAdd starts the list at index 0.
    void ButtonsClear();
    std::int16_t ButtonsCount() const;

    // An unknown key does nothing and reads false, 0 or "". An index outside
    // the list is OutOfRange, except for captions, where it names no button.
    std::string ButtonsCaption(const ButtonRef& button) const;
    void SetButtonsCaption(const ButtonRef& button, std::string_view caption);
    // Descriptions are not kept: reads give "".
    std::string ButtonsDescription(const ButtonRef&) const { return {}; }
    void SetButtonsDescription(const ButtonRef&, std::string_view) {}
    bool ButtonsEnabled(const ButtonRef& button);
    void SetButtonsEnabled(const ButtonRef& button, bool enabled);
    int ButtonsState(const ButtonRef& button);  // TBSTATE_* bits
    void SetButtonsState(const ButtonRef& button, int state);  // 0..255
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

    // After the owner has handed over pictures of another size (the host
    // moved to a screen of another DPI): the buttons take the size of the
    // image list's pictures and the host is fitted to the toolbar again.
    void FitButtonsToPictures();

    // Setting the host destroys any earlier toolbar with its buttons, takes
    // the host's border and tab stop away and creates an empty toolbar in it.
    ToolBarHost* PictureBox() const { return mPictureBox; }
    void SetPictureBox(ToolBarHost& host);

    // Raised before the host's own procedure sees the message. A click that
    // arrives while a handler still runs raises nothing.
    std::function<void(std::int16_t buttonIndex)> ButtonClick;
    // x, y: the button's lower left corner in twips: where to open a menu.
    std::function<void(std::int16_t buttonIndex, float x, float y)> ButtonDropDown;

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
    void AnswerTipRequest(NMTTDISPINFOW& request);
    void RaiseDropDown(const NMTOOLBARW& press);
    void RaiseClick(WPARAM wParam);
    void RelayToToolTip(HWND hwnd, UINT uMsg, WPARAM wParam, LPARAM lParam);
    void mctlPictureBox_Resize();  // the host's Resize event, from WM_SIZE
    void FitHostToToolbar();
    void OnHostDestroyed();

    void WriteStyleBit(DWORD bit, bool set);
    bool ReadStyleBit(DWORD bit, bool stored) const;

    // The list index `button` names; OutOfRange for an index outside the
    // list when `checked`, else nothing.
    std::optional<size_t> Find(const ButtonRef& button, bool checked) const;

    WNDPROC mPrevWndProc = nullptr;
    HWND mHostHwnd = nullptr;
    UniqueWindow mHwnd;
    UniqueWindow mToolTipHwnd;
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
    std::vector<ToolButtonInfo> mButtons;
    ToolBarHost* mPictureBox = nullptr;
    bool mBusy = false;
    // The text of the last tooltip request: the tooltip reads it after the
    // notification has returned.
    std::wstring mTipText;
};

// The link from a host window to the toolbar object that hooks it: a window
// property on the host, named after the host's handle as signed 32-bit
// decimal text ("66722" for 0x104A2), holding the object's address. The
// property is a borrowed pointer; the object removes it before it goes.
namespace basSubClass {

std::wstring PropertyName(HWND host);

// Installed as the host's window procedure while a toolbar object hooks it.
LRESULT CALLBACK SubClassWindowProc(HWND hwnd, UINT uMsg, WPARAM wParam, LPARAM lParam);

}  // namespace basSubClass
}  // namespace qov::win32::toolbar
