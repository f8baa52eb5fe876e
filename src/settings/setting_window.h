#pragma once
// The settings dialog "V O V　＜設定＞": edits the filters, the refresh
// interval, the always-on-top option and the exclusion list. Modeless; it is
// hidden, never destroyed, by its buttons and its close box, so its controls
// keep their states for the whole run.

#include <array>
#include <functional>
#include <memory>

#include "platform/forms.h"
#include "settings/settings.h"

namespace qov {

class SettingWindow {
public:
    struct Actions {
        std::function<void(int milliseconds)> setTimerInterval;  // the main window's CheckTimer
        std::function<void()> setOwnWindowsTopmost;
        std::function<void()> fillTitleChoices;  // opens the add-title dialog
    };

    // Loads the dialog hidden.
    SettingWindow(Toolkit& toolkit, Settings& settings, Actions actions);

    Form& Window() { return *form_; }
    void Show() { form_->Show(); }
    void Unload() { form_->Unload(); }

    // Interval of each Option3 button, by index.
    static constexpr std::array<int, 5> kIntervals{100, 500, 1000, 5000, 10000};

    void TabStrip1_Click();
    void ApplySettingsDialog();  // "閉じる"
    void Command2_Click();       // "キャンセル"
    void Command3_Click();       // "追加"
    void Command4_Click();       // "削除"

private:
    Toolkit& toolkit_;
    Settings& settings_;
    Actions actions_;
    std::unique_ptr<Form> form_;

public:
    // Controls, in tab order.
    TabStrip& TabStrip1;
    PictureBox& Picture1;  // page 2: "除外ウィンドウ"
    OptionButton& Option1;
    OptionButton& Option2;
    CheckBox& Check1;
    ListBox& List1;
    Button& Command1;
    Button& Command2;
    PictureBox& Picture2;  // page 1: "一般"
    CheckBox& Check2;
    Frame& Frame1;
    std::array<OptionButton*, 5> Option3;
    CheckBox& Check3;
    Button& Command3;
    Button& Command4;
};

}  // namespace qov
