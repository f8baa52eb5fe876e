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
    RescueCommands(WindowSystem& windows, const WindowTable& listed,
                   const WindowCommands& windowCommands, const Settings& settings,
                   TextStore& layoutStore)
        : windows_(windows), listed_(listed), windowCommands_(windowCommands),
          settings_(settings), layoutStore_(layoutStore) {}

    // Nothing for an ID that is not one of these commands; else the message
    // to show, "" for none. While a window command waits for its window,
    // these are ignored as a second window command would be.
    std::optional<std::string> Run(int commandId);

private:
    std::vector<WindowHandle> Targets() const;
    InvisibleBorders BordersOf(WindowHandle window, ShowState state);
    void BringIntoView(WindowHandle window, const std::vector<Monitor>& monitors);
    std::string SaveLayout();
    std::string RestoreLayout();
    Outcome PutBack(WindowHandle window, const LayoutEntry& entry, const std::vector<Monitor>& monitors);
    Outcome PutBackShowState(WindowHandle window, ShowState state);

    WindowSystem& windows_;
    const WindowTable& listed_;
    const WindowCommands& windowCommands_;
    const Settings& settings_;
    TextStore& layoutStore_;
};

}  // namespace qov
