#pragma once
// The main window "V O V": the list of managed windows, kept current by the
// refresh timer, with the window commands in its menus, its context menu and
// its toolbar. Closing it ends the program.

#include <cstdint>
#include <memory>
#include <vector>

#include "main_window/refresh_cycle.h"
#include "main_window/version_wnd.h"
#include "main_window/window_commands.h"
#include "platform/platform.h"
#include "settings/add_items.h"
#include "settings/setting_window.h"
#include "settings/settings.h"
#include "window_model/window_proc.h"
#include "window_model/window_table.h"

namespace qov {

class MainForm {
public:
    // Loads the window (Form_Load) and shows it.
    MainForm(Platform& platform, Settings& settings, WindowTables& tables);
    ~MainForm();
    MainForm(const MainForm&) = delete;
    MainForm& operator=(const MainForm&) = delete;

    Form& Window() { return *form_; }

    // Event handlers.
    void Form_Load();
    void Form_Resize();
    void Form_QueryUnload(bool& cancel, UnloadMode mode);
    void ExitProgram_Click();
    void CheckTimer_Timer();
    void clsToolBar_ButtonClick(std::int16_t buttonIndex);
    void O_Top_Click();
    void O_AllwaysTop_Click();
    void S_OnlyViewWindow_Click();
    void S_AllWindow_Click();
    void ListMain_MouseDown(const MouseEventArgs& e);
    void ListMain_MouseUp(const MouseEventArgs& e);
    void UpdateData_Click();
    void Setting_Click();
    void HelpIndex_Click();
    void Version_Click();

    // Makes the main window and the three dialogs topmost, loading the
    // dialogs (hidden) first where needed.
    void SetOwnWindowsTopmost();

    // The dialogs; null while not loaded.
    SettingWindow* SettingWindowIfLoaded() { return settingWindow_.get(); }
    AddItems* AddItemsIfLoaded() { return addItems_.get(); }
    VersionWnd* VersionWndIfLoaded() { return versionWnd_.get(); }
    ToolBar* Toolbar() { return clsToolBar_.get(); }
    RefreshCycle& Refresh() { return refresh_; }

private:
    std::vector<MenuItem> MenuBar();
    SettingWindow& LoadSettingWindow();
    AddItems& LoadAddItems();
    VersionWnd& LoadVersionWnd();
    void UnloadDialogs();

    Platform& platform_;
    Settings& settings_;
    WindowTables& tables_;
    WindowProc windowProc_;
    std::unique_ptr<Form> form_;

public:
    // Controls, in the order the window holds them.
    std::unique_ptr<ImageList> ImageList2;  // row icons
    Timer& CheckTimer;
    std::unique_ptr<ImageList> ImageList1;  // toolbar pictures
    PictureBox& PicToolBar;
    StatusBar& StatusBar1;
    ListView& ListMain;

private:
    RefreshCycle refresh_;
    WindowCommands commands_;
    std::unique_ptr<ToolBar> clsToolBar_;
    std::unique_ptr<SettingWindow> settingWindow_;
    std::unique_ptr<AddItems> addItems_;
    std::unique_ptr<VersionWnd> versionWnd_;

    // Context menu: set by a right-button press on the list.
    bool popupPending_ = false;
    int popupX_ = 0;
    int popupY_ = 0;
    bool closing_ = false;
};

}  // namespace qov
