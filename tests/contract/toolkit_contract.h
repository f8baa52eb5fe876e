#pragma once
// Behaviour every form toolkit must share, written only against the forms
// interface, so the simulated toolkit the unit tests rely on is held to what
// the real one does. A test program instantiates it with its factories:
//
//   INSTANTIATE_TEST_SUITE_P(Sim, ToolkitContract,
//       ::testing::Values(qov::contract::ToolkitFactory{"Sim", [] { return ...; }}),
//       qov::contract::FactoryName);
//
// Include it in exactly one file of a test program.

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/forms.h"

namespace qov::contract {

struct ToolkitFactory {
    std::string name;
    std::function<std::unique_ptr<Toolkit>()> make;
};

inline std::string FactoryName(const ::testing::TestParamInfo<ToolkitFactory>& info) {
    return info.param.name;
}

// Test listings show the toolkit's name, not the factory's bytes.
inline void PrintTo(const ToolkitFactory& factory, std::ostream* out) { *out << factory.name; }

// One pixel at 96 dpi; the native controls keep column widths in pixels.
constexpr int kTwipsTolerance = 15;

class ToolkitContract : public ::testing::TestWithParam<ToolkitFactory> {
protected:
    void SetUp() override {
        toolkit = GetParam().make();
        FormArgs args;
        args.caption = "QOV 契約テスト";
        args.clientWidth = 6000;
        args.clientHeight = 4500;
        args.style = FormStyle::Sizable;
        form = toolkit->CreateForm(args);
    }

    void TearDown() override {
        if (form && form->Loaded()) form->Unload();
        form.reset();
        toolkit.reset();
    }

    ListView& AddFilledList(int rows) {
        ListView& list = form->AddListView({0, 0, 5000, 3000});
        for (const char* header : {"タイトル", "状態", "サイズ", "クラス名", "ハンドル"}) {
            list.AddColumn(header, 1200);
        }
        for (int row = 1; row <= rows; ++row) {
            EXPECT_EQ(list.AddRow(), row);
            for (int column = 0; column < 5; ++column) {
                list.SetText(row, column, "r" + std::to_string(row) + "c" + std::to_string(column));
            }
        }
        return list;
    }

