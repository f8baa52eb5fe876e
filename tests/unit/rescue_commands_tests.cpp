#include <gtest/gtest.h>

#include "core/rescue_commands.h"
#include "fakes/fake_desktop.h"
#include "fakes/fake_store.h"
#include "fakes/text_match.h"

namespace qov {
namespace {

using fakes::Operation;
constexpr Operation::Kind kPlace = Operation::SetPlacement;
const std::string kOneRestored = "1 個のウィンドウを元の配置に戻しました。\n見つからなかったウィンドウ: 0 個";
const std::string kOneRefused =
    "0 個のウィンドウを元の配置に戻しました。\n見つからなかったウィンドウ: 0 個\n戻せなかったウィンドウ: 1 個";
constexpr int kNormal = int(ShowState::Normal), kMinimized = int(ShowState::Minimized),
              kMaximized = int(ShowState::Maximized);

// The operations expected on one window.
std::vector<Operation> On(WindowHandle window, std::vector<Operation> operations) {
    for (Operation& op : operations) op.window = window;
    return operations;
}

// One 1920x1080 monitor whose work area ends at 1040 (the fake's); every window listed.
struct Scene {
    fakes::FakeDesktop desktop;
    fakes::FakeStore store;
    Settings settings;
    ListedWindows listed;
    int selected = -1;
    OwnWindows own{{7}, {}};
    WindowModel model{desktop, settings, fakes::TitleContains};
    WindowCommands windowCommands{desktop, listed, settings, own};
    RescueCommands commands{desktop, model, windowCommands, own, store};

