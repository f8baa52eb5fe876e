#pragma once
// The form toolkit: forms and the controls QOV's four windows are made of.
// Positions and sizes are in twips (1/1440 inch); the toolkit converts them
// to pixels at the screen's resolution (15 twips per pixel at 96 dpi).
// Text is UTF-8. Controls are owned by the container that created them and
// live as long as their form object; after a form is unloaded its controls
// keep their last state and calls on them change nothing on screen.
//
// A failing operation of a control (a row that cannot be inserted, say)
// throws ToolkitError.

#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "platform/window_system.h"

// <windows.h> (when a Win32 file included it first) defines Yield() away and
// renames MessageBox to MessageBoxW, which would change Toolkit's members
// below. Win32 code calls MessageBoxW by its own name.
#undef Yield
#undef MessageBox

namespace qov {

class ToolkitError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct TwipsRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const TwipsRect&) const = default;
};

// Mouse button codes as list events report them.
enum MouseButton : int { kLeftButton = 1, kRightButton = 2, kMiddleButton = 4 };

struct MouseEventArgs {
    int button = 0;  // one of MouseButton
    int shift = 0;   // 1 Shift, 2 Ctrl, 4 Alt
    float x = 0;     // twips, relative to the control's top-left corner
    float y = 0;
};

struct FontSpec {
    std::string face;  // empty: the dialog font
    float points = 9;
    bool bold = false;
};

class Control {
public:
    virtual ~Control() = default;
    virtual void SetVisible(bool visible) = 0;
    virtual bool Visible() const = 0;
    virtual void SetBounds(const TwipsRect& bounds) = 0;
    virtual TwipsRect Bounds() const = 0;
};

// The two picture sets of the program; the toolkit supplies the pictures.
enum class PictureSet {
    ListRowIcons,    // 4 images: 1 maximised, 2 minimised, 3 normal, 4 hidden
    ToolbarButtons,  // 16 images, positions 0..15
};

class ImageList {
public:
    virtual ~ImageList() = default;
    virtual int Count() const = 0;
};

class Timer {
public:
    virtual ~Timer() = default;
    virtual void SetInterval(int milliseconds) = 0;
    virtual int Interval() const = 0;
    virtual void SetEnabled(bool enabled) = 0;
    virtual bool Enabled() const = 0;
    std::function<void()> onTimer;
};

class StatusBar : public Control {
public:
    virtual void SetSimpleText(std::string_view text) = 0;
    virtual std::string SimpleText() const = 0;
};

// Report-view list. Rows and columns are 1-based; column 0 of a row is its
// item text, columns 1..4 its sub-items.
class ListView : public Control {
public:
    virtual void AddColumn(std::string_view header, int widthTwips) = 0;
    virtual int ColumnCount() const = 0;
    virtual std::string ColumnHeader(int column) const = 0;
    virtual int ColumnWidth(int column) const = 0;  // twips
    virtual void SetColumnWidth(int column, int widthTwips) = 0;
    virtual void SetSmallIcons(ImageList& images) = 0;

    virtual int AddRow() = 0;  // appends an empty row; returns its index
    virtual void RemoveRow(int row) = 0;  // rows below move up by one
    virtual int RowCount() const = 0;
    virtual std::string Text(int row, int column) const = 0;
    virtual void SetText(int row, int column, std::string_view text) = 0;
    virtual int Icon(int row) const = 0;  // 0: none
    virtual void SetIcon(int row, int icon) = 0;

    virtual int SelectedIndex() const = 0;  // 0: no row selected
    virtual void SetSelectedIndex(int row) = 0;

    // Drawing is suspended between the two calls; bulk changes then cost
    // one repaint. Calls nest.
    virtual void BeginUpdate() = 0;
    virtual void EndUpdate() = 0;

    std::function<void(const MouseEventArgs&)> onMouseDown;
    std::function<void(const MouseEventArgs&)> onMouseUp;
};

class Button : public Control {
public:
    // A caption font of its own instead of the dialog font.
    virtual void SetFont(const FontSpec& font) = 0;
    std::function<void()> onClick;
};

class CheckBox : public Control {
public:
    virtual void SetChecked(bool checked) = 0;
    virtual bool Checked() const = 0;
    std::function<void()> onClick;
};

// Option buttons created in the same container form one group: selecting
// one deselects the others. None of a group may be selected.
class OptionButton : public Control {
public:
    virtual void SetSelected(bool selected) = 0;
    virtual bool Selected() const = 0;
    std::function<void()> onClick;
};

class Label : public Control {
public:
    virtual void SetText(std::string_view text) = 0;
    virtual std::string Text() const = 0;
};

// Unsorted single-selection list; lines are 0-based.
class ListBox : public Control {
public:
    virtual void AddItem(std::string_view text) = 0;
    virtual void RemoveItem(int index) = 0;
    virtual int ListCount() const = 0;
    virtual std::string Item(int index) const = 0;
    virtual int ListIndex() const = 0;  // -1: no line selected
    virtual void SetListIndex(int index) = 0;
};

// Combo box with an editable text field and an unsorted drop-down list.
class ComboBox : public Control {
public:
    virtual void Clear() = 0;  // list and text field
    virtual void AddItem(std::string_view text) = 0;
    virtual int ListCount() const = 0;
    virtual std::string Item(int index) const = 0;
    virtual std::string Text() const = 0;
    virtual void SetText(std::string_view text) = 0;
};

