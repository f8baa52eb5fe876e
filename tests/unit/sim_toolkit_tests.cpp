#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "platform/sim/sim_desktop.h"
#include "platform/sim/sim_toolkit.h"

namespace qov::sim {
namespace {

FormArgs Args(const char* caption, bool isMainForm = false) {
    FormArgs args;
    args.caption = caption;
    args.clientWidth = 3000;
    args.clientHeight = 2000;
    args.isMainForm = isMainForm;
    return args;
}

SimForm& AsSim(Form& form) { return static_cast<SimForm&>(form); }

TEST(SimToolkitForms, LoadedFormsAreDesktopWindowsVisibleWhileShown) {
    SimDesktop desktop;
    SimToolkit toolkit(&desktop);
    auto form = toolkit.CreateForm(Args("V O V　＜設定＞"));
    const WindowHandle handle = form->Handle();
    ASSERT_TRUE(desktop.Exists(handle));
    EXPECT_EQ(desktop.ClassName(handle), "QOVForm");
    EXPECT_EQ(desktop.WindowTitle(handle), "V O V　＜設定＞");
    EXPECT_FALSE(desktop.IsVisible(handle));
    form->Show();
    EXPECT_TRUE(desktop.IsVisible(handle));
    EXPECT_EQ(desktop.ForegroundWindow(), handle);
    desktop.ShowWindow(handle, ShowCommand::Hide);
    EXPECT_FALSE(form->Visible()) << "the window manager hid it";
    form->Unload();
    EXPECT_FALSE(desktop.Exists(handle));
    auto other = toolkit.CreateForm(Args("other"));
    other.reset();
    EXPECT_EQ(desktop.WindowCount(), 0u) << "a destroyed form object leaves no window";
}

TEST(SimToolkitForms, WindowManagersCloseAsksTheForm) {
    SimDesktop desktop;
    SimToolkit toolkit(&desktop);
    auto form = toolkit.CreateForm(Args("QOV", true));
    std::vector<UnloadMode> modes;
    bool keep = true;
    form->onQueryUnload = [&](bool& cancel, UnloadMode mode) {
        modes.push_back(mode);
        cancel = keep;
    };
    desktop.SendSystemCommand(form->Handle(), SystemCommand::Close);
    EXPECT_TRUE(form->Loaded());
    EXPECT_FALSE(toolkit.QuitRequested());
    keep = false;
    desktop.SendSystemCommand(form->Handle(), SystemCommand::Close);
    EXPECT_FALSE(form->Loaded());
    EXPECT_TRUE(toolkit.QuitRequested()) << "the main form was unloaded";
    EXPECT_EQ(modes.size(), 2u);
}

TEST(SimToolkitForms, OnlyTheMainFormEndsTheProgram) {
    SimToolkit toolkit;
    auto dialog = toolkit.CreateForm(Args("dialog"));
    EXPECT_TRUE(AsSim(*dialog).QueryClose(UnloadMode::Code));
    EXPECT_FALSE(toolkit.QuitRequested());
    EXPECT_EQ(toolkit.FindForm("dialog"), dialog.get());
    dialog.reset();
    EXPECT_EQ(toolkit.FindForm("dialog"), nullptr);
}

TEST(SimToolkitForms, ControlsCanBeFoundByTypeAndCaption) {
    SimToolkit toolkit;
    auto form = toolkit.CreateForm(Args("f"));
    Frame& frame = form->AddFrame("更新間隔", {});
    OptionButton& fast = frame.AddOptionButton("100ミリ秒", {});
    form->AddButton("閉じる", {});
    form->AddListView({});
    SimForm& sim = AsSim(*form);
    EXPECT_EQ(sim.Find<SimOptionButton>("100ミリ秒"), &fast);
    EXPECT_EQ(sim.Find<SimFrame>("更新間隔"), &frame);
    EXPECT_EQ(sim.Find<SimCheckBox>("閉じる"), nullptr) << "caption matches, type does not";
    EXPECT_EQ(sim.All<SimListView>().size(), 1u);
    EXPECT_EQ(sim.All<Control>().size(), 4u);
}

TEST(SimToolkitControls, UserClicksChangeStateThenRaiseTheEvent) {
    SimToolkit toolkit;
    auto form = toolkit.CreateForm(Args("f"));
    auto& a = static_cast<SimOptionButton&>(form->AddOptionButton("a", {}));
    auto& b = static_cast<SimOptionButton&>(form->AddOptionButton("b", {}));
    auto& check = static_cast<SimCheckBox&>(form->AddCheckBox("c", {}));
    auto& tabs = static_cast<SimTabStrip&>(form->AddTabStrip({"1", "2"}, {}));
    std::vector<std::string> events;
    a.onClick = [&] { events.push_back("a " + std::to_string(a.Selected())); };
    b.onClick = [&] { events.push_back("b " + std::to_string(a.Selected())); };
    check.onClick = [&] { events.push_back("check " + std::to_string(check.Checked())); };
    tabs.onClick = [&] { events.push_back("tab " + std::to_string(tabs.SelectedTab())); };
    a.SetSelected(true);  // from code: no event
    b.Click();
    check.Click();
    tabs.ClickTab(2);
    EXPECT_EQ(events, (std::vector<std::string>{"b 0", "check 1", "tab 2"}));
    EXPECT_THROW(tabs.ClickTab(3), ToolkitError);
}

TEST(SimToolkitMenus, ClickCaptionShortcutAndPopup) {
    SimToolkit toolkit;
    auto form = toolkit.CreateForm(Args("f"));
    int updates = 0;
    int tops = 0;
    std::vector<MenuItem> menus(2);
    menus[0] = {"FileMenu", "ファイル(&F)", "", nullptr,
                {{"UpdateData", "最新情報に更新", "F5", [&] { ++updates; }, {}}}};
    menus[1] = {"OnlyWindow", "単独ウィンドウ(&O)", "", nullptr,
                {{"O_Top", "前面に表示(&T) ", "", [&] { ++tops; }, {}}}};
    form->SetMenuBar(std::move(menus));
    SimForm& sim = AsSim(*form);
    sim.ClickMenu("UpdateData");
    EXPECT_EQ(updates, 1);
    EXPECT_EQ(sim.MenuShortcut("UpdateData"), "F5");
    EXPECT_EQ(sim.MenuCaption("O_Top"), "前面に表示(&T) ");
    EXPECT_THROW(sim.ClickMenu("Missing"), std::invalid_argument);
    form->SetMenuChecked("Missing", true);
    EXPECT_FALSE(form->MenuChecked("Missing"));

    form->PopupMenu("OnlyWindow", 120, 240);
    EXPECT_EQ(tops, 0);
    sim.ChooseFromNextPopup("O_Top");
    form->PopupMenu("OnlyWindow", 15, 30);
    EXPECT_EQ(tops, 1);
    EXPECT_EQ(sim.PopupCount(), 2);
    EXPECT_EQ(sim.Popups().back(), (PopupRecord{"OnlyWindow", 15, 30}));
}

TEST(SimToolkitTimers, TickOnlyWhileEnabledAndLoaded) {
    SimToolkit toolkit;
    auto form = toolkit.CreateForm(Args("f"));
    auto& timer = static_cast<SimTimer&>(form->AddTimer(0));
    int ticks = 0;
    timer.onTimer = [&] { ++ticks; };
    EXPECT_FALSE(timer.Fire()) << "interval 0 never ticks";
    timer.SetInterval(1000);
    EXPECT_TRUE(timer.Fire());
    timer.SetEnabled(false);
    EXPECT_EQ(AsSim(*form).FireTimers(), 0);
    timer.SetEnabled(true);
    form->Unload();
    EXPECT_FALSE(timer.Fire());
    EXPECT_EQ(ticks, 1);
}

TEST(SimToolkitYield, QueuedActionsRunAtTheirYield) {
    SimToolkit toolkit;
    std::vector<std::string> log;
    toolkit.QueueAtYield([&] { log.push_back("third"); }, 3);
    toolkit.QueueAtYield([&] {
        log.push_back("first");
        toolkit.QueueAtYield([&] { log.push_back("queued inside"); });
    });
    toolkit.QueueAtYield([&] { log.push_back("first too"); });
    toolkit.Yield();
    EXPECT_EQ(log, (std::vector<std::string>{"first", "first too"}));
    toolkit.Yield();
    toolkit.Yield();
    EXPECT_EQ(log, (std::vector<std::string>{"first", "first too", "queued inside", "third"}));
    EXPECT_EQ(toolkit.Yields(), 3);
    EXPECT_EQ(toolkit.PendingYieldActions(), 0);
}

TEST(SimToolkitYield, NestedYieldRunsActionsQueuedForTheNextOne) {
    SimToolkit toolkit;
    std::vector<int> depth;
    int level = 0;
    toolkit.QueueAtYield([&] {
        depth.push_back(++level);
        toolkit.QueueAtYield([&] { depth.push_back(level + 10); });
        toolkit.Yield();  // a handler that yields in turn
        --level;
    });
    toolkit.Yield();
    EXPECT_EQ(depth, (std::vector<int>{1, 11}));
}

TEST(SimToolkitMessageBox, RecordsAndLetsEventsArriveWhileOpen) {
    SimToolkit toolkit;
    int seenWhileOpen = 0;
    toolkit.onMessageBox = [&](const MessageBoxRecord& box) {
        seenWhileOpen = static_cast<int>(toolkit.MessageBoxes().size());
        EXPECT_EQ(box.title, "V O V");
    };
    toolkit.MessageBox("項目が選択されていません", "V O V", kMessageBoxStop);
    ASSERT_EQ(toolkit.MessageBoxes().size(), 1u);
    EXPECT_EQ(toolkit.MessageBoxes()[0],
              (MessageBoxRecord{"項目が選択されていません", "V O V", kMessageBoxStop}));
    EXPECT_EQ(seenWhileOpen, 1);
}

TEST(SimToolkitToolBar, RecordsSetUpAndDropsAClickDuringAClick) {
    SimToolkit toolkit;
    auto form = toolkit.CreateForm(Args("f"));
    auto bar = toolkit.CreateToolBar();
    auto images = toolkit.CreateImageList(PictureSet::ToolbarButtons);
    bar->SetTextAlignment(1);
    bar->SetWrappable(true);
    bar->SetPictureBox(form->AddPictureBox({}));
    bar->SetImageList(*images);
    bar->SetIndent(2.5f);
    bar->ButtonsAdd("Restore1", "元のサイズ", "元のサイズ", 0, 0);
    bar->ButtonsAdd("", "", "", 3, -1);
    auto& sim = static_cast<SimToolBar&>(*bar);
    EXPECT_EQ(sim.Calls(), (std::vector<std::string>{
                               "SetTextAlignment(1)", "SetWrappable(true)", "SetPictureBox",
                               "SetImageList(16)", "SetIndent(2.5)", "ButtonsAdd(Restore1)",
                               "ButtonsAdd()"}));
    EXPECT_EQ(sim.Buttons()[1], (ToolBarButton{"", "", "", 3, -1}));
    std::vector<int> clicks;
    bar->onButtonClick = [&](std::int16_t index) {
        clicks.push_back(index);
        EXPECT_FALSE(sim.ClickButton(0)) << "second click while handling the first";
    };
    EXPECT_TRUE(sim.ClickButton(1));
    EXPECT_EQ(clicks, (std::vector<int>{1}));
    EXPECT_THROW(sim.ClickButton(2), std::out_of_range);
    EXPECT_EQ(toolkit.ToolBars().size(), 1u);
}

}  // namespace
}  // namespace qov::sim
