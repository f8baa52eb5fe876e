// A long random run of the main window on a busy desktop: windows come and
// go, change title and state, the filters change, and ticks, window commands
// and dialog buttons arrive in the middle of refreshes. After every cycle the
// list must still be a faithful picture of the table and of the desktop, and
// no command may ever have hit a window other than the one its row showed.

#include <gtest/gtest.h>

#include <random>
#include <set>
#include <string>
#include <vector>

#include "main_form_fixture.h"
#include "platform/sim/sim_controls.h"

namespace qov::testing {
namespace {

constexpr unsigned kSeed = 0x51A7E;
constexpr int kCycles = 2000;
constexpr int kTargetWindows = 30;
constexpr const char* kTestClass = "TestClass";

// Titles and exclusion fragments overlap, so exclusions take windows off the
// list and put them back; "IME" marks a system window, "" an untitled one.
const std::vector<std::string> kTitles{"Alpha 1", "alpha doc", "Beta",  "beta 3",  "Gamma γ",
                                       "メモ帳",  "IME tool",  "",      "Doc 3",   "ＡＬＰＨＡ"};
const std::vector<std::string> kFragments{"alpha", "BETA", "3", "doc", "γ"};
// Toolbar positions of the commands that act on the selected row's window.
const std::vector<std::int16_t> kSingleWindowCommands{0, 1, 2, 3, 4, 6, 7, 9};
constexpr std::int16_t kCloseCommand = 9;

class ChurnSoakTest : public MainFormTest {
protected:
    void SetUp() override { Start(); }

    int Pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(rng_); }
    bool Chance(int percent) { return Pick(100) < percent; }
    template <typename T>
    const T& PickFrom(const std::vector<T>& items) {
        return items[static_cast<std::size_t>(Pick(static_cast<int>(items.size())))];
    }

    std::vector<WindowHandle> TestWindows() const {
        std::vector<WindowHandle> windows;
        for (WindowHandle w : desktop.WindowsInOrder())
            if (desktop.Window(w)->className == kTestClass) windows.push_back(w);
        return windows;
    }

    // One random change to the desktop, as other programs would make it.
    void DisturbDesktop() {
        const std::vector<WindowHandle> windows = TestWindows();
        const int kind = Pick(7);
        if (windows.empty() || (kind == 0 && windows.size() < kTargetWindows + 10)) {
            desktop.CreateWindow(PickFrom(kTitles), kTestClass, {Pick(800), Pick(600), 900, 700});
            return;
        }
        const WindowHandle w = PickFrom(windows);
        switch (kind) {
        case 1:
            if (windows.size() > kTargetWindows - 10) desktop.DestroyWindow(w);
            break;
        case 2: desktop.SetTitle(w, PickFrom(kTitles)); break;
        case 3: desktop.SetShowState(w, 1 + Pick(3)); break;
        case 4: desktop.SetVisible(w, Chance(50)); break;
        case 5: desktop.SetForeground(w); break;
        default: desktop.SetRect(w, {Pick(800), Pick(600), 1000, 800}); break;
        }
    }

    void ToggleSetting() {
        switch (Pick(3)) {
        case 0: settings.ShowNoname = !settings.ShowNoname; break;
        case 1: settings.SystemWindow = !settings.SystemWindow; break;
        default: settings.NotVWindow = !settings.NotVWindow; break;
        }
    }

    // The user selects a row and presses a toolbar button: the command must
    // reach exactly the window that row shows at that moment.
    void SelectRowAndCommand() {
        const int rows = List().RowCount();
        if (rows == 0) return;
        const int row = 1 + Pick(rows);
        List().SetSelectedIndex(row);
        const std::string shown = List().Text(row, 4);
        std::int16_t command = PickFrom(kSingleWindowCommands);
        const sim::SimWindow* target = desktop.Window(std::stoi(shown));
        // Closing one of the program's own windows would end the run.
        if (command == kCloseCommand && (!target || target->className != kTestClass)) command = 3;
        const std::size_t before = desktop.Changes().size();
        main->clsToolBar_ButtonClick(command);
        const std::vector<sim::DesktopChange>& changes = desktop.Changes();
        ASSERT_EQ(changes.size(), before + 1) << "command " << command << " on row " << row;
        EXPECT_EQ(HandleText(changes.back().window), shown)
            << "command " << command << " on row " << row << " hit another window";
        ++commandsChecked_;
    }

    static void Press(qov::Button& button) { static_cast<sim::SimButton&>(button).Click(); }

