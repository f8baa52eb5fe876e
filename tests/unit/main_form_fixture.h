#pragma once
// The main window running on the simulated platform, for tests that drive it
// as a user would and inspect the desktop, the list and the settings store.

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "main_window/main_form.h"
#include "platform/sim/sim_desktop.h"
#include "platform/sim/sim_list_view.h"
#include "platform/sim/sim_process_services.h"
#include "platform/sim/sim_settings_store.h"
#include "platform/sim/sim_toolkit.h"

namespace qov::testing {

class MainFormTest : public ::testing::Test {
protected:
    sim::SimDesktop desktop;
    sim::SimToolkit toolkit{&desktop};
    sim::SimSettingsStore store;
    sim::SimProcessServices process;
    Platform platform{desktop, toolkit, store, process};
    Settings settings;
    WindowTables tables;
    std::unique_ptr<MainForm> main;

    void Start() {
        main = std::make_unique<MainForm>(platform, settings, tables);
        // Yield at every point so events can be injected at an exact place.
        main->Refresh().yieldDue = [] { return true; };
    }
    void Tick() { main->CheckTimer_Timer(); }

    sim::SimForm& Form() { return static_cast<sim::SimForm&>(main->Window()); }
    sim::SimListView& List() { return static_cast<sim::SimListView&>(main->ListMain); }
    sim::SimStatusBar& Status() { return static_cast<sim::SimStatusBar&>(main->StatusBar1); }

    WindowHandle Window(const char* title, const WindowRect& rect = {10, 20, 110, 220}) {
        return desktop.CreateWindow(title, "TestClass", rect);
    }

    std::vector<WindowHandle> Listed() const {
        std::vector<WindowHandle> handles;
        for (int i = 1; i <= tables.ListedWindows.Count(); ++i)
            handles.push_back(tables.ListedWindows[i]);
        return handles;
    }
    std::vector<std::string> RowTitles() {
        std::vector<std::string> titles;
        for (int row = 1; row <= List().RowCount(); ++row) titles.push_back(List().Text(row, 0));
        return titles;
    }
    // Rows and table agree: row i shows the window of entry i.
    void ExpectRowsMatchTable() {
        ASSERT_EQ(List().RowCount(), tables.ListedWindows.Count());
        for (int row = 1; row <= List().RowCount(); ++row)
            EXPECT_EQ(List().Text(row, 4), HandleText(tables.ListedWindows[row])) << "row " << row;
    }
    void SelectRowOf(WindowHandle window) {
        List().SetSelectedIndex(tables.ListedWindows.Find(window));
    }
};

}  // namespace qov::testing
