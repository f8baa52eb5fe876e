#include "core/window_protection.h"

#include <algorithm>

#include "core/window_record.h"

namespace qov {
namespace {

// Program Manager (the desktop's icons), the desktop's wallpaper hosts, the
// taskbar of the primary monitor and of the others, and the windows the shell
// shows over everything for a moment (the tray's overflow, the task switcher
// and task view, the input switcher).
// Sized by the compiler: a size written out would pad a shortened list with
// empty names, and every window without a class would count as the shell's.
constexpr std::string_view kShellClasses[]{
    "Progman",
    "WorkerW",
    "Shell_TrayWnd",
    "Shell_SecondaryTrayWnd",
    "NotifyIconOverflowWindow",
    "TopLevelWindowForOverflowXamlIsland",
    "MultitaskingViewFrame",
    "TaskSwitcherWnd",
    "XamlExplorerHostIslandWindow",
    "Shell_InputSwitchTopLevelWindow",
    "ForegroundStaging",
};

}  // namespace

bool IsShellClass(std::string_view className) {
    return std::ranges::find(kShellClasses, className) != std::end(kShellClasses);
}

Protection ProtectionOf(WindowHandle window, std::string_view className, std::uint32_t processId,
                        const OwnWindows& own) {
    if (className.starts_with(kOwnClassPrefix) || own.Contains(window, processId))
        return Protection::Own;
    if (IsShellClass(className)) return Protection::Shell;
    return Protection::None;
}

Protection ProtectionOf(WindowReads& windows, WindowHandle window, const OwnWindows& own) {
    return ProtectionOf(window, CutAtNull(windows.ClassName(window)), windows.ProcessId(window), own);
}

std::optional<std::uint32_t> HostingTerminal(bool hasConsoleWindow, bool consoleWindowShown,
                                             std::span<const AncestorProcess> ancestors) {
    if (!hasConsoleWindow || consoleWindowShown) return std::nullopt;
    for (const AncestorProcess& ancestor : ancestors)
        if (ancestor.hasShownWindow) return ancestor.id;
    return std::nullopt;
}

const char* ProtectionReason(Protection protection) {
    switch (protection) {
    case Protection::Own: return "QOV 自身のウィンドウには操作しません。";
    case Protection::Shell:
        return "デスクトップやタスクバーなど、Windows のシェルのウィンドウには操作しません"
               "（閉じると Windows の終了を求めることになり、隠すとタスクバーが消えます）。";
    case Protection::None: break;
    }
    return "";
}

}  // namespace qov
