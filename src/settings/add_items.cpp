#include "settings/add_items.h"

#include <string>
#include <string_view>

#include "settings/hide_on_close_box.h"
#include "window_model/window_table.h"

namespace qov {

namespace {

// The dialog's layout, in twips.
constexpr std::string_view kCaption = "V O V　＜項目追加＞";
constexpr int kClientWidth = 5490;
constexpr int kClientHeight = 945;
constexpr TwipsRect kCombo1{120, 120, 5295, 300};
constexpr std::string_view kCommand1Caption = "追加";
constexpr TwipsRect kCommand1{4200, 480, 1215, 375};
constexpr std::string_view kCommand2Caption = "キャンセル";
constexpr TwipsRect kCommand2{2880, 480, 1215, 375};


}  // namespace

AddItems::AddItems(Toolkit& toolkit, Settings& settings, WindowProc& windowProc,
                   ListBox& excludedList)
    : toolkit_(toolkit),
      settings_(settings),
      windowProc_(windowProc),
      excludedList_(excludedList),
      form_(toolkit.CreateForm({std::string(kCaption), kClientWidth, kClientHeight,
                                    FormStyle::FixedDialog})),
      Combo1(form_->AddComboBox(kCombo1)),
      Command1(form_->AddButton(kCommand1Caption, kCommand1)),
      Command2(form_->AddButton(kCommand2Caption, kCommand2)) {
    Command1.onClick = [this] { Command1_Click(); };
    Command2.onClick = [this] { Command2_Click(); };
    HideOnCloseBox(*form_);
}

void AddItems::FillTitleChoices() {
    Combo1.Clear();
    // A table of our own: this can run while a refresh, paused in the event
    // loop, is still walking the program's table of found windows.
    WindowTable choices;
    // On overflow the table holds the first MaxWindows windows: offering
    // those is as useful as anything, so the overflow goes unreported.
    windowProc_.Enumerate(choices);
    for (int i = 1; i <= choices.Count(); ++i)
        Combo1.AddItem(windowProc_.WindowTitle(choices[i]));
    form_->Show();
}

void AddItems::Command1_Click() {
    // Stored as typed: no trimming, and a duplicate is a second entry.
    const std::string text = Combo1.Text();
    if (text.empty()) {
        toolkit_.MessageBox("何も入力されていません", "V O V", kMessageBoxStop);
        return;
    }
    if (!settings_.AppendExcludedTitle(text)) {
        toolkit_.MessageBox("これ以上項目を追加できません", "V O V", kMessageBoxStop);
        return;
    }
    excludedList_.AddItem(text);
    form_->Hide();
}

void AddItems::Command2_Click() { form_->Hide(); }

}  // namespace qov
