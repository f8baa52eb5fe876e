#pragma once
// What the core needs of the outside: the window system, the main list and a
// text store. The Win32 half implements them for real; tests/fakes/ holds
// small stand-ins. Text is UTF-8 throughout.

#include <cstdint>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace qov {

// 64-bit Windows keeps window handles to 32 significant bits, sign-extended,
// so this converts to and from HWND without loss.
using WindowHandle = std::int32_t;

struct WindowRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool operator==(const WindowRect&) const = default;
};

// Show states as the window's placement reports them; Unknown when it cannot be read.
enum class ShowState { Unknown, Normal, Minimized, Maximized };

// A display monitor: its whole rectangle and the part of it that windows
// use (without the taskbar and other docked bars), its device name (e.g.
// "\\.\DISPLAY1", "" when unknown) and the DPI of its scale (96 at 100%).
struct Monitor {
    WindowRect area;
    WindowRect workArea;
    std::string device = "";  // a default keeps brace initialisers that end before it quiet
    int dpi = 96;
    bool operator==(const Monitor&) const = default;
};

// How a window is shown and where it goes when it is neither minimised nor
// maximised (for a normal window, usually its rectangle).
struct WindowPlacement {
    ShowState state = ShowState::Normal;
    WindowRect normal;
    bool operator==(const WindowPlacement&) const = default;
};

// ShowWindow's commands, with the system's values. ShowMinimizedNoActivate
// leaves the active window active; no command maximises without activating.
enum class ShowCommand : int {
    Hide = 0, ShowNormal = 1, Show = 5, Minimize = 6,
    ShowMaximized = 3, ShowMinimizedNoActivate = 7,
};

// System-menu commands sent as WM_SYSCOMMAND, with the system's values.
enum class SystemCommand : std::uint32_t {
    Size = 0xF000,
    Move = 0xF010,
    Minimize = 0xF020,
    Maximize = 0xF030,
    Close = 0xF060,
    Restore = 0xF120,
};

// Whether a window can be seen. Windows 10 and 11 keep WS_VISIBLE on windows
// that the user cannot see (on another virtual desktop, a suspended store app,
// parts of the shell): those are Cloaked. Only Visible counts as visible.
enum class Visibility { Hidden, Visible, Cloaked };
inline bool CountsAsVisible(Visibility visibility) { return visibility == Visibility::Visible; }

// What an operation came to, as far as the system can say. Done means the
// request was carried out or handed on: a change made asynchronously must be
// read back to know it happened. Refused: Windows denied it (an elevated
// target, for one). Hung: the target stopped answering and was left alone.
enum class Outcome { Done, Hung, Refused, Gone };

class WindowSystem {
public:
    virtual ~WindowSystem() = default;

    // Calls `visit` once per top-level window, in the system's z-order, before
    // returning. A window may be gone by the time it is visited.
    virtual void EnumerateWindows(const std::function<void(WindowHandle)>& visit) = 0;

    // Titles and class names: at most 254 UTF-16 units, "" when unreadable.
    virtual std::string Title(WindowHandle window) = 0;
    virtual std::string ClassName(WindowHandle window) = 0;
    virtual bool Exists(WindowHandle window) = 0;
    virtual Visibility GetVisibility(WindowHandle window) = 0;
    virtual ShowState GetShowState(WindowHandle window) = 0;
    virtual WindowHandle Foreground() = 0;
    virtual WindowRect Rectangle(WindowHandle window) = 0;
    virtual bool IsTopmost(WindowHandle window) = 0;
    // The process that owns the window; 0 when the window is gone.
    virtual std::uint32_t ProcessId(WindowHandle window) = 0;
    // The full path of that process's image file; "" when Windows will not say
    // (a process of another user, or one that has ended).
    virtual std::string ProcessImagePath(WindowHandle window) = 0;

