#pragma once
// The commands that rescue windows: "画面内に戻す" for the selected row's
// window or every target window, and "配置を保存" / "配置を復元" of every
// target window's placement. Targets follow the window commands' rule.

#include <optional>
#include <string>
#include <vector>

#include "core/commands.h"
#include "core/into_view.h"
#include "core/layout.h"

namespace qov {

// Texts of the boxes titled kMessageTitle the layout commands end with.
std::string SavedLayoutMessage(std::size_t saved);
// Windows that were found but refused their place (an elevated program's,
// say) are counted apart, and named only when there are some.
std::string RestoredLayoutMessage(std::size_t restored, std::size_t notFound, std::size_t refused = 0);
inline constexpr const char* kNoSavedLayoutMessage = "保存された配置がありません。";
inline constexpr const char* kLayoutNotSavedMessage = "配置を保存できませんでした。";

class RescueCommands {
public:
    // `layoutStore` holds the saved layout alone: saving replaces all of it.
    // The layouts are of the target windows that `model` lists.
    RescueCommands(WindowSystem& windows, WindowModel& model, const WindowCommands& windowCommands,
                   const OwnWindows& own, TextStore& layoutStore)
        : windows_(windows), model_(model), windowCommands_(windowCommands), own_(own),
          layoutStore_(layoutStore) {}

    // Nothing for an ID that is not one of these commands; else the message
    // to show, "" for none. "画面内に戻す" acts on the window selected when
    // it was given, unless that one is gone or never acted on.
    std::optional<std::string> Run(const GivenCommand& command);

private:
    std::vector<WindowRecord> TargetRecords();
    InvisibleBorders BordersOf(WindowHandle window, ShowState state);
    void BringIntoView(WindowHandle window, const std::vector<Monitor>& monitors);
    std::string SaveLayout();
    std::string RestoreLayout();
    Outcome PutBack(WindowHandle window, const LayoutEntry& entry, const std::vector<Monitor>& monitors);
    Outcome PutBackShowState(WindowHandle window, ShowState state);

    WindowSystem& windows_;
    WindowModel& model_;
    const WindowCommands& windowCommands_;
    const OwnWindows& own_;
    TextStore& layoutStore_;
};

}  // namespace qov
