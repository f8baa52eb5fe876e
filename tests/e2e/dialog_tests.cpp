// The settings dialog, the add-title dialog, the About box and the small
// commands of the menus, used through their real windows: what a user
// changes there acts on the list at a later refresh and is saved at exit.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <algorithm>

#include "harness/child_processes.h"
#include "harness/qov_commands.h"
#include "harness/qov_registry.h"
#include "harness/qov_test.h"
#include "harness/remote_dialog.h"
#include "harness/remote_memory.h"
#include "harness/wait.h"

namespace qov::e2e {
namespace {

const std::wstring kSettingsCaption = L"V O V　＜設定＞";
const std::wstring kAddTitleCaption = L"V O V　＜項目追加＞";
const std::wstring kAboutCaption = L"QOV　＜バージョン情報＞";
const std::wstring kNoTitleCheck = L"タイトルがないウィンドウは表示しない";
constexpr int kExcludedWindowsTab = 1;

class Dialogs : public QovTest {
protected:
    // Fires the menu item that opens a window and waits for it to show.
    std::optional<RemoteDialog> Open(int command, const std::wstring& caption) {
        if (!qov().SendCommand(command)) return std::nullopt;
        return WaitForDialog(caption);
    }

    std::optional<RemoteDialog> WaitForDialog(const std::wstring& caption) {
        std::optional<RemoteDialog> dialog;
        WaitUntil([&] { return (dialog = RemoteDialog::FindVisible(qov().id(), caption)).has_value(); });
        return dialog;
    }

    // The settings dialog on its second page, the exclusion list.
    std::optional<RemoteDialog> OpenExcludedWindowsPage() {
        std::optional<RemoteDialog> settings = Open(command::Setting, kSettingsCaption);
        if (settings && !settings->SelectTab(kExcludedWindowsTab)) return std::nullopt;
        return settings;
    }

    std::vector<std::wstring> ExcludedLines(const RemoteDialog& settings) {
        return ListBoxLines(settings.ControlOfClass(WC_LISTBOXW));
    }
};

TEST_F(Dialogs, UntitledWindowsAreListedOnceTheirBoxIsClearedAndClosedAndThatIsSaved) {
    FixtureThread& titled = AddFixture(FixtureOptions::Titled(L"Titled Fixture"));
    FixtureThread& untitled = AddFixture(FixtureOptions::Titled(L""));
    ASSERT_NO_FATAL_FAILURE(StartQov());
    ASSERT_TRUE(WaitForRow(titled.window()));
    EXPECT_FALSE(RowOf(untitled.window())) << "untitled windows are hidden by default";

    std::optional<RemoteDialog> settings = Open(command::Setting, kSettingsCaption);
    ASSERT_TRUE(settings) << "the settings dialog did not open";
    EXPECT_EQ(settings->Checked(kNoTitleCheck), true) << "the box shows the stored setting";
    ASSERT_TRUE(settings->Click(kNoTitleCheck));
    ASSERT_TRUE(WaitUntil([&] { return settings->Checked(kNoTitleCheck) == false; }));
    // The box alone changes nothing until the dialog is closed with "閉じる".
    ASSERT_TRUE(qov().SendCommand(command::UpdateData));
    EXPECT_FALSE(RowOf(untitled.window()));

    ASSERT_TRUE(settings->Click(L"閉じる"));
    EXPECT_TRUE(WaitUntil([&] { return !settings->Visible(); })) << "閉じる hides the dialog";
    EXPECT_TRUE(WaitForRow(untitled.window())) << "the untitled fixture never got a row";

    ASSERT_TRUE(qov().Close());
    EXPECT_EQ(ReadQovSetting(L"ShowNoname"), L"True");
}

TEST_F(Dialogs, ATypedFragmentAddedThroughTheAddTitleDialogHidesMatchingWindowsAndIsSaved) {
    FixtureThread& kept = AddFixture(FixtureOptions::Titled(L"Kept Fixture"));
    FixtureThread& secret = AddFixture(FixtureOptions::Titled(L"Fixture with a Secret"));
    ASSERT_NO_FATAL_FAILURE(StartQov());
    ASSERT_TRUE(WaitForRow(secret.window()));

    std::optional<RemoteDialog> settings = OpenExcludedWindowsPage();
    ASSERT_TRUE(settings) << "the settings dialog did not open on its second page";
    ASSERT_TRUE(settings->Click(L"追加"));
    std::optional<RemoteDialog> add = WaitForDialog(kAddTitleCaption);
    ASSERT_TRUE(add) << "the add-title dialog did not open";

    const HWND combo = add->ControlOfClass(WC_COMBOBOXW);
    const std::vector<std::wstring> offered = ComboBoxLines(combo);
    EXPECT_NE(std::find(offered.begin(), offered.end(), secret.options().title), offered.end())
        << "the listed windows' titles are offered: " << testing::PrintToString(offered);
    const HWND edit = FindWindowExW(combo, nullptr, WC_EDITW, nullptr);
    ASSERT_NE(edit, nullptr) << "the combo box has no edit field";
    ASSERT_TRUE(SendWithTimeout(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"Secret")));
    ASSERT_TRUE(add->Click(L"追加"));

    EXPECT_TRUE(WaitUntil([&] { return !add->Visible(); })) << "a successful add hides the dialog";
    EXPECT_EQ(ExcludedLines(*settings), std::vector<std::wstring>{L"Secret"});
    EXPECT_TRUE(WaitForNoRow(secret.window())) << "the matching window is still listed";
    EXPECT_TRUE(RowOf(kept.window()));

