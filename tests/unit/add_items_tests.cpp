#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "main_window/refresh_cycle.h"
#include "platform/sim/sim_desktop.h"
#include "platform/sim/sim_toolkit.h"
#include "settings/add_items.h"

namespace qov {
namespace {

using Lines = std::vector<std::string>;
using Boxes = std::vector<sim::MessageBoxRecord>;

class AddItemsTest : public ::testing::Test {
protected:
    sim::SimDesktop desktop;
    sim::SimToolkit toolkit{&desktop};
    Settings settings;
    WindowProc windowProc{desktop, settings};
    sim::SimListBox excludedList{{0, 0, 1000, 1000}};
    AddItems dialog{toolkit, settings, windowProc, excludedList};

    sim::SimForm& Form() { return static_cast<sim::SimForm&>(dialog.Window()); }
    sim::SimComboBox& Combo() { return static_cast<sim::SimComboBox&>(dialog.Combo1); }
    void Click(Button& button) { static_cast<sim::SimButton&>(button).Click(); }
    void Add(const std::string& text) {
        Combo().Type(text);
        Click(dialog.Command1);
    }
};

TEST_F(AddItemsTest, OffersWhatTheListWouldShowInEnumerationOrder) {
    // Newest window first; the dialog's own window is the oldest.
    desktop.CreateWindow("Editor - memo.txt", "C");
    desktop.CreateWindow("Default IME", "C");
    desktop.CreateWindow("", "C");
    desktop.CreateWindow("Calculator", "C");
    settings.ExcludedTitles = {"MEMO"};
    const std::string own = "V O V\u3000＜項目追加＞";
    struct Case {
        bool showNoname, systemWindow, notVWindow;
        Lines offered;
    };
    const Case cases[] = {
        {false, false, false, {"Calculator"}},
        {true, false, false, {"Calculator", ""}},
        {false, true, false, {"Calculator", "Default IME", own}},
        {false, false, true, {"Calculator", "Editor - memo.txt"}},
        {true, true, true, {"Calculator", "", "Default IME", "Editor - memo.txt", own}},
    };
    for (const Case& c : cases) {
        settings.ShowNoname = c.showNoname;
        settings.SystemWindow = c.systemWindow;
        settings.NotVWindow = c.notVWindow;
        Combo().Type("left over");
        dialog.FillTitleChoices();
        EXPECT_EQ(Combo().Items(), c.offered) << c.showNoname << c.systemWindow << c.notVWindow;
        EXPECT_EQ(Combo().Text(), "");
        EXPECT_TRUE(dialog.Window().Visible());
    }
}

TEST_F(AddItemsTest, MoreWindowsThanATableHoldsOffersTheFirstThousand) {
    for (int i = 0; i <= MaxWindows; ++i) desktop.CreateWindow("w" + std::to_string(i), "C");
    dialog.FillTitleChoices();
    ASSERT_EQ(Combo().ListCount(), MaxWindows);
    EXPECT_EQ(Combo().Item(0), "w1000");
    EXPECT_EQ(Combo().Item(MaxWindows - 1), "w1");
    EXPECT_TRUE(toolkit.MessageBoxes().empty());
}

TEST_F(AddItemsTest, RefreshInProgressKeepsItsOwnTable) {
    desktop.CreateWindow("Alpha", "C");
    desktop.CreateWindow("Beta", "C");
    auto host = toolkit.CreateForm({"V O V", 6000, 4000, FormStyle::Sizable, true});
    ListView& list = host->AddListView({0, 0, 6000, 3000});
    WindowTables tables;
    RefreshCycle refresh(windowProc, tables, list, host->AddStatusBar(), toolkit);
    refresh.yieldDue = [] { return true; };
    auto handles = [&] {
        std::vector<WindowHandle> found;
        const WindowTable& table = tables.FoundWindows;
        for (int i = 1; i <= table.Count(); ++i) found.push_back(table[i]);
        return found;
    };
    // The user opens the choices mid-refresh, after a new window appeared:
    // at the first yield after the enumeration (one yield per desktop window).
    std::vector<WindowHandle> foundBefore, foundAfter;
    toolkit.QueueAtYield(
        [&] {
            foundBefore = handles();
            desktop.CreateWindow("Gamma", "C");
            dialog.FillTitleChoices();
            foundAfter = handles();
        },
        static_cast<int>(desktop.WindowCount()) + 1);
    ASSERT_EQ(refresh.Run(), RefreshCycle::Outcome::Completed);
    EXPECT_EQ(Combo().Items(), (Lines{"Gamma", "Beta", "Alpha"}));
    ASSERT_EQ(foundBefore.size(), 2u);
    EXPECT_EQ(foundAfter, foundBefore);
    ASSERT_EQ(list.RowCount(), 2);
    EXPECT_EQ(list.Text(1, 0), "Beta");
    EXPECT_EQ(list.Text(2, 0), "Alpha");
}

TEST_F(AddItemsTest, AddStoresTheTextUnchanged) {
    const std::pair<const char*, bool> cases[] = {
        {"", false}, {"   ", true}, {"Notepad", true}, {"Notepad", true}, {" Mixed Case ", true}};
    Lines expected;
    Boxes boxes;
    for (const auto& [text, added] : cases) {
        dialog.Window().Show();
        Add(text);
        if (added) expected.push_back(text);
        else boxes.push_back({"何も入力されていません", "V O V", 16});
        EXPECT_EQ(settings.ExcludedTitles, expected) << '"' << text << '"';
        EXPECT_EQ(excludedList.Items(), expected) << '"' << text << '"';
        EXPECT_EQ(dialog.Window().Visible(), !added) << '"' << text << '"';
        EXPECT_EQ(toolkit.MessageBoxes(), boxes) << '"' << text << '"';
    }
}

TEST_F(AddItemsTest, FullListRefusesWithAMessageAndStaysOpen) {
    for (int i = 1; i <= kMaxExcludedTitles; ++i) {
        settings.AppendExcludedTitle("t" + std::to_string(i));
        excludedList.AddItem("t" + std::to_string(i));
    }
    dialog.Window().Show();
    Add("one too many");
    EXPECT_EQ(settings.ExcludedTitles.back(), "t1000");
    EXPECT_EQ(excludedList.ListCount(), kMaxExcludedTitles);
    EXPECT_TRUE(dialog.Window().Visible());
    EXPECT_EQ(toolkit.MessageBoxes(),
              (Boxes{{"これ以上項目を追加できません", "V O V", 16}}));
}

TEST_F(AddItemsTest, CancelAndCloseBoxHideWithoutAdding) {
    dialog.Window().Show();
    Combo().Type("typed");
    Click(dialog.Command2);
    EXPECT_FALSE(dialog.Window().Visible());
    dialog.Window().Show();
    EXPECT_FALSE(Form().QueryClose(UnloadMode::CloseBox));
    EXPECT_TRUE(dialog.Window().Loaded());
    EXPECT_FALSE(dialog.Window().Visible());
    EXPECT_TRUE(settings.ExcludedTitles.empty());
    EXPECT_EQ(excludedList.ListCount(), 0);
}

}  // namespace
}  // namespace qov
