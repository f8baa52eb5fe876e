#pragma once
// The window commands of the main window: one dispatcher keyed by toolbar
// button position, shared by the toolbar and the menus, the single-window
// operations on the selected row's window and the broadcasts to every
// target window.

#include <cstdint>
#include <optional>

#include "platform/forms.h"
#include "platform/window_system.h"
#include "settings/settings.h"
#include "window_model/window_table.h"

namespace qov {

class WindowCommands {
public:
    WindowCommands(WindowSystem& windows, const WindowTable& listed, const ListView& list,
                   const Settings& settings)
        : windows_(windows), listed_(listed), list_(list), settings_(settings) {}

    // Runs the command of toolbar position `buttonIndex` (0..18); separators
    // and any other position do nothing.
    void Dispatch(std::int16_t buttonIndex);

    void BringToFront();  // "前面に表示(&T) "
    void MakeTopmost();   // "常に再前面に表示(&A) "

    // Every listed window that is visible, or every listed window when
    // Settings::ShowOnly is off, in row order.
    void SendMessageToTargets(SystemCommand command);
    void ShowWindowOnTargets(ShowCommand command);

    // The window of the selected row; nothing when no row is selected.
    std::optional<WindowHandle> SelectedWindow() const;

private:
    template <typename Operation>
    void ForEachTarget(Operation operation);

    WindowSystem& windows_;
    const WindowTable& listed_;
    const ListView& list_;
    const Settings& settings_;
};

}  // namespace qov