    std::unique_ptr<Toolkit> toolkit;
    std::unique_ptr<Form> form;
};

TEST_P(ToolkitContract, RemovedRowMovesTheRowsBelowUp) {
    ListView& list = AddFilledList(4);
    list.SetIcon(3, 2);
    list.RemoveRow(2);
    ASSERT_EQ(list.RowCount(), 3);
    EXPECT_EQ(list.Text(1, 0), "r1c0");
    EXPECT_EQ(list.Text(2, 0), "r3c0");
    EXPECT_EQ(list.Text(2, 4), "r3c4");
    EXPECT_EQ(list.Icon(2), 2);
    EXPECT_EQ(list.Text(3, 3), "r4c3");
}

TEST_P(ToolkitContract, RowTextsAndIconsRoundTrip) {
    auto icons = toolkit->CreateImageList(PictureSet::ListRowIcons);
    ListView& list = AddFilledList(0);
    list.SetSmallIcons(*icons);
    const std::vector<std::string> texts = {"メモ帳 - 無題", "最小化(Act)", "", "Notepad",
                                            "-12345"};
    ASSERT_EQ(list.AddRow(), 1);
    for (int column = 0; column < 5; ++column) list.SetText(1, column, texts[column]);
    for (int icon = 1; icon <= 4; ++icon) {
        list.SetIcon(1, icon);
        EXPECT_EQ(list.Icon(1), icon);
    }
    for (int column = 0; column < 5; ++column) {
        EXPECT_EQ(list.Text(1, column), texts[column]) << "column " << column;
    }
    list.SetText(1, 0, "置き換え");
    EXPECT_EQ(list.Text(1, 0), "置き換え");
}

TEST_P(ToolkitContract, SelectionStaysWithItsRow) {
    ListView& list = AddFilledList(4);
    EXPECT_EQ(list.SelectedIndex(), 0);
    list.SetSelectedIndex(3);
    list.RemoveRow(1);
    EXPECT_EQ(list.SelectedIndex(), 2) << "a row above the selection was removed";
    EXPECT_EQ(list.Text(list.SelectedIndex(), 0), "r3c0");
    list.RemoveRow(3);
    EXPECT_EQ(list.SelectedIndex(), 2) << "a row below the selection was removed";
    list.RemoveRow(2);
    EXPECT_EQ(list.SelectedIndex(), 0) << "the selected row was removed";
}

TEST_P(ToolkitContract, BulkChangesBetweenBeginAndEndUpdateAllArrive) {
    ListView& list = AddFilledList(2);
    list.BeginUpdate();
    list.BeginUpdate();
    list.RemoveRow(1);
    list.SetText(1, 1, "nested");
    list.EndUpdate();
    list.AddRow();
    list.EndUpdate();
    EXPECT_EQ(list.RowCount(), 2);
    EXPECT_EQ(list.Text(1, 1), "nested");
}

TEST_P(ToolkitContract, ColumnHeadersAndWidthsRoundTripInTwips) {
    ListView& list = form->AddListView({0, 0, 5000, 3000});
    list.AddColumn("タイトル", 2000);
    list.AddColumn("状態", 1000);
    ASSERT_EQ(list.ColumnCount(), 2);
    EXPECT_EQ(list.ColumnHeader(1), "タイトル");
    EXPECT_EQ(list.ColumnHeader(2), "状態");
    EXPECT_NEAR(list.ColumnWidth(1), 2000, kTwipsTolerance);
    list.SetColumnWidth(2, 1234);
    EXPECT_NEAR(list.ColumnWidth(2), 1234, kTwipsTolerance);
    list.SetColumnWidth(1, 1500);
    EXPECT_EQ(list.ColumnWidth(1), 1500) << "a whole number of pixels reads back exactly";
}

TEST_P(ToolkitContract, StatusBarSimpleTextRoundTrips) {
    StatusBar& status = form->AddStatusBar();
    status.SetSimpleText("12 個のウィンドウ");
    EXPECT_EQ(status.SimpleText(), "12 個のウィンドウ");
    status.SetSimpleText("");
    EXPECT_EQ(status.SimpleText(), "");
}

TEST_P(ToolkitContract, HiddenFormKeepsItsControlsState) {
    PictureBox& page = form->AddPictureBox({0, 0, 6000, 3000});
    CheckBox& check = page.AddCheckBox("チェック", {120, 120, 3000, 255});
    Frame& frame = page.AddFrame("間隔", {120, 480, 5000, 900});
    OptionButton& first = frame.AddOptionButton("1秒", {120, 240, 1200, 375});
    OptionButton& second = frame.AddOptionButton("5秒", {1320, 240, 1200, 375});
    ListBox& lines = form->AddListBox({0, 3000, 3000, 1200});
    ComboBox& combo = form->AddComboBox({3000, 3000, 3000, 315});
    Label& label = form->AddLabel("版", {0, 4200, 3000, 255}, FontSpec{}, true);
    PictureBox& page2 = form->AddPictureBox({0, 0, 3000, 3000});
    form->Show();
    check.SetChecked(true);
    second.SetSelected(true);
    lines.AddItem("IME");
    lines.AddItem("メモ帳");
    lines.SetListIndex(1);
    combo.AddItem("候補");
    combo.SetText("入力した文字");
    label.SetText("Version 1.0");
    page.SetVisible(false);
    page2.SetVisible(true);
    page2.SetAlign(1);
    form->Hide();
    EXPECT_FALSE(form->Visible());
    EXPECT_TRUE(form->Loaded());
    EXPECT_TRUE(check.Checked());
    EXPECT_FALSE(first.Selected());
    EXPECT_TRUE(second.Selected());
    EXPECT_EQ(lines.ListCount(), 2);
    EXPECT_EQ(lines.ListIndex(), 1);
    EXPECT_EQ(lines.Item(1), "メモ帳");
    EXPECT_EQ(combo.Text(), "入力した文字");
    EXPECT_EQ(combo.Item(0), "候補");
    EXPECT_EQ(label.Text(), "Version 1.0");
    EXPECT_FALSE(page.Visible());
    EXPECT_TRUE(page2.Visible()) << "a control's own flag, not whether it can be seen";
    EXPECT_EQ(page2.Align(), 1);
    form->Show();
    EXPECT_TRUE(form->Visible());
    EXPECT_TRUE(check.Checked());
    EXPECT_EQ(combo.Text(), "入力した文字");
}

TEST_P(ToolkitContract, OptionButtonsOfOneContainerAreExclusive) {
    Frame& frame = form->AddFrame("枠", {0, 0, 5000, 900});
    OptionButton& a = frame.AddOptionButton("a", {120, 240, 1200, 375});
    OptionButton& b = frame.AddOptionButton("b", {1320, 240, 1200, 375});
    OptionButton& c = frame.AddOptionButton("c", {2520, 240, 1200, 375});
    PictureBox& other = form->AddPictureBox({0, 1000, 5000, 900});
    OptionButton& d = other.AddOptionButton("d", {120, 120, 3000, 255});
    EXPECT_FALSE(a.Selected() || b.Selected() || c.Selected()) << "none selected at first";
    a.SetSelected(true);
    d.SetSelected(true);
    b.SetSelected(true);
    EXPECT_FALSE(a.Selected());
    EXPECT_TRUE(b.Selected());
    EXPECT_FALSE(c.Selected());
    EXPECT_TRUE(d.Selected()) << "another container is another group";
    b.SetSelected(false);
    EXPECT_FALSE(a.Selected() || b.Selected() || c.Selected());
}

TEST_P(ToolkitContract, MenuCheckMarksRoundTrip) {
    std::vector<MenuItem> menus(1);
    menus[0].name = "View";
    menus[0].caption = "表示(&V)";
    menus[0].children = {{"Top", "常に手前", "", nullptr, {}},
                         {"Sep", "-", "", nullptr, {}},
                         {"Update", "最新情報に更新", "F5", nullptr, {}}};
    form->SetMenuBar(std::move(menus));
    EXPECT_FALSE(form->MenuChecked("Top"));
    form->SetMenuChecked("Top", true);
    EXPECT_TRUE(form->MenuChecked("Top"));
    EXPECT_FALSE(form->MenuChecked("Update"));
    form->SetMenuChecked("Top", false);
    EXPECT_FALSE(form->MenuChecked("Top"));
}

TEST_P(ToolkitContract, ListBoxRemoveShiftsLinesAndSelection) {
    ListBox& lines = form->AddListBox({0, 0, 3000, 1500});
    for (const char* text : {"a", "b", "c", "d"}) lines.AddItem(text);
    EXPECT_EQ(lines.ListIndex(), -1);
    lines.SetListIndex(2);
    lines.RemoveItem(0);
    EXPECT_EQ(lines.ListCount(), 3);
    EXPECT_EQ(lines.Item(0), "b");
    EXPECT_EQ(lines.ListIndex(), 1) << "the selection stays on \"c\"";
    lines.RemoveItem(1);
    EXPECT_EQ(lines.ListIndex(), -1) << "the selected line was removed";
    EXPECT_EQ(lines.Item(1), "d");
}

TEST_P(ToolkitContract, ComboBoxClearEmptiesListAndField) {
    ComboBox& combo = form->AddComboBox({0, 0, 3000, 315});
    combo.AddItem("一");
    combo.AddItem("二");
    combo.SetText("自由な文字");
    EXPECT_EQ(combo.ListCount(), 2);
    EXPECT_EQ(combo.Item(1), "二");
    combo.Clear();
    EXPECT_EQ(combo.ListCount(), 0);
    EXPECT_EQ(combo.Text(), "");
}

TEST_P(ToolkitContract, TabStripSelectionRoundTrips) {
    TabStrip& tabs = form->AddTabStrip({"全般", "除外ウィンドウ"}, {0, 0, 6000, 4000});
    EXPECT_EQ(tabs.TabCount(), 2);
    EXPECT_EQ(tabs.TabCaption(2), "除外ウィンドウ");
    EXPECT_EQ(tabs.SelectedTab(), 1);
    tabs.SetSelectedTab(2);
    EXPECT_EQ(tabs.SelectedTab(), 2);
}

TEST_P(ToolkitContract, FormCloseAsksFirstAndCanBeCancelled) {
    int asked = 0;
    bool keep = true;
    form->onQueryUnload = [&](bool& cancel, UnloadMode mode) {
        ++asked;
        EXPECT_EQ(mode, UnloadMode::CloseBox);
        cancel = keep;
    };
    form->Show();
    form->Close();
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(form->Loaded());
    keep = false;
    form->Close();
    EXPECT_EQ(asked, 2);
    EXPECT_FALSE(form->Loaded());
    EXPECT_FALSE(form->Visible());
}

TEST_P(ToolkitContract, UnloadDoesNotAsk) {
    int asked = 0;
    form->onQueryUnload = [&](bool&, UnloadMode) { ++asked; };
    form->Unload();
    EXPECT_EQ(asked, 0);
    EXPECT_FALSE(form->Loaded());
}

TEST_P(ToolkitContract, FormReportsCaptionHandleAndOuterSize) {
    EXPECT_EQ(form->Caption(), "QOV 契約テスト");
    EXPECT_NE(form->Handle(), 0);
    EXPECT_GE(form->Width(), 6000.0f);
    EXPECT_GE(form->Height(), 4500.0f);
}

TEST_P(ToolkitContract, TimerSettingsRoundTrip) {
    Timer& timer = form->AddTimer(1000);
    EXPECT_EQ(timer.Interval(), 1000);
    timer.SetInterval(500);
    timer.SetEnabled(false);
    EXPECT_EQ(timer.Interval(), 500);
    EXPECT_FALSE(timer.Enabled());
    timer.SetEnabled(true);
    EXPECT_TRUE(timer.Enabled());
}

TEST_P(ToolkitContract, ImageListsHoldTheProgramsPictures) {
    EXPECT_EQ(toolkit->CreateImageList(PictureSet::ListRowIcons)->Count(), 4);
    EXPECT_EQ(toolkit->CreateImageList(PictureSet::ToolbarButtons)->Count(), 16);
}

TEST_P(ToolkitContract, ToolBarCountsItsButtons) {
    auto bar = toolkit->CreateToolBar();
    auto images = toolkit->CreateImageList(PictureSet::ToolbarButtons);
    PictureBox& host = form->AddPictureBox({0, 0, 6000, 600});
    bar->SetPictureBox(host);
    bar->SetImageList(*images);
    bar->ButtonsAdd("Restore1", "元のサイズ", "元のサイズ", 0, 0);
    bar->ButtonsAdd("", "", "", 3, -1);
    EXPECT_EQ(bar->ButtonsCount(), 2);
}

}  // namespace qov::contract
