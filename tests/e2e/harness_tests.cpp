// The harness itself, against windows and controls of this process: a list
// view and a status bar on a fixture's thread are read and driven with the
// same cross-process calls that QOV's are.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include "harness/fixture_thread.h"
#include "harness/qov_registry.h"
#include "harness/qov_texts.h"
#include "harness/remote_list_view.h"
#include "harness/remote_memory.h"
#include "harness/remote_status_bar.h"
#include "harness/wait.h"

namespace qov::e2e {
namespace {

struct Controls {
    HWND list = nullptr;
    HWND status_bar = nullptr;
};

const std::vector<std::wstring> kColumns{L"タイトル", L"状態"};
const std::vector<Row> kRows{{L"アルファ", L"通常"}, {L"Bravo", L""}, {L"チャーリー窓", L"最小化"}};

void AddListAndStatusBar(HWND parent, Controls* controls) {
    INITCOMMONCONTROLSEX init{sizeof(init), ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&init);
    controls->list = CreateWindowExW(0, WC_LISTVIEWW, L"", WS_CHILD | WS_VISIBLE | LVS_REPORT,
                                     0, 0, 380, 200, parent, nullptr, nullptr, nullptr);
    for (int c = 0; c < static_cast<int>(kColumns.size()); ++c) {
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.cx = 120;
        column.pszText = const_cast<wchar_t*>(kColumns[c].c_str());
        SendMessageW(controls->list, LVM_INSERTCOLUMNW, c, reinterpret_cast<LPARAM>(&column));
    }
    for (int r = 0; r < static_cast<int>(kRows.size()); ++r) {
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.iItem = r;
        item.pszText = const_cast<wchar_t*>(kRows[r][0].c_str());
        SendMessageW(controls->list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
        item.iSubItem = 1;
        item.pszText = const_cast<wchar_t*>(kRows[r][1].c_str());
        SendMessageW(controls->list, LVM_SETITEMTEXTW, r, reinterpret_cast<LPARAM>(&item));
    }
    controls->status_bar = CreateWindowExW(0, STATUSCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE, 0, 0,
                                           0, 0, parent, nullptr, nullptr, nullptr);
    SendMessageW(controls->status_bar, SB_SIMPLE, TRUE, 0);
    SendMessageW(controls->status_bar, SB_SETTEXTW, SB_SIMPLEID,
                 reinterpret_cast<LPARAM>(StatusCountText(3).c_str()));
}

FixtureOptions WithControls(Controls* controls) {
    FixtureOptions options = FixtureOptions::Titled(L"Harness Fixture");
    options.build = [controls](HWND window) { AddListAndStatusBar(window, controls); };
    return options;
}

class HarnessControls : public testing::Test {
protected:
    HarnessControls()
        : fixture_(WithControls(&controls_)),
          process_(OpenForMemoryAccess(GetCurrentProcessId())),
          list_(controls_.list, process_.get()) {}

    Controls controls_;
    FixtureThread fixture_;
    win32::unique_kernel_handle process_;
    RemoteListView list_;
};

TEST_F(HarnessControls, ReadsColumnTitlesAndASettledSnapshot) {
    ASSERT_NE(controls_.list, nullptr);
    EXPECT_EQ(list_.ColumnTitles(), kColumns);
    EXPECT_EQ(list_.RowCount(), 3);
    EXPECT_EQ(list_.Snapshot(), kRows);
}

TEST_F(HarnessControls, FindsRowsByColumnText) {
    const auto rows = list_.Snapshot();
    ASSERT_TRUE(rows);
    EXPECT_EQ(FindRow(*rows, 0, L"チャーリー窓"), 2);
    EXPECT_EQ(FindRow(*rows, 1, L""), 1);
    EXPECT_EQ(FindRow(*rows, 0, L"チャーリー"), std::nullopt) << "whole texts only";
}

TEST_F(HarnessControls, SelectsOneRowAtATime) {
    ASSERT_TRUE(list_.Select(1));
    EXPECT_EQ(list_.SelectedRow(), 1);
    ASSERT_TRUE(list_.Select(2));
    EXPECT_EQ(list_.SelectedRow(), 2) << "the earlier selection must be cleared";
    ASSERT_TRUE(list_.Select(-1));
    EXPECT_EQ(list_.SelectedRow(), -1);
    EXPECT_FALSE(list_.Select(7));
}

TEST_F(HarnessControls, ItemRectsAreStackedRows) {
    const std::optional<RECT> first = list_.ItemRect(0);
    const std::optional<RECT> second = list_.ItemRect(1);
    ASSERT_TRUE(first && second);
    EXPECT_GT(first->bottom, first->top);
    EXPECT_EQ(second->top, first->bottom);
    EXPECT_FALSE(list_.ItemRect(5));
}

TEST_F(HarnessControls, ReadsTheSimpleStatusText) {
    EXPECT_EQ(StatusBarText(controls_.status_bar, process_.get()), L" 3個のウィンドウが存在します");
}

TEST(HarnessFixture, RecordsSystemCommandsButNotShowWindow) {
    FixtureThread fixture(FixtureOptions::Titled(L"Harness Commands"));
    ShowWindow(fixture.window(), SW_MINIMIZE);
    EXPECT_TRUE(IsIconic(fixture.window()));
    EXPECT_FALSE(fixture.ReceivedSysCommand(SC_MINIMIZE));
    SendMessageW(fixture.window(), WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    EXPECT_TRUE(IsZoomed(fixture.window()));
    EXPECT_EQ(fixture.SysCommands(), std::vector<UINT>{SC_MAXIMIZE});
}

TEST(HarnessFixture, AHungThreadAnswersNothingUntilReleased) {
    FixtureThread fixture(FixtureOptions::Titled(L"Harness Hang"));
    ASSERT_TRUE(fixture.Hang(std::chrono::seconds(30)));
    EXPECT_FALSE(SendWithTimeout(fixture.window(), WM_NULL, 0, 0, nullptr, 300));
    fixture.Release();
    EXPECT_TRUE(SendWithTimeout(fixture.window(), WM_NULL, 0, 0, nullptr, 5000));
}

TEST(HarnessFixture, CloseDestroysTheWindow) {
    FixtureThread fixture(FixtureOptions::Titled(L"Harness Close", SW_HIDE));
    EXPECT_FALSE(IsWindowVisible(fixture.window()));
    fixture.Close();
    EXPECT_TRUE(WaitUntil([&] { return !fixture.exists(); }));
}

TEST(HarnessRegistry, WritesReadsAndDeletesQovSettings) {
    ASSERT_TRUE(DeleteQovSettings());
    EXPECT_TRUE(QovSettingNames().empty());
    EXPECT_EQ(ReadQovSetting(L"Wnd1"), std::nullopt);
    ASSERT_TRUE(WriteQovSetting(L"Wnd1", L"メモ帳"));
    ASSERT_TRUE(WriteQovSetting(L"Wnd2", L""));
    EXPECT_EQ(ReadQovSetting(L"Wnd1"), L"メモ帳");
    EXPECT_EQ(ReadQovSetting(L"Wnd2"), L"");
    EXPECT_EQ(QovSettingNames().size(), 2u);
    ASSERT_TRUE(DeleteQovSettings());
    EXPECT_EQ(ReadQovSetting(L"Wnd1"), std::nullopt);
}

TEST(HarnessTexts, HandlesReadAsSignedThirtyTwoBitNumbers) {
    const struct {
        std::intptr_t value;
        const wchar_t* text;
    } cases[] = {
        {0x1234, L" 4660"},
        {0x7FFFFFFF, L" 2147483647"},
        {-2, L"-2"},  // a sign-extended handle, as 64-bit Windows keeps them
        {static_cast<std::intptr_t>(0xFFFFFFFF80000000ull), L"-2147483648"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(HandleText(reinterpret_cast<HWND>(c.value)), c.text) << c.value;
    }
    EXPECT_EQ(RectText(RECT{-800, 0, 0, 600}), L"(-800,0)-(0,600)");
}

}  // namespace
}  // namespace qov::e2e
