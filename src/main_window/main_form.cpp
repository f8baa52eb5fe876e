#include "main_window/main_form.h"

#include <algorithm>
#include <cmath>

#include "main_window/main_toolbar.h"
#include "settings/settings_persistence.h"

namespace qov {
namespace {

struct ColumnSpec {
    const char* header;
    int width;  // twips
};
constexpr ColumnSpec kColumns[] = {
    {"タイトル", 4000}, {"状態", 1000}, {"サイズ", 2000}, {"クラス名", 2000}, {"ハンドル", 1000},
};

// Layout at design size, twips.
constexpr int kClientWidth = 9135;
constexpr int kClientHeight = 6630;
constexpr TwipsRect kPicToolBar{0, 0, kClientWidth, 375};
constexpr TwipsRect kListMain{0, 480, kClientWidth, 5895};
// Space between the toolbar and the list, as at design size.
constexpr int kToolbarGap = kListMain.top - kPicToolBar.height;


}  // namespace

MainForm::MainForm(Platform& platform, Settings& settings, WindowTables& tables)
    : platform_(platform),
      settings_(settings),
      tables_(tables),
      windowProc_(platform.windows, settings),
      form_(platform.toolkit.CreateForm(
          {"V O V", kClientWidth, kClientHeight, FormStyle::Sizable, /*isMainForm=*/true})),
      ImageList2(platform.toolkit.CreateImageList(PictureSet::ListRowIcons)),
      CheckTimer(form_->AddTimer(1000)),
      ImageList1(platform.toolkit.CreateImageList(PictureSet::ToolbarButtons)),
      PicToolBar(form_->AddPictureBox(kPicToolBar)),
      StatusBar1(form_->AddStatusBar()),
      ListMain(form_->AddListView(kListMain)),
      refresh_(windowProc_, tables, ListMain, StatusBar1, platform.toolkit),
      commands_(platform.windows, tables.ListedWindows, ListMain, settings) {
    for (const ColumnSpec& column : kColumns) ListMain.AddColumn(column.header, column.width);
    ListMain.SetSmallIcons(*ImageList2);
    form_->SetMenuBar(MenuBar());

    form_->onResize = [this] { Form_Resize(); };
    form_->onQueryUnload = [this](bool& cancel, UnloadMode mode) { Form_QueryUnload(cancel, mode); };
    CheckTimer.onTimer = [this] { CheckTimer_Timer(); };
    ListMain.onMouseDown = [this](const MouseEventArgs& e) { ListMain_MouseDown(e); };
    ListMain.onMouseUp = [this](const MouseEventArgs& e) { ListMain_MouseUp(e); };
    refresh_.shouldStop = [this] { return closing_; };

    Form_Load();
    form_->Show();
    Form_Resize();
}

MainForm::~MainForm() {
    clsToolBar_.reset();
    UnloadDialogs();
}

void MainForm::Form_Load() {
    SettingWindow& dialog = LoadSettingWindow();
    LoadSettings(platform_.store, settings_,
                 SettingsTargets{*form_, CheckTimer, ListMain, dialog,
                                 [this] { SetOwnWindowsTopmost(); }});
    clsToolBar_ = CreateMainToolbar(platform_.toolkit, PicToolBar, *ImageList1,
                                    [this](std::int16_t index) { clsToolBar_ButtonClick(index); });
    CheckTimer.SetEnabled(true);
}

// The list fills the client area between the toolbar and the status bar.
// Each dimension changes only while the room for it is positive.
void MainForm::Form_Resize() {
    if (!form_->Loaded()) return;
    const TwipsRect bar = PicToolBar.Bounds();
    const TwipsRect status = StatusBar1.Bounds();
    TwipsRect list = ListMain.Bounds();
    list.top = std::max(kListMain.top, bar.top + bar.height + kToolbarGap);
    if (status.width > 0) list.width = status.width;
    if (status.top - list.top > 0) list.height = status.top - list.top;
    ListMain.SetBounds(list);
}

void MainForm::Form_QueryUnload(bool& cancel, UnloadMode) {
    cancel = false;
    closing_ = true;
    CheckTimer.SetEnabled(false);
    UnloadDialogs();
    SaveSettings(platform_.store, settings_, ListMain);
    clsToolBar_.reset();
}

void MainForm::ExitProgram_Click() { form_->Close(); }

void MainForm::CheckTimer_Timer() {
    if (closing_) return;
    try {
        refresh_.Run();
    } catch (const ToolkitError&) {
        // The list or the status bar failed: end the program in order.
        form_->Close();
    }
}

void MainForm::clsToolBar_ButtonClick(std::int16_t buttonIndex) { commands_.Dispatch(buttonIndex); }

void MainForm::O_Top_Click() { commands_.BringToFront(); }

void MainForm::O_AllwaysTop_Click() { commands_.MakeTopmost(); }

void MainForm::S_OnlyViewWindow_Click() {
    form_->SetMenuChecked("S_OnlyViewWindow", true);
    form_->SetMenuChecked("S_AllWindow", false);
    settings_.ShowOnly = true;
}

void MainForm::S_AllWindow_Click() {
    form_->SetMenuChecked("S_OnlyViewWindow", false);
    form_->SetMenuChecked("S_AllWindow", true);
    settings_.ShowOnly = false;
}

void MainForm::ListMain_MouseDown(const MouseEventArgs& e) {
    popupPending_ = e.button == kRightButton;
    if (popupPending_) {
        popupX_ = static_cast<int>(std::lround(e.x));
        popupY_ = static_cast<int>(std::lround(e.y));
    }
}

void MainForm::ListMain_MouseUp(const MouseEventArgs&) {
    if (!popupPending_) return;
    popupPending_ = false;
    const TwipsRect list = ListMain.Bounds();
    form_->PopupMenu("OnlyWindow", list.left + popupX_, list.top + popupY_);
}

void MainForm::UpdateData_Click() { CheckTimer_Timer(); }

void MainForm::Setting_Click() { LoadSettingWindow().Show(); }

void MainForm::HelpIndex_Click() {
    ProcessServices& process = platform_.process;
    process.ChangeDirectory(process.ProgramFolder());
    // A missing viewer is not an error of ours: the program goes on.
    process.StartProgram("winhlp32.exe qov.hlp");
}

void MainForm::Version_Click() { LoadVersionWnd().Show(); }

void MainForm::SetOwnWindowsTopmost() {
    WindowSystem& windows = platform_.windows;
    windows.MakeTopmost(form_->Handle());
    windows.MakeTopmost(LoadSettingWindow().Window().Handle());
    windows.MakeTopmost(LoadAddItems().Window().Handle());
    windows.MakeTopmost(LoadVersionWnd().Window().Handle());
}

SettingWindow& MainForm::LoadSettingWindow() {
    if (!settingWindow_) {
        SettingWindow::Actions actions{
            [this](int milliseconds) { CheckTimer.SetInterval(milliseconds); },
            [this] { SetOwnWindowsTopmost(); },
            [this] { LoadAddItems().FillTitleChoices(); },
        };
        settingWindow_ = std::make_unique<SettingWindow>(platform_.toolkit, settings_, actions);
    }
    return *settingWindow_;
}

AddItems& MainForm::LoadAddItems() {
    if (!addItems_) {
        SettingWindow& dialog = LoadSettingWindow();
        addItems_ = std::make_unique<AddItems>(platform_.toolkit, settings_, windowProc_, dialog.List1);
    }
    return *addItems_;
}

VersionWnd& MainForm::LoadVersionWnd() {
    if (!versionWnd_) versionWnd_ = std::make_unique<VersionWnd>(platform_.toolkit);
    return *versionWnd_;
}

// Only the windows go: the form objects stay until the main window's object
// ends, so the add-title dialog's reference to the settings dialog's list box
// and calls made during shut-down stay safe.
void MainForm::UnloadDialogs() {
    if (settingWindow_ && settingWindow_->Window().Loaded()) settingWindow_->Unload();
    if (addItems_ && addItems_->Window().Loaded()) addItems_->Unload();
    if (versionWnd_ && versionWnd_->Window().Loaded()) versionWnd_->Unload();
}

}  // namespace qov
