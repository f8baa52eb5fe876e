#pragma once
// A simulated desktop of top-level windows that behaves like the real window
// manager for the operations QOV uses, counts every call, and lets a test set
// up and disturb the windows (also in the middle of an enumeration).
//
// Enumeration order is the z-order, which here is the creation order, newest
// window first; activation does not reorder it, so tests can rely on it.

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "platform/window_system.h"

namespace qov::sim {

// How many calls each operation received since the last ResetCalls().
struct DesktopCalls {
    int enumerations = 0;
    int windowsVisited = 0;  // callbacks made by all enumerations together
    int windowTitle = 0;
    int className = 0;
    int isWindow = 0;
    int isVisible = 0;
    int placementShowState = 0;
    int foregroundWindow = 0;
    int windowRectangle = 0;
    int showWindow = 0;
    int systemCommand = 0;
    int setForegroundWindow = 0;
    int makeTopmost = 0;

    int Reads() const;    // every inspecting call except enumerations
    int Changes() const;  // every call that asks a window to change
};

// One call that asked a window to change, in the order the calls were made.
struct DesktopChange {
    enum class Kind { ShowWindow, SystemCommand, SetForeground, MakeTopmost };
    Kind kind = Kind::ShowWindow;
    WindowHandle window = 0;
    int command = 0;       // the ShowCommand or SystemCommand value; 0 otherwise
    bool applied = false;  // false: no such window, or it did not respond
    bool operator==(const DesktopChange&) const = default;
};

struct SimWindow {
    WindowHandle handle = 0;
    std::string title;
    std::string className;
    int showState = kShowStateNormal;
    bool visible = true;
    WindowRect rect;
    bool topmost = false;
    bool notResponding = false;
    // The system command (Move or Size) whose keyboard mode the window is in; 0 when none.
    std::uint32_t moveSizeMode = 0;
};

class SimDesktop : public WindowSystem {
public:
    // What a system command to a hung window costs before it gives up.
    static constexpr int kHungWindowTimeoutMs = 3000;
    static constexpr WindowHandle kFirstHandle = 0x10010;
    static constexpr std::size_t kMaxTextUnits = 254;

    // WindowSystem
    void EnumerateWindows(const std::function<bool(WindowHandle)>& visit) override;
    std::string WindowTitle(WindowHandle window) override;
    std::string ClassName(WindowHandle window) override;
    bool IsWindow(WindowHandle window) override;
    bool IsVisible(WindowHandle window) override;
    int PlacementShowState(WindowHandle window) override;
    WindowHandle ForegroundWindow() override;
    WindowRect WindowRectangle(WindowHandle window) override;
    void ShowWindow(WindowHandle window, ShowCommand command) override;
    void SendSystemCommand(WindowHandle window, SystemCommand command) override;
    void SetForegroundWindow(WindowHandle window) override;
    void MakeTopmost(WindowHandle window) override;

    // Setting up and disturbing the desktop. None of these is counted.
    WindowHandle CreateWindow(std::string_view title, std::string_view className,
                              const WindowRect& rect = {0, 0, 640, 480},
                              int showState = kShowStateNormal, bool visible = true);
    void DestroyWindow(WindowHandle window);
    void SetTitle(WindowHandle window, std::string_view title);
    void SetShowState(WindowHandle window, int showState);
    void SetVisible(WindowHandle window, bool visible);
    void SetRect(WindowHandle window, const WindowRect& rect);
    void SetForeground(WindowHandle window);  // 0 clears it
    void SetNotResponding(WindowHandle window, bool notResponding);
    // A window whose owner handles the close command itself (a form asks its
    // program first): the handler runs instead of the window being destroyed.
    // An empty handler removes it; destroying the window removes it too.
    void SetCloseHandler(WindowHandle window, std::function<void()> handler);

    // Inspecting without counting. Window() is null for a destroyed window.
    const SimWindow* Window(WindowHandle window) const;
    bool Exists(WindowHandle window) const { return Window(window) != nullptr; }
    std::vector<WindowHandle> WindowsInOrder() const;  // enumeration order
    std::size_t WindowCount() const { return windows_.size(); }
    WindowHandle Foreground() const { return foreground_; }

    const DesktopCalls& Calls() const { return calls_; }
    void ResetCalls() { calls_ = {}; }
    const std::vector<DesktopChange>& Changes() const { return changes_; }
    void ClearChanges() { changes_.clear(); }
    // Time the operations spent waiting for windows that did not respond.
    long long WaitedMilliseconds() const { return waitedMs_; }

    // Runs during an enumeration just before each window's callback, so a test
    // can destroy, rename or create windows while the caller walks the list.
    // Windows are listed when the enumeration starts: one destroyed by the hook
    // before its turn is skipped, the hooked window itself is still passed on
    // (it died between listing and callback), and new windows are not visited.
    std::function<void(WindowHandle)> onEnumerate;

private:
    SimWindow* Find(WindowHandle window);
    void Record(DesktopChange::Kind kind, WindowHandle window, int command, bool applied);
    void Minimize(SimWindow& window);
    void Destroy(WindowHandle window);

    std::map<WindowHandle, SimWindow> windows_;
    std::map<WindowHandle, std::function<void()>> closeHandlers_;
    WindowHandle nextHandle_ = kFirstHandle;
    WindowHandle foreground_ = 0;
    DesktopCalls calls_;
    std::vector<DesktopChange> changes_;
    long long waitedMs_ = 0;
};

}  // namespace qov::sim