    // Operations. None may freeze the caller on a hung target: a system
    // command waits while the target still responds (its questions answered),
    // keeping the caller's own windows painting, and gives up on a hung one
    // within a few seconds; show and topmost changes to other threads'
    // windows are asynchronous.
    virtual Outcome Show(WindowHandle window, ShowCommand command) = 0;
    virtual Outcome SendSystemCommand(WindowHandle window, SystemCommand command) = 0;
    virtual Outcome BringToFront(WindowHandle window) = 0;
    virtual Outcome MakeTopmost(WindowHandle window) = 0;
    virtual Outcome RemoveTopmost(WindowHandle window) = 0;
    // Moves and sizes the window to `outer` (its outer rectangle, screen pixels).
    virtual Outcome SetRectangle(WindowHandle window, const WindowRect& outer) = 0;
    // Whether the window's thread still takes its messages: asked without
    // blocking, and given up on within about a second.
    virtual bool Responds(WindowHandle window) = 0;

    // Monitors and placements, all in screen coordinates (the Win32 half
    // converts the placement's workspace coordinates). No placement when the
    // window is gone, or when the system will not tell its normal rectangle
    // (Wine, for another process's minimised or maximised window). Setting
    // a placement never activates a normal or minimised window, nor a
    // maximised one that stays maximised, and never shows a hidden one (a
    // hidden window only gets its normal rectangle); for another thread's
    // window it is asynchronous.
    virtual std::vector<Monitor> Monitors() = 0;
    virtual std::optional<WindowPlacement> Placement(WindowHandle window) = 0;
    // Done when the change was made or handed on, as for the other operations.
    virtual Outcome SetPlacement(WindowHandle window, const WindowPlacement& placement) = 0;
    // The part of the window's outer rectangle that is drawn: Windows 10 and
    // 11 count invisible resize borders in the outer rectangle. The outer
    // rectangle where the system does not say.
    virtual WindowRect VisibleFrame(WindowHandle window) = 0;
    // Maximises a window that is maximised on another monitor on the monitor
    // of `normal` (screen coordinates), its normal rectangle: SetPlacement
    // would leave it maximised where it is. It is restored without being
    // activated, moved and maximised, in steps its thread carries out in
    // order; other windows are given the placement.
    virtual Outcome MoveMaximized(WindowHandle window, const WindowRect& normal) = 0;
};

// A list operation the control refused. Rows and the table still agree when
// it is thrown; the program closes in order.
class ListError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The main list (rows are 1-based; row i shows entry i of the listed table)
// and the status text under it.
class WindowList {
public:
    virtual ~WindowList() = default;

    enum Column { TitleColumn = 0, StatusColumn, RectColumn, ClassColumn, HandleColumn };

    virtual void AppendRow() = 0;
    virtual void RemoveRow(int row) = 0;
    virtual std::string Text(int row, int column) const = 0;
    virtual void SetText(int row, int column, const std::string& text) = 0;
    virtual void SetIcon(int row, int icon) = 0;  // StatusIcon values
    // 0 when no row is selected.
    virtual int SelectedRow() const = 0;

    // Around many row changes, so the list repaints once.
    virtual void BeginBulkChange() = 0;
    virtual void EndBulkChange() = 0;

    virtual std::string StatusText() const = 0;
    virtual void SetStatusText(const std::string& text) = 0;
};

// Text values by key under the program's one section.
class TextStore {
public:
    virtual ~TextStore() = default;
    // Nothing when the key is missing or unreadable.
    virtual std::optional<std::string> Read(const std::string& key) = 0;
    virtual void Write(const std::string& key, const std::string& value) = 0;
    // Removes every value of the section.
    virtual void Clear() = 0;
};

// Lets the caller's message loop run for a moment.
using Yield = std::function<void()>;

// True when `fragment` occurs anywhere in `text`, letter case (and character
// width) ignored. An empty text contains nothing; an empty fragment is in
// every other text. The platform supplies it: Windows compares with the
// user's locale.
bool TitleContains(const std::string& text, const std::string& fragment);

}  // namespace qov
