// What QOV's list shows: one row per window with its five columns, rows
// following the windows' states, new windows appended and gone ones removed,
// and the count in the status bar.
#include <gtest/gtest.h>

#include "harness/qov_test.h"
#include "harness/qov_texts.h"
#include "harness/wait.h"

namespace qov::e2e {
namespace {

class Listing : public QovTest {};

FixtureOptions At(std::wstring title, std::wstring class_name, RECT rect) {
    FixtureOptions options = FixtureOptions::Titled(std::move(title));
    options.class_name = std::move(class_name);
    options.rect = rect;
    return options;
}

TEST_F(Listing, ShowsEveryColumnOfEachWindowAndCountsTheRows) {
    ASSERT_NO_FATAL_FAILURE(StartQov());
    EXPECT_EQ(qov().list().ColumnTitles(),
              (std::vector<std::wstring>{L"タイトル", L"状態", L"サイズ", L"クラス名", L"ハンドル"}));

    // A Japanese title and class, and a window reaching left of the screen.
    FixtureThread& alpha = AddFixture(At(L"Alpha Fixture", L"QovE2eAlpha", {60, 50, 460, 350}));
    FixtureThread& bravo =
        AddFixture(At(L"ブラボー 窓のテスト", L"クラス名ブラボー", {-200, 80, 300, 380}));
    qov().BringToFront();

    for (const FixtureThread* fixture : {&alpha, &bravo}) {
        const HWND window = fixture->window();
        const Row expected{fixture->options().title, kNormal, WindowRectText(window),
                           fixture->options().class_name, HandleText(window)};
        EXPECT_TRUE(WaitForRow(window, [&](const Row& row) { return row == expected; }))
            << "row of " << testing::PrintToString(fixture->options().title) << " reads "
            << testing::PrintToString(RowOf(window));
    }
    EXPECT_EQ(WindowRectText(bravo.window()), L"(-200,80)-(300,380)");

    EXPECT_TRUE(WaitUntil([&] {
        const auto rows = qov().list().Snapshot();
        return rows && rows->size() >= 2 && qov().StatusText() == StatusCountText(static_cast<int>(rows->size()));
    })) << "status bar reads " << testing::PrintToString(qov().StatusText());
}

TEST_F(Listing, TheForegroundWindowIsMarkedActive) {
    ASSERT_NO_FATAL_FAILURE(StartQov());
    FixtureThread& fixture = AddFixture(FixtureOptions::Titled(L"Active Fixture"));
    qov().BringToFront();
    ASSERT_TRUE(WaitForRow(fixture.window(), [](const Row& row) { return row[kStatus] == kNormal; }));
    SetForegroundWindow(fixture.window());
    EXPECT_TRUE(WaitForRow(fixture.window(),
                           [](const Row& row) { return row[kStatus] == L"通常(Act)"; }))
        << testing::PrintToString(RowOf(fixture.window()));
}

TEST_F(Listing, RowsFollowTheWindowsStateAtLaterRefreshes) {
    ASSERT_NO_FATAL_FAILURE(StartQov());
    FixtureThread& fixture = AddFixture(FixtureOptions::Titled(L"Changing Fixture"));
    ASSERT_TRUE(WaitForRow(fixture.window()));
    const HWND window = fixture.window();

    const struct {
        int show;
        const std::wstring& state;
        bool shows_rect;
    } steps[] = {
        {SW_SHOWMINNOACTIVE, kMinimized, false},
        {SW_SHOWNOACTIVATE, kNormal, true},
        {SW_SHOWMAXIMIZED, kMaximized, true},
        {SW_HIDE, kHidden, false},
        {SW_SHOWNORMAL, kNormal, true},
    };
    for (const auto& step : steps) {
        ShowWindow(window, step.show);
        EXPECT_TRUE(WaitForRow(window, [&](const Row& row) {
            return row[kStatus] == StatusOf(window, step.state) &&
                   row[kSize] == (step.shows_rect ? WindowRectText(window) : kNoRect);
        })) << "after ShowWindow " << step.show << " the row reads "
            << testing::PrintToString(RowOf(window));
    }
}

TEST_F(Listing, NewWindowsAreAppendedAndVanishedOnesRemoved) {
    ASSERT_NO_FATAL_FAILURE(StartQov());
    FixtureThread& first = AddFixture(FixtureOptions::Titled(L"First Fixture"));
    ASSERT_TRUE(WaitForRow(first.window()));
    FixtureThread& second = AddFixture(FixtureOptions::Titled(L"Second Fixture"));
    ASSERT_TRUE(WaitForRow(second.window()));
    FixtureThread& third = AddFixture(FixtureOptions::Titled(L"Third Fixture"));
    ASSERT_TRUE(WaitForRow(third.window()));

    auto rows = qov().list().Snapshot();
    ASSERT_TRUE(rows);
    const auto index_of = [&](const FixtureThread& f) {
        return FindRow(*rows, kHandle, HandleText(f.window())).value_or(-1);
    };
    EXPECT_LT(index_of(first), index_of(second));
    EXPECT_EQ(index_of(third), static_cast<int>(rows->size()) - 1) << "appended at the bottom";

    const std::size_t before = rows->size();
    second.Close();
    ASSERT_TRUE(WaitForNoRow(second.window()));
    EXPECT_TRUE(WaitUntil([&] {
        rows = qov().list().Snapshot();
        return rows && rows->size() == before - 1 &&
               qov().StatusText() == StatusCountText(static_cast<int>(rows->size()));
    })) << "status bar reads " << testing::PrintToString(qov().StatusText());
    EXPECT_EQ(index_of(third), static_cast<int>(rows->size()) - 1) << "the rows below move up";
}

}  // namespace
}  // namespace qov::e2e