    ASSERT_TRUE(qov().Close());
    EXPECT_EQ(ReadQovSetting(L"Wnd1"), L"Secret");
    EXPECT_EQ(ReadQovSetting(L"Wnd2"), L"") << "an empty entry ends the stored list";
}

TEST_F(Dialogs, DeleteWithNothingSelectedSaysSoAndRemovesNothing) {
    ASSERT_NO_FATAL_FAILURE(StartQov({{L"UpdateInterval", L"100"}, {L"Wnd1", L"Alpha"}}));
    std::optional<RemoteDialog> settings = OpenExcludedWindowsPage();
    ASSERT_TRUE(settings);
    ASSERT_EQ(ExcludedLines(*settings), std::vector<std::wstring>{L"Alpha"});

    ASSERT_TRUE(settings->Click(L"削除"));
    std::optional<RemoteMessageBox> box;
    ASSERT_TRUE(WaitUntil([&] { return (box = FindMessageBox(qov().id(), L"V O V")).has_value(); }))
        << "no message box titled V O V appeared";
    EXPECT_EQ(box->text, L"項目が選択されていません");
    ASSERT_TRUE(DismissMessageBox(*box)) << "OK did not close the message box";

    EXPECT_EQ(ExcludedLines(*settings), std::vector<std::wstring>{L"Alpha"});
    EXPECT_TRUE(KeepsRefreshing());
}

TEST_F(Dialogs, DeleteRemovesTheSelectedEntryFromTheListAndTheSavedSettings) {
    ASSERT_NO_FATAL_FAILURE(
        StartQov({{L"UpdateInterval", L"100"}, {L"Wnd1", L"Alpha"}, {L"Wnd2", L"Bravo"}}));
    std::optional<RemoteDialog> settings = OpenExcludedWindowsPage();
    ASSERT_TRUE(settings);
    const HWND list = settings->ControlOfClass(WC_LISTBOXW);
    ASSERT_TRUE(SendWithTimeout(list, LB_SETCURSEL, 0, 0));

    ASSERT_TRUE(settings->Click(L"削除"));
    EXPECT_TRUE(WaitUntil([&] { return ListBoxLines(list) == std::vector<std::wstring>{L"Bravo"}; }))
        << testing::PrintToString(ListBoxLines(list));

    ASSERT_TRUE(qov().Close());
    EXPECT_EQ(ReadQovSetting(L"Wnd1"), L"Bravo");
    EXPECT_EQ(ReadQovSetting(L"Wnd2"), L"");
}

class RefreshNow : public Dialogs {
protected:
    // Whether "最新情報に更新" lists `window` by the time it is handled. A
    // command that meets a tick's refresh under way is dropped, so it is given
    // a second try; two in a row cannot both meet ticks ten seconds apart.
    bool ListedRightAfterTheCommand(HWND window) {
        for (int attempt = 0; attempt < 2; ++attempt) {
            if (!qov().SendCommand(command::UpdateData)) return false;
            if (RowOf(window)) return true;
        }
        return false;
    }
};

TEST_F(RefreshNow, ListsNewWindowsAtOnceWhateverTheInterval) {
    FixtureThread& early = AddFixture(FixtureOptions::Titled(L"Early Fixture"));
    // The first tick is ten seconds away: until then only the command refreshes.
    ASSERT_NO_FATAL_FAILURE(StartQov({{L"UpdateInterval", L"10000"}}));
    EXPECT_TRUE(ListedRightAfterTheCommand(early.window()));
    FixtureThread& newer = AddFixture(FixtureOptions::Titled(L"Newer Fixture"));
    EXPECT_TRUE(ListedRightAfterTheCommand(newer.window()));
}

TEST_F(Dialogs, HelpWithoutAViewerOrFileLeavesQovRunning) {
    ASSERT_NO_FATAL_FAILURE(StartQov());
    ChildProcessCleanup viewer(qov().id());
    ASSERT_TRUE(qov().SendCommand(command::HelpIndex)) << "QOV did not answer the help command";
    EXPECT_FALSE(qov().Exited());
    EXPECT_TRUE(KeepsRefreshing());
    EXPECT_FALSE(FindMessageBox(qov().id(), L"V O V")) << "QOV itself reports nothing";
}

TEST_F(Dialogs, TheAboutBoxIsOneWindowThatCloseHidesAndTheNextCommandShowsAgain) {
    ASSERT_NO_FATAL_FAILURE(StartQov());
    ASSERT_TRUE(qov().SendCommand(command::Version));
    std::optional<RemoteDialog> about = Open(command::Version, kAboutCaption);
    ASSERT_TRUE(about) << "no About box appeared";
    EXPECT_EQ(TopLevelWindows(qov().id(), kAboutCaption).size(), 1u) << "asked twice, shown once";
    RECT shown{};
    GetWindowRect(about->window(), &shown);

    ASSERT_TRUE(about->Click(L"閉じる"));
    ASSERT_TRUE(WaitUntil([&] { return !about->Visible(); })) << "閉じる did not hide the box";
    EXPECT_TRUE(about->Exists()) << "closing hides the box, it does not destroy it";

    std::optional<RemoteDialog> again = Open(command::Version, kAboutCaption);
    ASSERT_TRUE(again);
    EXPECT_EQ(again->window(), about->window());
    RECT reopened{};
    GetWindowRect(again->window(), &reopened);
    EXPECT_TRUE(EqualRect(&shown, &reopened)) << "the box comes back where it was";
}

}  // namespace
}  // namespace qov::e2e
