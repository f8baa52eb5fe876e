// QOV as its user meets it: started on a desktop of fixture windows, driven
// through its menus, toolbar, pop-up menu and dialogs, its settings read back
// from the registry once it has closed.
#include <gtest/gtest.h>

#include <tuple>

#include "harness.h"

namespace qov::e2e {
namespace {

const std::wstring kSettingsCaption = L"V O V　＜設定＞";
constexpr int kShown = SW_SHOWNOACTIVATE;

bool Normal(HWND w) { return IsWindowVisible(w) && !IsIconic(w) && !IsZoomed(w); }
bool Hidden(HWND w) { return IsWindow(w) && !IsWindowVisible(w); }
bool Topmost(HWND w) { return (GetWindowLongW(w, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

class E2e : public testing::Test {
protected:
    void SetUp() override { DeleteSettings(); }
    void TearDown() override {
        qov_.reset();  // before the fixtures, so it acts on none while they go
        fixtures_.clear();
        DeleteSettings();
    }
    void Start(const StoredValues& settings = {{L"UpdateInterval", L"100"}}) {
        StoreSettings(settings);
        qov_ = std::make_unique<Qov>();
        ASSERT_TRUE(qov_->Ready()) << "qov.exe showed no main window with a list and a status bar";
    }
    HWND Add(FixtureOptions options) {
        return fixtures_.emplace_back(std::make_unique<Fixture>(std::move(options)))->Window();
    }
    Fixture& LastFixture() { return *fixtures_.back(); }
    // A window opened now gets its row only while the refresh still runs.
    bool KeepsRefreshing() { return qov().WaitForRow(Add({L"Late Fixture"})); }
    HWND WaitForWindow(const std::wstring& caption, const wchar_t* className = nullptr) {
        HWND found = nullptr;
        WaitUntil([&] { return (found = FindTopLevel(qov().Id(), caption, className)) != nullptr; });
        return found;
    }
    Qov& qov() { return *qov_; }

private:
    std::unique_ptr<Qov> qov_;
    std::vector<std::unique_ptr<Fixture>> fixtures_;
};

TEST_F(E2e, StartsOnEmptySettingsAndListsEachWindowColumnByColumn) {
    // A Japanese title and class, and a window reaching left of the screen.
    const HWND windows[] = {
        Add({L"Alpha Fixture", kShown, L"QovE2eAlpha", {60, 50, 460, 350}}),
        Add({L"ブラボー 窓のテスト", kShown, L"クラス名ブラボー", {-200, 80, 300, 380}})};
    ASSERT_NO_FATAL_FAILURE(Start({}));
    SetForegroundWindow(qov().Main());
    EXPECT_EQ(RectText(windows[1]), L"(-200,80)-(300,380)");
    for (const HWND window : windows) {
        wchar_t title[64] = {};
        GetWindowTextW(window, title, 64);
        const Row expected{title, L"通常", RectText(window), ClassOf(window), HandleText(window)};
        EXPECT_TRUE(WaitUntil([&] { return qov().RowOf(window) == expected; }))
            << testing::PrintToString(qov().RowOf(window));
    }
    EXPECT_TRUE(WaitUntil([&] {
        const std::wstring count = L" " + std::to_wstring(qov().Rows().size());
        return qov().StatusText() == count + L"個のウィンドウが存在します";
    })) << qov().StatusText();
}

enum class Via { Menu, Toolbar, Popup };
struct CommandCase {
    const char* name;
    Via via;
    const wchar_t* caption;  // of the menu item, for Menu
    int key;                 // the toolbar button's position, or the pop-up item's access key
    int targetShow, otherShow;
    bool (*done)(HWND target, HWND other);
    const wchar_t* targetMode = nullptr;  // chosen from the menu first
};

class Commands : public E2e, public testing::WithParamInterface<CommandCase> {};

TEST_P(Commands, ChangeTheirTargetWindowsOnly) {
    const CommandCase& c = GetParam();
    const HWND other = Add({L"Other Fixture", c.otherShow});
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_TRUE(qov().WaitForRow(other));
    const HWND target = Add({L"Target Fixture", c.targetShow});  // listed below
    ASSERT_TRUE(qov().WaitForRow(target) && qov().SelectRowOf(target));
    ASSERT_TRUE(!c.targetMode || qov().ChooseMenu(c.targetMode));
    if (c.via == Via::Toolbar) qov().ClickToolbar(c.key);
    ASSERT_TRUE(c.via == Via::Toolbar || (c.via == Via::Menu ? qov().ChooseMenu(c.caption)
                                                             : qov().ChooseFromPopup(target, c.key)));
    EXPECT_TRUE(WaitUntil([&] { return c.done(target, other); }));
    Sleep(300);
    EXPECT_TRUE(c.done(target, other)) << "undone, or the other window changed later";
}

INSTANTIATE_TEST_SUITE_P(
    E2e, Commands,
    testing::Values(
        CommandCase{"MenuMinimize", Via::Menu, L"最小化(&N) ", 0, kShown, kShown,
                    [](HWND t, HWND o) { return IsIconic(t) && Normal(o); }},
        CommandCase{"ToolbarClose", Via::Toolbar, nullptr, 9, kShown, kShown,
                    [](HWND t, HWND o) { return !IsWindow(t) && Normal(o); }},
        CommandCase{"PopupRestore", Via::Popup, nullptr, L'R', SW_SHOWMINNOACTIVE, kShown,
                    [](HWND t, HWND o) { return Normal(t) && Normal(o); }},
        CommandCase{"MenuHide", Via::Menu, L"非表示 ", 0, kShown, kShown,
                    [](HWND t, HWND o) { return Hidden(t) && Normal(o); }},
        CommandCase{"ToolbarShow", Via::Toolbar, nullptr, 7, SW_HIDE, kShown,
                    [](HWND t, HWND o) { return Normal(t) && Normal(o); }},
        CommandCase{"PopupMaximize", Via::Popup, nullptr, L'X', kShown, kShown,
                    [](HWND t, HWND o) { return IsZoomed(t) && Normal(o); }},
        CommandCase{"MenuTopmost", Via::Menu, L"常に再前面に表示(&A) ", 0, kShown, kShown,
                    [](HWND t, HWND o) { return Topmost(t) && !Topmost(o); }},
        // Only visible windows are targets at first: the hidden one is left alone.
        CommandCase{"ToolbarMinimizeVisible", Via::Toolbar, nullptr, 12, kShown, SW_HIDE,
                    [](HWND t, HWND o) { return IsIconic(t) && Hidden(o) && !IsIconic(o); }},
        CommandCase{"MenuShowAllWindows", Via::Menu, L"表示", 0, SW_HIDE, SW_HIDE,
                    [](HWND t, HWND o) { return Normal(t) && Normal(o); }, L"全てのウィンドウ"}),
    [](const testing::TestParamInfo<CommandCase>& info) { return info.param.name; });

TEST_F(E2e, TheSettingsAndAddTitleDialogsChangeWhatIsListedAndSaved) {
    const HWND kept = Add({L"Kept Fixture"}), secret = Add({L"Fixture with a Secret"});
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_TRUE(qov().WaitForRow(kept) && qov().WaitForRow(secret));
    EXPECT_FALSE(qov().RowOf(qov().Main())) << "QOV's own window is a system window, left out at first";
    ASSERT_TRUE(qov().ChooseMenu(L"設定"));
    const HWND settings = WaitForWindow(kSettingsCaption);
    Send(FindChild(settings, WC_TABCONTROLW), TCM_SETCURFOCUS, 1);  // "除外ウィンドウ"
    ASSERT_TRUE(Click(settings, L"追加"));
    const HWND add = WaitForWindow(L"V O V　＜項目追加＞");
    ASSERT_TRUE(settings && add);
    // What each dialog says when its button has nothing to work on.
    for (const auto& [dialog, button, message] : {
             std::tuple{settings, L"削除", L"項目が選択されていません"},
             std::tuple{add, L"追加", L"何も入力されていません"}}) {
        ASSERT_TRUE(Click(dialog, button));
        const HWND box = WaitForWindow(L"V O V", L"#32770");
        EXPECT_TRUE(FindChild(box, WC_STATICW, message)) << "no message box saying so after " << button;
        PostMessageW(box, WM_COMMAND, IDOK, 0);
        ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box); }));
    }
    const LPARAM fragment = reinterpret_cast<LPARAM>(L"Secret");
    Send(FindChild(FindChild(add, WC_COMBOBOXW), WC_EDITW), WM_SETTEXT, 0, fragment);
    ASSERT_TRUE(Click(add, L"追加"));
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(add); })) << "a successful add hides the dialog";
    EXPECT_EQ(Send(FindChild(settings, WC_LISTBOXW), LB_GETCOUNT), 1) << "the exclusion list shows it";
    ASSERT_TRUE(Click(settings, L"システムウィンドウも処理する") && Click(settings, L"閉じる"));
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(settings); }));
    EXPECT_TRUE(qov().WaitForRow(qov().Main())) << "system windows are listed once chosen";
    EXPECT_TRUE(WaitUntil([&] { return qov().RowOf(kept) && !qov().RowOf(secret); }));

    ASSERT_TRUE(qov().Close());
    StoredValues stored = ReadSettings();
    EXPECT_EQ(stored[L"SystemWindow"] + L"," + stored[L"Wnd1"] + L"," + stored[L"Wnd2"],
              L"True,Secret,");
    ASSERT_NO_FATAL_FAILURE(Start({}));  // the next run reads what this one wrote
    EXPECT_TRUE(qov().WaitForRow(qov().Main()));
    EXPECT_FALSE(qov().RowOf(secret));
}

