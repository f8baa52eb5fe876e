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

TEST_F(StartUpTest, EmptyStoreGivesTheDefaultsEverywhere) {
    Start();
    EXPECT_EQ(Form().Caption(), "V O V");
    EXPECT_TRUE(Form().Visible());
    EXPECT_TRUE(Form().MenuChecked("S_OnlyViewWindow"));
    EXPECT_FALSE(Form().MenuChecked("S_AllWindow"));
    EXPECT_TRUE(Dialog().Check2.Checked());
    EXPECT_TRUE(Dialog().Option1.Selected());
    EXPECT_FALSE(Dialog().Option2.Selected());
    EXPECT_TRUE(Dialog().Check1.Checked());
    EXPECT_FALSE(Dialog().Check3.Checked());
    EXPECT_EQ(SelectedIntervalOption(), 2);
    EXPECT_EQ(main->CheckTimer.Interval(), 1000);
    EXPECT_TRUE(main->CheckTimer.Enabled());
    const int widths[] = {4000, 1000, 2000, 2000, 1000};
    const char* headers[] = {"タイトル", "状態", "サイズ", "クラス名", "ハンドル"};
    for (int column = 1; column <= 5; ++column) {
        EXPECT_EQ(main->ListMain.ColumnWidth(column), widths[column - 1]);
        EXPECT_EQ(main->ListMain.ColumnHeader(column), headers[column - 1]);
    }
    EXPECT_EQ(settings.ExcludedTitleCount(), 0);
    EXPECT_EQ(settings.SystemTitleCount(), 6);
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

TEST_F(StartUpTest, CloseSavesEveryKeyInItsTextForm) {
    Start();
    main->ExitProgram_Click();
    const std::pair<const char*, const char*> expected[] = {
        {"ShowOnly", "True"},     {"ShowNoname", "False"},  {"UpdateInterval", "1000"},
        {"SystemWindow", "False"}, {"NotVWindow", "False"}, {"TitleWidth", "4000"},
        {"StatusWidth", "1000"},  {"SizeWidth", "2000"},    {"ClassWidth", "2000"},
        {"hWndWidth", "1000"},    {"Wnd1", ""},             {"AlwaysTop", "False"},
    };
    for (const auto& [key, value] : expected) EXPECT_EQ(Stored(key), value) << key;
    EXPECT_FALSE(Form().Loaded());
    EXPECT_TRUE(toolkit.QuitRequested());
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

TEST_F(StartUpTest, ToolbarIsBuiltAfterTheSettingsInItsOrder) {
    Start();
    ASSERT_EQ(toolkit.ToolBars().size(), 1u);
    const auto& calls = toolkit.ToolBars().front()->Calls();
    ASSERT_GE(calls.size(), 8u + 19u);
    const std::vector<std::string> setUp(calls.begin(), calls.begin() + 8);
    EXPECT_EQ(setUp, (std::vector<std::string>{"SetTextAlignment(-1)", "SetWrappable(true)",
                                               "SetPictureBox", "SetAlign(1)", "SetImageList(16)",
                                               "SetHotImageList(16)", "SetIndent(8)",
                                               "SetStyle(1)"}));
    EXPECT_EQ(toolkit.ToolBars().front()->ButtonsCount(), 19);
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
    about->Command1_Click();
    Form().ClickMenu("Version");
    EXPECT_EQ(main->VersionWndIfLoaded(), about);
    EXPECT_TRUE(about->Window().Visible());
    int aboutForms = 0;
    for (sim::SimForm* form : toolkit.Forms()) aboutForms += form->Caption() == "QOV　＜バージョン情報＞";
    EXPECT_EQ(aboutForms, 1);
}

TEST_F(StartUpTest, MenuBarCaptionsAndShortcuts) {
    Start();
    const std::tuple<const char*, const char*, const char*> items[] = {
        {"MenuFile", "ファイル(&F)", ""},      {"UpdateData", "最新情報に更新", "F5"},
        {"ExitProgram", "終了", "F4"},          {"O_IDO", "移動(&M) ", ""},
        {"O_Hide", "非表示 ", "Ctrl+H"},        {"O_Show", "表示 ", "Ctrl+S"},
        {"O_Close", "閉じる(C) ", ""},          {"O_AllwaysTop", "常に再前面に表示(&A) ", ""},
        {"S_Restore", "元のサイズに戻す(&R) ", ""}, {"S_Close", "閉じる(&D)", ""},
        {"HelpIndex", "目次表示", "F1"},        {"Version", "バージョン情報(&V)", ""},
    };
    for (const auto& [name, caption, shortcut] : items) {
        EXPECT_EQ(Form().MenuCaption(name), caption) << name;
        EXPECT_EQ(Form().MenuShortcut(name), shortcut) << name;
    }
}

}  // namespace
}  // namespace qov::testing