    WindowHandle Add(std::string title, fakes::FakeWindow window = {}) {
        const WindowHandle handle = desktop.Add(std::move(title), std::move(window));
        listed.push_back({{.handle = handle}});
        return handle;
    }
    void Select(WindowHandle window) {
        for (std::size_t row = 0; row < listed.size(); ++row)
            if (listed[row].record.handle == window) selected = static_cast<int>(row);
    }
    std::string Run(int id) {
        return commands.Run({id, SelectedWindow(selected, listed)}).value_or("not a rescue command");
    }
};

// The geometry is IntoView's; here, which rectangle is fitted (the drawn
// part, the normal place) and what is kept.
TEST(RescueCommands, IntoViewMovesOnlyWindowsOutOfViewAndKeepsTheirShowState) {
    const std::tuple<const char*, fakes::FakeWindow, std::vector<Operation>> cases[] = {
        {"snapped to the left half, its invisible borders past the edges",
         {.rect = {-7, 0, 967, 1047}, .frame = WindowRect{0, 0, 960, 1040}}, {}},
        {"beyond any screen's reach", {.rect = {2000000000, 0, 2000000400, 300}}, {}},
        {"off to the right, its invisible borders kept", {.rect = {3993, 100, 4407, 407}, .frame = WindowRect{4000, 100, 4400, 400}},
         {{kPlace, kNormal, 0, {1513, 100, 1927, 407}}}},
        {"minimised, its normal place off-screen",
         {.state = ShowState::Minimized, .rect = {0, 1000, 160, 1040}, .normal = WindowRect{-2000, 50, -1600, 350}},
         {{kPlace, kMinimized, 0, {0, 50, 400, 350}}}},
        {"maximised, its normal place below",
         {.state = ShowState::Maximized, .rect = {0, 0, 1920, 1040}, .normal = WindowRect{100, 3000, 500, 3300}},
         {{kPlace, kMaximized, 0, {100, 740, 500, 1040}}}},
    };
    for (const auto& [name, fixture, operations] : cases) {
        for (const int id : {IDM_INTO_VIEW, IDM_ALL_INTO_VIEW}) {
            Scene s;
            s.Add("in view", {.rect = {0, 0, 10, 10}});
            const WindowHandle window = s.Add(name, fixture);
            s.Select(window);
            EXPECT_EQ(s.Run(id), "");
            EXPECT_EQ(s.desktop.operations, On(window, operations)) << name << ", command " << id;
        }
    }
}

TEST(RescueCommands, TargetsFollowTheTargetModeAndNeverIncludeTheShellsOrQovsOwnWindows) {
    Scene s;
    const WindowRect away{3000, 0, 3400, 300};
    const WindowHandle shown = s.Add("shown", {.rect = away}), hidden = s.Add("unseen", {.visible = false, .rect = away});
    s.Run(IDM_ALL_INTO_VIEW);
    EXPECT_EQ(s.desktop.Touched(), std::vector{shown});
    s.settings.showOnlyVisible = false;
    s.Run(IDM_ALL_INTO_VIEW);
    EXPECT_EQ(s.desktop.Touched(), (std::vector{shown, hidden}));
    s.Run(IDM_INTO_VIEW);
    EXPECT_EQ(s.desktop.Touched(), std::vector<WindowHandle>{}) << "no row selected";

    // The shell's windows (here another monitor's taskbar) and QOV's own are
    // never moved, saved or restored.
    const WindowHandle taskbar = s.Add("", {.className = "Shell_SecondaryTrayWnd", .rect = away});
    s.Add("V O V", {.className = "QOV.MainWindow", .rect = away});
    s.Run(IDM_ALL_INTO_VIEW);
    EXPECT_EQ(s.desktop.Touched(), (std::vector{shown, hidden}));
    s.Select(taskbar);
    EXPECT_EQ(s.Run(IDM_INTO_VIEW).substr(0, 36), "デスクトップやタスクバー");
    EXPECT_EQ(s.desktop.Touched(), std::vector<WindowHandle>{});
    EXPECT_EQ(s.Run(IDM_SAVE_LAYOUT), "2 個のウィンドウの配置を保存しました。");
    for (int other : {0, IDM_MINIMIZE, IDM_ABOUT}) EXPECT_EQ(s.Run(other), "not a rescue command");
}

TEST(RescueCommands, OnlyWhatTheStoreKeptIsReportedSaved) {
    Scene s;
    s.Add("no size", {.rect = {0, 0, 0, 0}});
    s.Add("saved");
    EXPECT_EQ(s.Run(IDM_SAVE_LAYOUT), "1 個のウィンドウの配置を保存しました。");
    s.store.keepsWrites = false;  // a key the user may not write, say
    s.Add("another");
    EXPECT_EQ(s.Run(IDM_SAVE_LAYOUT), "配置を保存できませんでした。");
}

// Each window is saved as `saved`, then is as `now` (its title kept) when the
// layout is restored; the left-hand monitor is the primary.
TEST(RescueCommands, ASavedWindowGetsItsPlaceAndShowStateBack) {
    using enum Operation::Kind;
    using enum ShowState;
    constexpr int kMinimizeQuietly = int(ShowCommand::ShowMinimizedNoActivate),
                  kMaximize = int(ShowCommand::ShowMaximized);
    const WindowRect onRight{2000, 100, 2800, 700}, maximisedLeft{-8, -8, 1928, 1048},
                     maximisedRight{1912, -8, 3848, 1048};
    const fakes::FakeWindow savedMaximised{.state = Maximized, .rect = maximisedRight, .normal = onRight};
    fakes::FakeWindow unknownMinimised{.state = Minimized, .rect = {0, 1000, 160, 1040}, .topmost = true,
                                       .normalKnown = false},
        unknownMaximised = unknownMinimised;
    unknownMaximised.state = Maximized;
    const struct {
        const char* name;
        fakes::FakeWindow saved, now;
        std::vector<Operation> expected;  // on the window, whose handle is filled in
        std::string message = kOneRestored;
        Outcome outcome = Outcome::Done;
        int rightDpi = 96;  // the right-hand monitor's when the layout is restored
    } cases[] = {
        // Its invisible borders reach past the screen's edges; measured when
        // it was saved, they still count once it is minimised.
        {"snapped to the left half, minimised since", {.rect = {-7, 0, 967, 1047}, .frame = WindowRect{0, 0, 960, 1040}},
         {.state = Minimized, .normal = WindowRect{100, 100, 500, 400}}, {{kPlace, kNormal, 0, {-7, 0, 967, 1047}}}},
        // Wine tells no other process a minimised or maximised window's normal
        // place, nor Windows of some windows created maximised: its show state
        // is saved alone.
        {"minimised, restored since", unknownMinimised, {.normalKnown = false},
         {{Show, kMinimizeQuietly, 0}, {MakeTopmost, 0, 0}}},
        {"maximised, minimised since", unknownMaximised, {.state = Minimized, .normalKnown = false},
         {{Show, kMaximize, 0}, {MakeTopmost, 0, 0}}},
        {"still minimised", unknownMinimised, {.state = Minimized, .normalKnown = false}, {{MakeTopmost, 0, 0}}},
        {"invisible since: not shown", unknownMinimised, {.visible = false, .normalKnown = false}, {}, kOneRefused},
        {"refused", unknownMaximised, {.normalKnown = false}, {{Show, kMaximize, 0}}, kOneRefused, Outcome::Refused},
        // SetWindowPlacement would leave a maximised window maximised on the monitor it is on.
        {"maximised on the other monitor since", savedMaximised,
         {.state = Maximized, .rect = maximisedLeft, .normal = WindowRect{100, 100, 900, 700}},
         {{MoveMaximized, 0, 0, onRight}}},
        {"maximised there, its normal place changed", savedMaximised,
         {.state = Maximized, .rect = maximisedRight, .normal = WindowRect{2100, 100, 2900, 700}},
         {{kPlace, kMaximized, 0, onRight}}},
        {"normal on the other monitor since", savedMaximised, {.rect = {100, 100, 900, 700}},
         {{kPlace, kMaximized, 0, onRight}}},
        // The same size in the user's terms once its monitor's scale is 125% instead of 100%.
        {"its monitor rescaled", {.rect = onRight}, {.rect = onRight}, {{kPlace, kNormal, 0, {2000, 100, 3000, 850}}},
         kOneRestored, Outcome::Done, 120},
    };
    for (const auto& c : cases) {
        Scene s;
        s.settings.showOnlyVisible = false;
        s.desktop.monitors = {{{0, 0, 1920, 1080}, {0, 0, 1920, 1040}, "\\\\.\\DISPLAY1", 96},
                              {{1920, 0, 3840, 1080}, {1920, 0, 3840, 1040}, "\\\\.\\DISPLAY2", 96}};
        const WindowHandle window = s.Add(c.name, c.saved);
        ASSERT_EQ(s.Run(IDM_SAVE_LAYOUT), "1 個のウィンドウの配置を保存しました。") << c.name;
        s.desktop.windows[window] = c.now;
        s.desktop.windows[window].title = c.name;
        s.desktop.monitors[1].dpi = c.rightDpi;
        s.desktop.outcomeOf = [&](const Operation&) { return c.outcome; };
        EXPECT_EQ(s.Run(IDM_RESTORE_LAYOUT), c.message) << c.name;
        EXPECT_EQ(s.desktop.operations, On(window, c.expected)) << c.name;
    }
}

TEST(RescueCommands, ARestoredLayoutPutsFoundWindowsBackInViewAndCountsTheRest) {
    Scene s;
    const WindowHandle editor = s.Add("a.txt", {.className = "Ed", .rect = {100, 100, 700, 500}, .topmost = true});
    const WindowHandle other = s.Add("b.txt", {.className = "Ed", .state = ShowState::Maximized,
                                               .rect = {0, 0, 1920, 1040}, .normal = WindowRect{50, 60, 450, 360}});
    EXPECT_EQ(s.Run(IDM_RESTORE_LAYOUT), "保存された配置がありません。");
    EXPECT_EQ(s.Run(IDM_SAVE_LAYOUT), "2 個のウィンドウの配置を保存しました。");
    EXPECT_EQ(s.Run(IDM_RESTORE_LAYOUT), "2 個のウィンドウを元の配置に戻しました。\n見つからなかったウィンドウ: 0 個");
    EXPECT_TRUE(s.desktop.operations.empty()) << "windows already in place were placed again";

    // Saved newest first: the other's entry, then the editor's, whose window
    // is closed since. The first is hand-edited to lie far off-screen and
    // finds the other window, moved and made topmost meanwhile.
    s.desktop.windows.erase(editor);
    s.desktop.windows[other] = {.title = "b.txt", .className = "Ed", .rect = {9, 9, 99, 99}, .topmost = true};
    s.store.values["Window1"] = "handle=1;state=normal;normal=90000,90000,90500,90400;topmost=0;class=Ed;"
                                "title=b.txt;image=C:%5CProgram Files%5CTest%5Ctest.exe";
    EXPECT_EQ(s.Run(IDM_RESTORE_LAYOUT), "1 個のウィンドウを元の配置に戻しました。\n見つからなかったウィンドウ: 1 個");
    EXPECT_EQ(s.desktop.operations, (std::vector<Operation>{{kPlace, kNormal, other, {1420, 640, 1920, 1040}},
                                                            {Operation::RemoveTopmost, 0, other}}));
    s.desktop.outcomeOf = [](const Operation&) { return Outcome::Refused; };  // an elevated program's window
    s.desktop.operations.clear();
    EXPECT_EQ(s.Run(IDM_RESTORE_LAYOUT),
              "0 個のウィンドウを元の配置に戻しました。\n見つからなかったウィンドウ: 1 個\n戻せなかったウィンドウ: 1 個");
    EXPECT_EQ(s.desktop.operations.size(), 1u) << "its topmost state changed after its place was refused";
}

}  // namespace
}  // namespace qov