TEST_F(E2e, AFirstRunWritesEverySettingAsAStringWhenItEnds) {
    ASSERT_NO_FATAL_FAILURE(Start({}));
    ASSERT_TRUE(qov().ChooseMenu(L"終了") && qov().WaitForExit());
    EXPECT_EQ(qov().ExitCode(), 0u);
    const StoredValues defaults{
        {L"ShowOnly", L"True"}, {L"ShowNoname", L"False"}, {L"SystemWindow", L"False"},
        {L"NotVWindow", L"False"}, {L"AlwaysTop", L"False"}, {L"UpdateInterval", L"1000"},
        {L"TitleWidth", L"4000"}, {L"StatusWidth", L"1000"}, {L"SizeWidth", L"2000"},
        {L"ClassWidth", L"2000"}, {L"hWndWidth", L"1000"}, {L"Wnd1", L""}};
    EXPECT_EQ(ReadSettings(), defaults);
}

TEST_F(E2e, ACommandOnAHungWindowNeitherFreezesQovNorOutlastsAFewSeconds) {
    const HWND other = Add({L"Other Fixture"}), hung = Add({L"Hung Fixture"});
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_TRUE(qov().WaitForRow(other) && qov().WaitForRow(hung) && LastFixture().Hang());
    ASSERT_TRUE(qov().SelectRowOf(hung) && qov().ChooseMenu(L"最小化(&N) "));
    for (int i = 0; i < 3; ++i) {
        Sleep(300);
        EXPECT_TRUE(Send(qov().Main(), WM_NULL, 0, 0, 1000)) << "QOV did not answer within a second";
    }
    // The next command is taken once the first is over; one given earlier may be dropped.
    ASSERT_TRUE(qov().SelectRowOf(other));
    EXPECT_TRUE(WaitUntil([&] { return qov().ChooseMenu(L"最小化(&N) ") && IsIconic(other); }, 10s))
        << "the command on the hung window never ended";
}