    // A press in the settings dialog or the add-title dialog.
    void PressDialogButton() {
        SettingWindow& dialog = *main->SettingWindowIfLoaded();
        switch (Pick(7)) {
        case 0: static_cast<sim::SimCheckBox&>(dialog.Check2).Click(); break;
        case 1: static_cast<sim::SimCheckBox&>(dialog.Check1).Click(); break;
        case 2:
            static_cast<sim::SimOptionButton&>(Chance(50) ? dialog.Option1 : dialog.Option2).Click();
            break;
        case 3: Press(Chance(70) ? dialog.Command1 : dialog.Command2); break;
        case 4: Press(dialog.Command3); break;  // fills and opens the add-title dialog
        case 5:
            if (AddItems* add = main->AddItemsIfLoaded()) {
                static_cast<sim::SimComboBox&>(add->Combo1).Type(PickFrom(kFragments));
                Press(add->Command1);
                ++exclusionsAdded_;
            }
            break;
        default: {
            auto& list = static_cast<sim::SimListBox&>(dialog.List1);
            if (list.ListCount() == 0) break;
            list.ClickItem(Pick(list.ListCount()));
            Press(dialog.Command4);
            ++exclusionsRemoved_;
            break;
        }
        }
    }

    void QueueEvents() {
        const int events = Pick(4);
        const int yieldsInReach = 2 * List().RowCount() + 4;
        for (int e = 0; e < events; ++e) {
            const int at = 1 + Pick(yieldsInReach);
            switch (Pick(5)) {
            case 0: toolkit.QueueAtYield([this] { Chance(50) ? Tick() : main->UpdateData_Click(); }, at); break;
            case 1: toolkit.QueueAtYield([this] { DisturbDesktop(); }, at); break;
            case 2: toolkit.QueueAtYield([this] { PressDialogButton(); }, at); break;
            default: toolkit.QueueAtYield([this] { SelectRowAndCommand(); }, at); break;
            }
        }
    }

    // What must hold after a refresh that nothing disturbed.
    void CheckListIsFaithful() {
        ASSERT_TRUE(Form().Loaded());
        const WindowTable& listed = tables.ListedWindows;
        ASSERT_EQ(List().RowCount(), listed.Count());
        EXPECT_EQ(Status().SimpleText(), WindowCountText(List().RowCount()));
        WindowProc proc(desktop, settings);
        std::set<WindowHandle> seen;
        for (int row = 1; row <= listed.Count(); ++row) {
            const WindowHandle w = listed[row];
            ASSERT_EQ(List().Text(row, 4), HandleText(w)) << "row " << row;
            EXPECT_TRUE(seen.insert(w).second) << "listed twice: " << w;
            EXPECT_TRUE(proc.PassesFilters(w)) << "row " << row << " should have left";
            EXPECT_EQ(List().Text(row, 0), proc.WindowTitle(w)) << "row " << row;
            EXPECT_EQ(List().Text(row, 1), proc.GetWindowStatus(w)) << "row " << row;
        }
        for (WindowHandle w : desktop.WindowsInOrder()) {
            EXPECT_TRUE(!proc.PassesFilters(w) || seen.contains(w)) << "missing: " << w;
        }
        // The settings dialog's list box shows the exclusion list line for line.
        const auto& lines = static_cast<sim::SimListBox&>(main->SettingWindowIfLoaded()->List1);
        EXPECT_EQ(lines.Items(), settings.ExcludedTitles);
    }

    std::mt19937 rng_{kSeed};
    int commandsChecked_ = 0;
    int exclusionsAdded_ = 0;
    int exclusionsRemoved_ = 0;
};

TEST_F(ChurnSoakTest, ListStaysFaithfulAndCommandsHitTheShownWindow) {
    for (int i = 0; i < kTargetWindows; ++i) desktop.CreateWindow(PickFrom(kTitles), kTestClass);
    int maxRows = 0;
    for (int cycle = 1; cycle <= kCycles; ++cycle) {
        SCOPED_TRACE("cycle " + std::to_string(cycle));
        for (int n = Pick(5); n > 0; --n) DisturbDesktop();
        if (Chance(10)) ToggleSetting();
        QueueEvents();
        Tick();
        // Events queued past the refresh's last yield arrive between ticks.
        while (toolkit.PendingYieldActions() > 0) toolkit.Yield();
        Tick();
        CheckListIsFaithful();
        if (HasFailure()) break;
        maxRows = std::max(maxRows, List().RowCount());
    }
    if (HasFailure()) return;
    // The run really exercised what it claims to.
    EXPECT_GT(commandsChecked_, kCycles / 2);
    EXPECT_GT(exclusionsAdded_, 20);
    EXPECT_GT(exclusionsRemoved_, 20);
    EXPECT_GT(maxRows, 10);
}

}  // namespace
}  // namespace qov::testing
