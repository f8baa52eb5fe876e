#include "settings/setting_window.h"

#include <array>
#include <string>
#include <string_view>
#include <utility>

#include "settings/hide_on_close_box.h"

namespace qov {

namespace {

// The dialog's layout, in twips, each control relative to its container.
struct Placement {
    std::string_view caption;
    TwipsRect bounds;
};

constexpr std::string_view kCaption = "V O V　＜設定＞";
constexpr int kClientWidth = 6870;
constexpr int kClientHeight = 5370;

constexpr TwipsRect kTabStrip1{120, 120, 6615, 4695};
constexpr std::string_view kTab1 = "一般";
constexpr std::string_view kTab2 = "除外ウィンドウ";

// Page 2, under page 1 inside the tab strip.
constexpr TwipsRect kPicture1{240, 480, 6375, 4215};
constexpr Placement kOption1{"システムウィンドウを処理から除外する", {120, 120, 6015, 255}};
constexpr Placement kOption2{"システムウィンドウも処理する", {120, 480, 5895, 255}};
constexpr Placement kCheck1{"以下のタイトルのウィンドウは処理からはずす", {120, 960, 5775, 255}};
constexpr TwipsRect kList1{120, 1320, 6135, 2400};
constexpr Placement kCommand4{"削除", {3960, 3840, 1095, 375}};
constexpr Placement kCommand3{"追加", {5160, 3840, 1095, 375}};

constexpr Placement kCommand1{"閉じる", {5280, 4920, 1455, 375}};
constexpr Placement kCommand2{"キャンセル", {3720, 4920, 1455, 375}};

// Page 1, seen when the dialog first opens.
constexpr TwipsRect kPicture2{360, 600, 6255, 4095};
constexpr Placement kCheck2{"タイトルがないウィンドウは表示しない", {120, 120, 6135, 255}};
constexpr Placement kFrame1{"更新間隔", {0, 1080, 6135, 735}};
constexpr std::array<Placement, 5> kOption3{{
    {"100ミリ秒", {120, 240, 1215, 375}},
    {"500ミリ秒", {1320, 240, 1215, 375}},
    {"1秒", {2520, 240, 735, 375}},
    {"5秒", {3720, 240, 975, 375}},
    {"10秒", {4920, 240, 855, 375}},
}};
constexpr Placement kCheck3{"QOVを常に手前に表示する（設定解除は次回起動時から有効）",
                            {120, 480, 5175, 255}};


std::array<OptionButton*, 5> AddIntervalOptions(Frame& frame) {
    std::array<OptionButton*, 5> options{};
    for (std::size_t i = 0; i < options.size(); ++i)
        options[i] = &frame.AddOptionButton(kOption3[i].caption, kOption3[i].bounds);
    return options;
}

}  // namespace

// The members are initialised in declaration order, which is the tab order
// within each container; the header keeps them in that order.
SettingWindow::SettingWindow(Toolkit& toolkit, Settings& settings, Actions actions)
    : toolkit_(toolkit),
      settings_(settings),
      actions_(std::move(actions)),
      form_(toolkit.CreateForm({std::string(kCaption), kClientWidth, kClientHeight,
                                    FormStyle::FixedDialog})),
      TabStrip1(form_->AddTabStrip({std::string(kTab1), std::string(kTab2)}, kTabStrip1)),
      Picture1(form_->AddPictureBox(kPicture1)),
      Option1(Picture1.AddOptionButton(kOption1.caption, kOption1.bounds)),
      Option2(Picture1.AddOptionButton(kOption2.caption, kOption2.bounds)),
      Check1(Picture1.AddCheckBox(kCheck1.caption, kCheck1.bounds)),
      List1(Picture1.AddListBox(kList1)),
      Command1(form_->AddButton(kCommand1.caption, kCommand1.bounds)),
      Command2(form_->AddButton(kCommand2.caption, kCommand2.bounds)),
      Picture2(form_->AddPictureBox(kPicture2)),
      Check2(Picture2.AddCheckBox(kCheck2.caption, kCheck2.bounds)),
      Frame1(Picture2.AddFrame(kFrame1.caption, kFrame1.bounds)),
      Option3(AddIntervalOptions(Frame1)),
      Check3(Picture2.AddCheckBox(kCheck3.caption, kCheck3.bounds)),
      Command3(Picture1.AddButton(kCommand3.caption, kCommand3.bounds)),
      Command4(Picture1.AddButton(kCommand4.caption, kCommand4.bounds)) {
    TabStrip1.SetSelectedTab(1);
    Picture1.SetVisible(false);
    Picture2.SetVisible(true);

    TabStrip1.onClick = [this] { TabStrip1_Click(); };
    Command1.onClick = [this] { ApplySettingsDialog(); };
    Command2.onClick = [this] { Command2_Click(); };
    Command3.onClick = [this] { Command3_Click(); };
    Command4.onClick = [this] { Command4_Click(); };
    HideOnCloseBox(*form_);
}

void SettingWindow::TabStrip1_Click() {
    // The page being shown is made visible before the other is hidden, so
    // the tab strip never shows an empty page in between.
    switch (TabStrip1.SelectedTab()) {
    case 1:
        Picture2.SetVisible(true);
        Picture1.SetVisible(false);
        break;
    case 2:
        Picture2.SetVisible(false);
        Picture1.SetVisible(true);
        break;
    default:
        break;
    }
}

void SettingWindow::ApplySettingsDialog() {
    settings_.ShowNoname = !Check2.Checked();
    settings_.NotVWindow = !Check1.Checked();
    if (Check3.Checked()) {
        settings_.AlwaysTop = true;
        // Every time: a window created since the last press is not topmost yet.
        if (actions_.setOwnWindowsTopmost) actions_.setOwnWindowsTopmost();
    } else {
        // The windows stay topmost until the next start, as the caption says.
        settings_.AlwaysTop = false;
    }
    settings_.SystemWindow = !Option1.Selected();
    // No option selected (a stored interval none of them offers): keep it.
    for (std::size_t i = 0; i < Option3.size(); ++i)
        if (Option3[i]->Selected()) settings_.UpdateInterval = kIntervals[i];
    if (actions_.setTimerInterval) actions_.setTimerInterval(settings_.UpdateInterval);
    form_->Hide();
}

void SettingWindow::Command2_Click() {
    // The controls keep what the user left in them; the next "閉じる" applies it.
    form_->Hide();
}

void SettingWindow::Command3_Click() {
    if (actions_.fillTitleChoices) actions_.fillTitleChoices();
}

void SettingWindow::Command4_Click() {
    const int line = List1.ListIndex();
    if (line < 0) {
        toolkit_.MessageBox("項目が選択されていません", "V O V", kMessageBoxStop);
        return;
    }
    // Line k shows position k + 1; both lose the entry together.
    settings_.RemoveExcludedTitle(line + 1);
    List1.RemoveItem(line);
    List1.SetListIndex(-1);
}

}  // namespace qov