TEST_F(E2e, CloseAllWaitsForAWindowThatAsksFirstWhileQovKeepsAnswering) {
    const HWND asking = Add({.title = L"Asking Fixture", .asksBeforeClosing = true});
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_TRUE(qov().WaitForRow(asking));
    const HWND next = Add({L"Closing Fixture"});  // listed below
    ASSERT_TRUE(qov().WaitForRow(next) && qov().ChooseMenu(L"閉じる(&D)"));
    HWND question = nullptr;
    ASSERT_TRUE(WaitUntil([&] {
        return (question = FindTopLevel(GetCurrentProcessId(), kQuestionCaption, L"#32770")) != nullptr;
    })) << "the first window was not asked to close";
    for (int i = 0; i < 8; ++i) {  // longer than any time-out for a window that still answers
        EXPECT_TRUE(Send(qov().Main(), WM_NULL, 0, 0, 1000)) << "QOV did not answer within a second";
        Sleep(500);
    }
    EXPECT_TRUE(IsWindow(next)) << "the next window was closed before the question was answered";
    PostMessageW(question, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(asking) && !IsWindow(next); }, 10s));
}

TEST_F(E2e, ClosingItsOwnListedWindowEndsQovCleanly) {
    // The toolbar's "閉じる" and "閉じる(&D)" (positions 9 and 18), and the menu's "閉じる(&D)".
    for (const int toolbarPosition : {9, 18, -1}) {
        SCOPED_TRACE(toolbarPosition);
        ASSERT_NO_FATAL_FAILURE(Start({{L"UpdateInterval", L"100"}, {L"SystemWindow", L"True"}}));
        ASSERT_TRUE(qov().WaitForRow(qov().Main()) && KeepsRefreshing());  // one listed below it
        ASSERT_TRUE(qov().SelectRowOf(qov().Main()));
        if (toolbarPosition >= 0) qov().ClickToolbar(toolbarPosition);
        ASSERT_TRUE(toolbarPosition >= 0 || qov().ChooseMenu(L"閉じる(&D)"));
        ASSERT_TRUE(qov().WaitForExit()) << "QOV did not end";
        EXPECT_EQ(qov().ExitCode(), 0u);
        StoredValues stored = ReadSettings();
        EXPECT_EQ(stored[L"SystemWindow"] + L"," + stored[L"TitleWidth"], L"True,4000") << "not saved";
        DeleteSettings();
    }
}

TEST_F(E2e, ACancelledLogOffLeavesQovWorking) {
    ASSERT_NO_FATAL_FAILURE(Start());
    EXPECT_TRUE(Send(qov().Main(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF));
    EXPECT_TRUE(Send(qov().Main(), WM_ENDSESSION, FALSE, ENDSESSION_LOGOFF));
    EXPECT_TRUE(KeepsRefreshing());
    EXPECT_EQ(qov().ToolbarButtonCount(), 19);
    ASSERT_TRUE(qov().ChooseMenu(L"設定"));
    EXPECT_TRUE(WaitForWindow(kSettingsCaption)) << "the settings dialog did not open";
}

}  // namespace
}  // namespace qov::e2e
