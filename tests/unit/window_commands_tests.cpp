#include <gtest/gtest.h>

#include "main_form_fixture.h"

namespace qov::testing {
namespace {

using Kind = sim::DesktopChange::Kind;

class WindowCommandsTest : public MainFormTest {
protected:
    WindowHandle a = 0, c = 0;

    void SetUp() override {
        Start();
        a = Window("A");
        Window("B");
        c = Window("C");
        Tick();
        desktop.ClearChanges();
    }
};

TEST_F(WindowCommandsTest, EachMenuItemAndItsToolbarButtonMakeOneCallOnTheSelectedWindow) {
    const struct {
        const char* menu;
        std::int16_t position;
        Kind kind;
        int command;
    } cases[] = {
        {"O_Restore", 0, Kind::ShowWindow, 1},        {"O_IDO", 1, Kind::SystemCommand, 0xF010},
        {"O_SizeChange", 2, Kind::SystemCommand, 0xF000}, {"O_Minimum", 3, Kind::SystemCommand, 0xF020},
        {"O_Maxium", 4, Kind::SystemCommand, 0xF030}, {"O_Hide", 6, Kind::ShowWindow, 0},
        {"O_Show", 7, Kind::ShowWindow, 5},           {"O_Close", 9, Kind::SystemCommand, 0xF060},
    };
    auto& toolbar = *toolkit.ToolBars().front();
    for (const auto& c : cases) {
        const WindowHandle viaMenu = Window("menu"), viaButton = Window("button");
        Tick();
        SelectRowOf(viaMenu);
        desktop.ClearChanges();
        Form().ClickMenu(c.menu);
        SelectRowOf(viaButton);
        toolbar.ClickButton(c.position);
        const std::vector<sim::DesktopChange> expected{{c.kind, viaMenu, c.command, true},
                                                       {c.kind, viaButton, c.command, true}};
        EXPECT_EQ(desktop.Changes(), expected) << c.menu;
        desktop.DestroyWindow(viaMenu);
        desktop.DestroyWindow(viaButton);
    }
}

TEST_F(WindowCommandsTest, SeparatorsAndUnknownPositionsDoNothing) {
    SelectRowOf(a);
    for (std::int16_t position : {5, 8, 10, 14, 17, 19, -1, 32767, -32768})
        main->clsToolBar_ButtonClick(position);
    EXPECT_TRUE(desktop.Changes().empty());
}

TEST_F(WindowCommandsTest, NothingSelectedChangesNoWindow) {
    List().SetSelectedIndex(0);
    for (std::int16_t position = 0; position <= 9; ++position) main->clsToolBar_ButtonClick(position);
    main->O_Top_Click();
    main->O_AllwaysTop_Click();
    EXPECT_TRUE(desktop.Changes().empty());
    EXPECT_TRUE(toolkit.MessageBoxes().empty());
}

TEST_F(WindowCommandsTest, FrontAndTopmostActOnTheSelectedWindow) {
    SelectRowOf(c);
    main->O_Top_Click();
    EXPECT_EQ(desktop.Foreground(), c);
    main->O_AllwaysTop_Click();
    main->O_AllwaysTop_Click();
    EXPECT_TRUE(desktop.Window(c)->topmost);
    EXPECT_FALSE(desktop.Window(a)->topmost);
}

TEST_F(WindowCommandsTest, CommandAtAYieldActsOnTheSelectedRowsOwnWindow) {
    // A refresh that removes row 1 and appends a row; a command arrives at
    // every yield in turn and must hit the window its selected row shows.
    for (int yieldAt = 1; yieldAt <= 5; ++yieldAt) {
        const WindowHandle first = tables.ListedWindows[1];
        desktop.DestroyWindow(first);
        Window("appended");
        WindowHandle expected = 0;
        toolkit.QueueAtYield(
            [&] {
                List().SetSelectedIndex(List().RowCount());
                expected = tables.ListedWindows[List().RowCount()];
                EXPECT_EQ(List().Text(List().RowCount(), 4), HandleText(expected));
                desktop.ClearChanges();
                main->clsToolBar_ButtonClick(6);
            },
            yieldAt);
        Tick();
        ASSERT_NE(expected, 0) << "yield " << yieldAt;
        ASSERT_EQ(desktop.Changes().size(), 1u);
        EXPECT_EQ(desktop.Changes().front().window, expected) << "yield " << yieldAt;
        desktop.SetVisible(expected, true);
    }
}

class TargetModeTest : public MainFormTest {
protected:
    WindowHandle visible = 0, hidden = 0, minimised = 0, vanished = 0;
    void SetUp() override {
        Start();
        visible = Window("visible");
        hidden = Window("covered");  // "hidden" would hold the system fragment "DDE"
        minimised = Window("minimised");
        vanished = Window("vanished");
        Tick();
        desktop.SetVisible(hidden, false);
        desktop.SetShowState(minimised, kShowStateMinimized);
        desktop.DestroyWindow(vanished);
        desktop.ClearChanges();
        desktop.ResetCalls();
    }
    std::vector<WindowHandle> Hit() const {
        std::vector<WindowHandle> hit;
        for (const auto& change : desktop.Changes()) hit.push_back(change.window);
        return hit;
    }
    std::vector<WindowHandle> InRowOrder(std::vector<WindowHandle> windows) const {
        std::vector<WindowHandle> ordered;
        for (WindowHandle w : Listed())
            if (std::find(windows.begin(), windows.end(), w) != windows.end()) ordered.push_back(w);
        return ordered;
    }
};

TEST_F(TargetModeTest, VisibleWindowsByDefaultEveryListedWindowInRowOrderWhenChosen) {
    Form().ClickMenu("S_Show");
    EXPECT_EQ(Hit(), InRowOrder({visible, minimised}));
    EXPECT_FALSE(desktop.Window(hidden)->visible);
    EXPECT_EQ(desktop.Calls().isVisible, 4);  // asked for every entry

    Form().ClickMenu("S_AllWindow");
    EXPECT_FALSE(settings.ShowOnly);
    EXPECT_TRUE(Form().MenuChecked("S_AllWindow"));
    EXPECT_FALSE(Form().MenuChecked("S_OnlyViewWindow"));
    desktop.ClearChanges();
    Form().ClickMenu("S_Show");
    EXPECT_EQ(Hit(), InRowOrder({visible, hidden, minimised, vanished}));
    EXPECT_TRUE(desktop.Window(hidden)->visible);
}

TEST_F(TargetModeTest, EmptyListDoesNothing) {
    for (WindowHandle w : {visible, hidden, minimised}) desktop.DestroyWindow(w);
    Tick();
    desktop.ClearChanges();
    for (const char* item : {"S_Restore", "S_Hide", "S_Close"}) Form().ClickMenu(item);
    EXPECT_TRUE(desktop.Changes().empty());
}

TEST_F(TargetModeTest, ClosingAllWithSystemWindowsListedEndsTheProgramInOrder) {
    settings.SystemWindow = true;
    Tick();
    Form().ClickMenu("S_Close");
    EXPECT_FALSE(Form().Loaded());
    EXPECT_TRUE(toolkit.QuitRequested());
    EXPECT_EQ(store.Value("Tamarind Desk", "QOV", "SystemWindow"), "True");
    EXPECT_FALSE(desktop.Exists(visible));  // the walk went on past the main window
}

TEST_F(MainFormTest, ContextMenuOpensWhereTheRightButtonWentDown) {
    Start();
    Window("A");
    Tick();
    const TwipsRect list = List().Bounds();
    List().MouseDown(kRightButton, 300, 400);
    List().MouseUp(kRightButton, 900, 1200);
    ASSERT_EQ(Form().PopupCount(), 1);
    EXPECT_EQ(Form().Popups().back(), (sim::PopupRecord{"OnlyWindow", list.left + 300, list.top + 400}));

    List().MouseDown(kRightButton, 10, 10);
    List().MouseDown(kLeftButton, 20, 20);
    List().MouseUp(kLeftButton, 20, 20);
    EXPECT_EQ(Form().PopupCount(), 1);

    List().MouseDown(kLeftButton, 20, 20);
    List().MouseUp(kRightButton, 20, 20);
    EXPECT_EQ(Form().PopupCount(), 1);
}

TEST_F(MainFormTest, PopupItemsRunTheirHandlers) {
    Start();
    const WindowHandle w = Window("A");
    Tick();
    Form().ChooseFromNextPopup("O_Minimum");
    List().ClickRow(1, kRightButton);
    EXPECT_EQ(desktop.Window(w)->showState, kShowStateMinimized);
}

}  // namespace
}  // namespace qov::testing
