#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/sim/sim_toolkit.h"
#include "settings/setting_window.h"

namespace qov {
namespace {

using Lines = std::vector<std::string>;
template <class Sim, class Control>
Sim& AsSim(Control& control) { return static_cast<Sim&>(control); }

class SettingWindowTest : public ::testing::Test {
protected:
    sim::SimToolkit toolkit;
    Settings settings;
    std::vector<int> timerIntervals;
    int topmostCalls = 0;
    int fillCalls = 0;
    SettingWindow dialog{toolkit, settings,
                         {[this](int ms) { timerIntervals.push_back(ms); },
                          [this] { ++topmostCalls; }, [this] { ++fillCalls; }}};

    sim::SimForm& Form() { return AsSim<sim::SimForm>(dialog.Window()); }
    void Click(Button& button) { AsSim<sim::SimButton>(button).Click(); }
    void SetList(const Lines& titles) {
        settings.ExcludedTitles.clear();
        while (dialog.List1.ListCount() > 0) dialog.List1.RemoveItem(0);
        for (const std::string& title : titles) {
            settings.AppendExcludedTitle(title);
            dialog.List1.AddItem(title);
        }
    }
    Lines ListLines() { return AsSim<sim::SimListBox>(dialog.List1).Items(); }
};

TEST_F(SettingWindowTest, LoadsHiddenOnTheFirstPageAndTabsSwitchPages) {
    EXPECT_FALSE(dialog.Window().Visible());
    EXPECT_EQ(dialog.TabStrip1.SelectedTab(), 1);
    EXPECT_TRUE(dialog.Picture2.Visible());
    EXPECT_FALSE(dialog.Picture1.Visible());
    for (int tab : {2, 1}) {
        AsSim<sim::SimTabStrip>(dialog.TabStrip1).ClickTab(tab);
        EXPECT_EQ(dialog.Picture2.Visible(), tab == 1);
        EXPECT_EQ(dialog.Picture1.Visible(), tab == 2);
    }
}

TEST_F(SettingWindowTest, CloseAppliesEveryControlToSettings) {
    struct Case {
        bool check2, check1, check3, option1;
        int option3;
        bool showNoname, notVWindow, systemWindow;
        int interval;
    };
    const Case cases[] = {
        {true, true, false, true, 2, false, false, false, 1000},
        {false, false, true, false, 0, true, true, true, 100},
        {true, false, true, true, 1, false, true, false, 500},
        {false, true, false, false, 3, true, false, true, 5000},
        {true, true, true, true, 4, false, false, false, 10000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.interval);
        const int topmostBefore = topmostCalls;
        dialog.Check2.SetChecked(c.check2);
        dialog.Check1.SetChecked(c.check1);
        dialog.Check3.SetChecked(c.check3);
        (c.option1 ? dialog.Option1 : dialog.Option2).SetSelected(true);
        AsSim<sim::SimOptionButton>(*dialog.Option3[c.option3]).Click();
        dialog.Show();
        Click(dialog.Command1);
        EXPECT_EQ(settings.ShowNoname, c.showNoname);
        EXPECT_EQ(settings.NotVWindow, c.notVWindow);
        EXPECT_EQ(settings.AlwaysTop, c.check3);
        EXPECT_EQ(settings.SystemWindow, c.systemWindow);
        EXPECT_EQ(settings.UpdateInterval, c.interval);
        EXPECT_EQ(timerIntervals.back(), c.interval);
        EXPECT_EQ(topmostCalls - topmostBefore, c.check3 ? 1 : 0);  // at every close
        EXPECT_FALSE(dialog.Window().Visible());
    }
}

TEST_F(SettingWindowTest, CancelledChoiceIsAppliedByTheNextClose) {
    dialog.Option3[2]->SetSelected(true);
    dialog.Show();
    AsSim<sim::SimOptionButton>(*dialog.Option3[4]).Click();
    Click(dialog.Command2);
    EXPECT_FALSE(dialog.Window().Visible());
    EXPECT_EQ(settings.UpdateInterval, 1000);
    EXPECT_TRUE(timerIntervals.empty());
    dialog.Show();
    Click(dialog.Command1);
    EXPECT_EQ(settings.UpdateInterval, 10000);
    EXPECT_EQ(timerIntervals, std::vector<int>{10000});
}

TEST_F(SettingWindowTest, UnmatchedIntervalIsKeptAndSetAgain) {
    settings.UpdateInterval = 250;
    Click(dialog.Command1);
    EXPECT_EQ(settings.UpdateInterval, 250);
    EXPECT_EQ(timerIntervals, std::vector<int>{250});
}

TEST_F(SettingWindowTest, DeleteKeepsListAndExcludedTitlesInStep) {
    const std::pair<int, Lines> cases[] = {
        {0, {"b", "c", "d"}}, {2, {"a", "b", "d"}}, {3, {"a", "b", "c"}}};
    for (const auto& [line, remaining] : cases) {
        SetList({"a", "b", "c", "d"});
        AsSim<sim::SimListBox>(dialog.List1).ClickItem(line);
        Click(dialog.Command4);
        EXPECT_EQ(settings.ExcludedTitles, remaining) << line;
        EXPECT_EQ(ListLines(), remaining) << line;
        EXPECT_EQ(dialog.List1.ListIndex(), -1) << line;
    }
    EXPECT_TRUE(toolkit.MessageBoxes().empty());
}

TEST_F(SettingWindowTest, DeleteWithNothingSelectedReportsAndChangesNothing) {
    dialog.Show();
    Click(dialog.Command4);  // empty list
    SetList({"a", "b"});
    Click(dialog.Command4);  // no line selected
    const sim::MessageBoxRecord expected{"項目が選択されていません", "V O V", 16};
    EXPECT_EQ(toolkit.MessageBoxes(), (std::vector<sim::MessageBoxRecord>{expected, expected}));
    EXPECT_EQ(settings.ExcludedTitles, (Lines{"a", "b"}));
    EXPECT_EQ(ListLines(), (Lines{"a", "b"}));
    EXPECT_TRUE(dialog.Window().Visible());
}

TEST_F(SettingWindowTest, CloseBoxHidesAndKeepsControlStates) {
    SetList({"a"});
    dialog.Show();
    AsSim<sim::SimCheckBox>(dialog.Check3).Click();
    AsSim<sim::SimOptionButton>(*dialog.Option3[1]).Click();
    EXPECT_FALSE(Form().QueryClose(UnloadMode::CloseBox));
    EXPECT_FALSE(dialog.Window().Visible());
    EXPECT_TRUE(timerIntervals.empty());  // nothing applied
    dialog.Show();
    EXPECT_TRUE(dialog.Window().Visible());
    EXPECT_TRUE(dialog.Check3.Checked());
    EXPECT_TRUE(dialog.Option3[1]->Selected());
    EXPECT_EQ(ListLines(), Lines{"a"});
    Click(dialog.Command3);
    EXPECT_EQ(fillCalls, 1);
}

}  // namespace
}  // namespace qov