// Tabs are 1-based.
class TabStrip : public Control {
public:
    virtual int SelectedTab() const = 0;
    virtual void SetSelectedTab(int tab) = 0;
    virtual int TabCount() const = 0;
    virtual std::string TabCaption(int tab) const = 0;
    std::function<void()> onClick;
};

class PictureBox;
class Frame;

// Something controls can be placed in: a form, a picture box or a frame.
// Controls are created in tab order.
class Container {
public:
    virtual ~Container() = default;
    virtual ListView& AddListView(const TwipsRect& bounds) = 0;
    virtual StatusBar& AddStatusBar() = 0;  // docked at the bottom
    virtual PictureBox& AddPictureBox(const TwipsRect& bounds) = 0;
    virtual Frame& AddFrame(std::string_view caption, const TwipsRect& bounds) = 0;
    virtual TabStrip& AddTabStrip(const std::vector<std::string>& tabs,
                                  const TwipsRect& bounds) = 0;
    virtual CheckBox& AddCheckBox(std::string_view caption, const TwipsRect& bounds) = 0;
    virtual OptionButton& AddOptionButton(std::string_view caption,
                                          const TwipsRect& bounds) = 0;
    virtual ListBox& AddListBox(const TwipsRect& bounds) = 0;
    virtual ComboBox& AddComboBox(const TwipsRect& bounds) = 0;
    virtual Button& AddButton(std::string_view caption, const TwipsRect& bounds) = 0;
    virtual Label& AddLabel(std::string_view text, const TwipsRect& bounds,
                            const FontSpec& font, bool centred) = 0;
};

class PictureBox : public Control, public Container {
public:
    // Docks the box to the top of its form across the whole width (the
    // toolbar host); 0 undocks.
    virtual void SetAlign(int align) = 0;
    virtual int Align() const = 0;
};

class Frame : public Control, public Container {};

// Menus are built from a table. A caption "-" is a separator. Shortcut
// texts: "F1", "F4", "F5", "Ctrl+H", "Ctrl+S".
struct MenuItem {
    std::string name;
    std::string caption;
    std::string shortcut;
    std::function<void()> onClick;
    std::vector<MenuItem> children;
};

enum class FormStyle {
    Sizable,      // the main window
    FixedDialog,  // fixed dialog frame, no minimise/maximise, not in the taskbar
    FixedSingle,  // single border, no minimise/maximise, not in the taskbar
};

struct FormArgs {
    std::string caption;
    int clientWidth = 0;   // twips
    int clientHeight = 0;  // twips
    FormStyle style = FormStyle::Sizable;
    bool isMainForm = false;  // closing it ends the program
};

// Why a form is asked to close.
enum class UnloadMode { CloseBox = 0, Code = 1, SystemShutdown = 2 };

class Form : public Container {
public:
    // Shows the form without a modal loop; a hidden form keeps its state.
    virtual void Show() = 0;
    virtual void Hide() = 0;
    virtual bool Visible() const = 0;
    // Asks the form to close, as its close box does: onQueryUnload runs and,
    // unless it cancels, the form is unloaded.
    virtual void Close() = 0;
    // Discards the form at once without asking anyone.
    virtual void Unload() = 0;
    virtual bool Loaded() const = 0;

    virtual std::string Caption() const = 0;
    virtual float Width() const = 0;   // outer width, twips
    virtual float Height() const = 0;  // outer height, twips
    virtual WindowHandle Handle() const = 0;

    virtual void SetMenuBar(std::vector<MenuItem> menus) = 0;
    virtual void SetMenuChecked(std::string_view name, bool checked) = 0;
    virtual bool MenuChecked(std::string_view name) const = 0;
    // Shows the submenu `name` as a pop-up with its left edge at (x, y), in
    // twips of the form's client area; items can be chosen with either button.
    virtual void PopupMenu(std::string_view name, int x, int y) = 0;

    virtual Timer& AddTimer(int intervalMilliseconds) = 0;

    std::function<void()> onResize;
    // Set `cancel` to keep the form.
    std::function<void(bool& cancel, UnloadMode mode)> onQueryUnload;
};

// The program-wide part of a toolbar object that forms use: the main form
// configures it and listens to its clicks.
class ToolBar {
public:
    virtual ~ToolBar() = default;
    virtual void SetTextAlignment(int alignment) = 0;  // -1 none, 0 below, 1 right
    virtual void SetWrappable(bool wrappable) = 0;
    virtual void SetPictureBox(PictureBox& host) = 0;
    virtual void SetAlign(int align) = 0;
    virtual void SetImageList(ImageList& images) = 0;
    virtual void SetHotImageList(ImageList& images) = 0;
    virtual void SetIndent(float indent) = 0;
    virtual void SetStyle(int style) = 0;  // 0 standard, 1 flat
    virtual void ButtonsAdd(std::string_view key, std::string_view tipHelp,
                            std::string_view caption, int style,
                            std::int16_t pictureIndex) = 0;
    virtual int ButtonsCount() const = 0;
    std::function<void(std::int16_t buttonIndex)> onButtonClick;
};

enum MessageBoxStyle : int { kMessageBoxStop = 16 };

class Toolkit {
public:
    virtual ~Toolkit() = default;
    virtual std::unique_ptr<Form> CreateForm(const FormArgs& args) = 0;
    virtual std::unique_ptr<ImageList> CreateImageList(PictureSet pictures) = 0;
    virtual std::unique_ptr<ToolBar> CreateToolBar() = 0;
    // Returns once the user has closed the box.
    virtual void MessageBox(std::string_view text, std::string_view title, int style) = 0;
    // Processes every pending event, then returns.
    virtual void Yield() = 0;
};

}  // namespace qov
