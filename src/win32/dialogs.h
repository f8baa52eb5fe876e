#pragma once
// The program's three secondary windows. Each is created hidden when the main
// window is, shown by its menu item or button, hidden (never destroyed) by its
// own buttons and close box, and destroyed with its object when the main
// window closes. Each opens on the main window's monitor; none is owned by it.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "core/settings.h"
#include "core/window_model.h"
#include "win32/dialog_frame.h"
#include "win32/handles.h"

namespace qov::win32 {

// "V O V　＜設定＞": the filters, the refresh interval, how changes are
// detected, the always-on-top option and the exclusion list, on two tab pages ("一般", "除外ウィンドウ").
class SettingsDialog final : public DialogFrame {
public:
    struct Callbacks {
        std::function<void(bool makeTopmost)> applied;  // after "閉じる" changed the settings
        std::function<void()> addTitleRequested;        // "追加"
    };
    // Controls start from `settings` (DialogStateFrom) and its exclusion list.
    SettingsDialog(HWND mainWindow, Settings& settings, Callbacks callbacks);

    using DialogFrame::Show;
    // The add-title dialog appended a title to the settings' exclusion list.
    void AppendExcludedLine(const std::string& title);
    // What the detection of changes uses now, and for "自動" what it found.
    void ShowDetection(const std::string& text);

private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void PlaceControls(UINT dpi) override;
    void OnCommand(int controlId);
    void OnCloseButton();
    void OnDeleteButton();
    int SelectedTab() const;
    void ShowPage(int page);
    SettingsDialogState ReadControls() const;
    void WriteControls(const SettingsDialogState& state);

    Settings& settings_;
    Callbacks callbacks_;
};

// "V O V　＜項目追加＞": a combo box of the listed windows' titles and "追加".
class AddTitleDialog final : public DialogFrame {
public:
    // `added` runs after a title went into the settings' exclusion list.
    AddTitleDialog(HWND mainWindow, Settings& settings, WindowModel& model,
                   std::function<void(const std::string&)> added);

    // Fills the choices afresh (TitleChoices) and shows the dialog.
    void Open();

private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void PlaceControls(UINT dpi) override;
    void OnCommand(int controlId);
    void OnAddButton();

    Settings& settings_;
    WindowModel& model_;
    std::function<void(const std::string&)> added_;
};

// "QOV　＜バージョン情報＞".
class AboutBox final : public DialogFrame {
public:
    explicit AboutBox(HWND mainWindow);
    ~AboutBox() override;  // the window goes before its labels' fonts

    using DialogFrame::Show;

private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void PlaceControls(UINT dpi) override;
    void DressControls(UINT dpi, bool create);

    std::vector<UniqueFont> fonts_;  // one per control, in layout order
};

}  // namespace qov::win32
