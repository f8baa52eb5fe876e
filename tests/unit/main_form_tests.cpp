#include <gtest/gtest.h>

#include "main_form_fixture.h"
#include "settings/settings_persistence.h"

namespace qov::testing {
namespace {

constexpr const char* kApp = "Tamarind Desk";
constexpr const char* kSection = "QOV";

class StartUpTest : public MainFormTest {
protected:
    void Preset(const std::string& key, const std::string& value) {
        store.Preset(kApp, kSection, key, value);
    }
    std::optional<std::string> Stored(const std::string& key) {
        return store.Value(kApp, kSection, key);
    }
    SettingWindow& Dialog() { return *main->SettingWindowIfLoaded(); }
    int SelectedIntervalOption() {
        for (int i = 0; i < 5; ++i)
            if (Dialog().Option3[i]->Selected()) return i;
        return -1;
    }
    // Closes the program the way the user does and starts it again.
    void Restart() {
        main->ExitProgram_Click();
        main.reset();
        settings = Settings{};
        Start();
    }
};

TEST_F(StartUpTest, EmptyStoreStartsWithTheDefaults) {
    Start();
    EXPECT_TRUE(Form().Visible());
    EXPECT_TRUE(Form().MenuChecked("S_OnlyViewWindow"));
    EXPECT_FALSE(Form().MenuChecked("S_AllWindow"));
    EXPECT_TRUE(Dialog().Check2.Checked());
    EXPECT_TRUE(Dialog().Option1.Selected());
    EXPECT_TRUE(Dialog().Check1.Checked());
    EXPECT_FALSE(Dialog().Check3.Checked());
    EXPECT_EQ(SelectedIntervalOption(), 2);
    EXPECT_EQ(main->CheckTimer.Interval(), 1000);
    EXPECT_TRUE(main->CheckTimer.Enabled());
    EXPECT_EQ(main->AddItemsIfLoaded(), nullptr);
    EXPECT_EQ(main->VersionWndIfLoaded(), nullptr);
}

TEST_F(StartUpTest, StoredValuesAreApplied) {
    Preset("ShowOnly", "false");
    Preset("ShowNoname", "TRUE");
    Preset("SystemWindow", "1");
    Preset("NotVWindow", "True");
    Preset("UpdateInterval", "250");
    Preset("TitleWidth", "3000");
    Preset("Wnd1", "memo");
    Preset("Wnd3", "after the gap");
    Start();
    EXPECT_FALSE(settings.ShowOnly);
    EXPECT_TRUE(Form().MenuChecked("S_AllWindow"));
    EXPECT_FALSE(Dialog().Check2.Checked());
    EXPECT_TRUE(Dialog().Option2.Selected());
    EXPECT_FALSE(Dialog().Check1.Checked());
    EXPECT_EQ(SelectedIntervalOption(), -1);
    EXPECT_EQ(main->CheckTimer.Interval(), 250);
    EXPECT_EQ(main->ListMain.ColumnWidth(1), 3000);
    EXPECT_EQ(settings.ExcludedTitles, (std::vector<std::string>{"memo"}));
    EXPECT_EQ(Dialog().List1.ListCount(), 1);
    EXPECT_EQ(Dialog().List1.Item(0), "memo");
}

TEST_F(StartUpTest, UnreadableValuesGiveTheDefaults) {
    for (const char* key : {"ShowOnly", "ShowNoname", "SystemWindow", "NotVWindow", "AlwaysTop"})
        Preset(key, "maybe");
    Preset("UpdateInterval", "-40");
    Preset("StatusWidth", "wide");
    Preset("SizeWidth", std::string(65536, '9'));
    Start();
    EXPECT_TRUE(settings.ShowOnly);
    EXPECT_FALSE(settings.ShowNoname || settings.SystemWindow || settings.NotVWindow ||
                 settings.AlwaysTop);
    EXPECT_EQ(main->CheckTimer.Interval(), 1000);
    EXPECT_EQ(main->ListMain.ColumnWidth(2), 1000);
    EXPECT_EQ(main->ListMain.ColumnWidth(3), 2000);
}

TEST_F(StartUpTest, AtMostAThousandTitlesAreLoaded) {
    for (int n = 1; n <= 1100; ++n) Preset("Wnd" + std::to_string(n), "t" + std::to_string(n));
    Start();
    EXPECT_EQ(settings.ExcludedTitleCount(), kMaxExcludedTitles);
    EXPECT_EQ(Dialog().List1.ListCount(), kMaxExcludedTitles);
    main->ExitProgram_Click();
    EXPECT_EQ(Stored("Wnd1001"), "");
}

TEST_F(StartUpTest, AlwaysTopMakesAllFourWindowsTopmostAtStart) {
    Preset("AlwaysTop", "True");
    Start();
    ASSERT_NE(main->AddItemsIfLoaded(), nullptr);
    ASSERT_NE(main->VersionWndIfLoaded(), nullptr);
    for (qov::Form* form : {&main->Window(), &Dialog().Window(), &main->AddItemsIfLoaded()->Window(),
                       &main->VersionWndIfLoaded()->Window()})
        EXPECT_TRUE(desktop.Window(form->Handle())->topmost) << form->Caption();
    EXPECT_FALSE(main->AddItemsIfLoaded()->Window().Visible());
    EXPECT_TRUE(Dialog().Check3.Checked());
}

TEST_F(StartUpTest, EverythingChangedInARunSurvivesARestart) {
    Start();
    Form().ClickMenu("S_AllWindow");
    List().DragColumn(1, 240);  // 3600 twips
    settings.ShowNoname = true;
    settings.UpdateInterval = 5000;
    for (const char* t : {"a", "b", "c"}) settings.AppendExcludedTitle(t);
    Restart();
    EXPECT_FALSE(settings.ShowOnly);
    EXPECT_TRUE(Form().MenuChecked("S_AllWindow"));
    EXPECT_EQ(main->ListMain.ColumnWidth(1), 3600);
    EXPECT_TRUE(settings.ShowNoname);
    EXPECT_EQ(SelectedIntervalOption(), 3);
    EXPECT_EQ(settings.ExcludedTitles, (std::vector<std::string>{"a", "b", "c"}));

    settings.RemoveExcludedTitle(1);
    settings.RemoveExcludedTitle(1);
    Restart();
    EXPECT_EQ(settings.ExcludedTitles, (std::vector<std::string>{"c"}));
}

TEST_F(StartUpTest, ClosingUnloadsTheDialogsBeforeSavingAndReleasesTheToolbarAfter) {
    Start();
    main->Version_Click();
    main->Setting_Click();
    Form().QueryClose(UnloadMode::CloseBox);
    EXPECT_FALSE(main->SettingWindowIfLoaded()->Window().Loaded());
    EXPECT_FALSE(main->VersionWndIfLoaded()->Window().Loaded());
    EXPECT_EQ(main->Toolbar(), nullptr);
    EXPECT_TRUE(toolkit.ToolBars().empty());
    EXPECT_TRUE(Stored("ShowOnly").has_value());
}

TEST_F(StartUpTest, ListFollowsTheWindowSizeOnlyWhileThereIsRoom) {
    Start();
    const TwipsRect before = main->ListMain.Bounds();
    EXPECT_EQ(before.top, 480);
    Form().Resize(12000, 9000);
    const TwipsRect grown = main->ListMain.Bounds();
    EXPECT_EQ(grown.width, Form().ClientWidth());
    EXPECT_EQ(grown.top + grown.height, main->StatusBar1.Bounds().top);
    Form().Resize(12000, 900);  // no room for the list's height
    EXPECT_EQ(main->ListMain.Bounds().height, grown.height);
    EXPECT_EQ(main->ListMain.Bounds().width, Form().ClientWidth());
}

TEST_F(StartUpTest, SmallCommands) {
    Start();
    Window("A");
    main->CheckTimer.SetInterval(10000);
    Form().ClickMenu("UpdateData");
    EXPECT_EQ(main->ListMain.RowCount(), 1);
    EXPECT_EQ(main->CheckTimer.Interval(), 10000);

    Form().ClickMenu("Setting");
    EXPECT_TRUE(Dialog().Window().Visible());

    process.SetProgramFolder("C:\\Tools\\QOV");
    process.SetStartProgramResult(false);
    Form().ClickMenu("HelpIndex");
    EXPECT_EQ(process.DirectoryChanges(), (std::vector<std::string>{"C:\\Tools\\QOV"}));
    EXPECT_EQ(process.StartedPrograms(), (std::vector<std::string>{"winhlp32.exe qov.hlp"}));
    EXPECT_TRUE(Form().Loaded());
    EXPECT_TRUE(toolkit.MessageBoxes().empty());

    Form().ClickMenu("Version");
    VersionWnd* about = main->VersionWndIfLoaded();
    ASSERT_NE(about, nullptr);
    static_cast<sim::SimButton&>(about->Command1).Click();
    EXPECT_FALSE(about->Window().Visible());
    Form().ClickMenu("Version");
    EXPECT_EQ(main->VersionWndIfLoaded(), about);
    EXPECT_TRUE(about->Window().Visible());
    int aboutForms = 0;
    for (sim::SimForm* form : toolkit.Forms()) aboutForms += form->Caption() == "QOV　＜バージョン情報＞";
    EXPECT_EQ(aboutForms, 1);
    auto& aboutForm = static_cast<sim::SimForm&>(about->Window());
    EXPECT_FALSE(aboutForm.QueryClose(UnloadMode::CloseBox)) << "the close box only hides it";
    EXPECT_TRUE(aboutForm.Loaded());
    EXPECT_FALSE(aboutForm.Visible());
    // The button names its own font: left to the toolkit it would not be bold.
    const FontSpec& buttonFont = static_cast<const sim::SimButton&>(about->Command1).Font();
    EXPECT_EQ(buttonFont.face, "ＭＳ Ｐゴシック");
    EXPECT_TRUE(buttonFont.bold);
}

TEST_F(StartUpTest, MenuShortcuts) {
    Start();
    const std::pair<const char*, const char*> items[] = {
        {"UpdateData", "F5"}, {"ExitProgram", "F4"}, {"O_Hide", "Ctrl+H"},
        {"O_Show", "Ctrl+S"}, {"HelpIndex", "F1"},   {"O_Close", ""},
    };
    for (const auto& [name, shortcut] : items) EXPECT_EQ(Form().MenuShortcut(name), shortcut) << name;
}

}  // namespace
}  // namespace qov::testing
