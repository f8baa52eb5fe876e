#pragma once
// A form of the sim toolkit. With a desktop, a loaded form is a window of it
// (class "QOVForm", title = caption, visible while shown), so the program
// finds its own windows when it enumerates and can act on them; the window
// manager's close command on that window asks the form to close.

#include <string>
#include <string_view>
#include <vector>

#include "platform/sim/sim_container.h"

namespace qov::sim {

class SimToolkit;

struct PopupRecord {
    std::string menu;
    int x = 0;
    int y = 0;
    bool operator==(const PopupRecord&) const = default;
};

class SimForm : public SimContainerBase<Form> {
public:
    static constexpr const char* kWindowClass = "QOVForm";
    // Frame and caption around the client area, in twips (approximate
    // values at 96 dpi): sizable frame, then fixed frames.
    static constexpr int kSizableExtraWidth = 16 * 15;
    static constexpr int kSizableExtraHeight = 39 * 15;
    static constexpr int kFixedExtraWidth = 6 * 15;
    static constexpr int kFixedExtraHeight = 29 * 15;
    static constexpr int kMenuBarHeight = 20 * 15;

    SimForm(SimToolkit& toolkit, const FormArgs& args);
    ~SimForm() override;
    SimForm(const SimForm&) = delete;
    SimForm& operator=(const SimForm&) = delete;

    void Show() override;
    void Hide() override;
    bool Visible() const override;
    void Close() override { QueryClose(UnloadMode::CloseBox); }
    void Unload() override;
    bool Loaded() const override { return loaded_; }

    std::string Caption() const override { return args_.caption; }
    float Width() const override { return static_cast<float>(outerWidth_); }
    float Height() const override { return static_cast<float>(outerHeight_); }
    WindowHandle Handle() const override { return handle_; }

    void SetMenuBar(std::vector<MenuItem> menus) override;
    void SetMenuChecked(std::string_view name, bool checked) override;
    bool MenuChecked(std::string_view name) const override;
    void PopupMenu(std::string_view name, int x, int y) override;

    Timer& AddTimer(int intervalMilliseconds) override;

    // ---- for tests -------------------------------------------------------------
    const FormArgs& Args() const { return args_; }
    // Asks the form to close for `mode`; true when it was unloaded.
    bool QueryClose(UnloadMode mode);
    // The user drags the frame to this outer size; raises onResize.
    void Resize(int outerWidthTwips, int outerHeightTwips);
    // The client area that the frame, caption and menu bar leave.
    int ClientWidth() const;
    int ClientHeight() const;

    // Menu items by name; each throws std::invalid_argument for an unknown name.
    void ClickMenu(std::string_view name);  // runs the item's onClick
    std::string MenuCaption(std::string_view name) const;
    std::string MenuShortcut(std::string_view name) const;
    const MenuItem& Menu(std::string_view name) const;
    const std::vector<MenuItem>& MenuBar() const { return menus_; }

    // Pop-up menus shown so far; the last one, and how many.
    const std::vector<PopupRecord>& Popups() const { return popups_; }
    int PopupCount() const { return static_cast<int>(popups_.size()); }
    // The user will choose this item from the next pop-up menu (it runs
    // inside PopupMenu, as the native menu's modal loop would run it).
    void ChooseFromNextPopup(std::string_view itemName) { nextPopupChoice_ = itemName; }

    const std::vector<std::unique_ptr<SimTimer>>& Timers() const { return timers_; }
    // Fires every timer of the form that would tick; returns how many ran.
    int FireTimers();

private:
    const MenuItem* FindMenu(std::string_view name) const;
    // Status bars span the bottom of the client area, picture boxes docked
    // to the top span its width, as the native form keeps them.
    void LayOutDockedControls();
    void ReleaseWindow();

    SimToolkit& toolkit_;
    FormArgs args_;
    bool loaded_ = true;
    bool visible_ = false;
    WindowHandle handle_ = 0;
    int outerWidth_ = 0;
    int outerHeight_ = 0;
    std::vector<MenuItem> menus_;
    std::vector<std::string> checkedMenus_;
    std::vector<PopupRecord> popups_;
    std::string nextPopupChoice_;
    std::vector<std::unique_ptr<SimTimer>> timers_;
};

}  // namespace qov::sim
