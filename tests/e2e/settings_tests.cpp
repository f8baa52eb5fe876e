// QOV's settings key: what a first run writes when it closes, how stored
// values come back, and that stored exclusions keep windows out of the list.
#include <gtest/gtest.h>

#include <ostream>

#include "harness/qov_commands.h"
#include "harness/qov_registry.h"
#include "harness/qov_test.h"
#include "harness/qov_texts.h"
#include "harness/wait.h"

namespace qov::e2e {
namespace {

using Values = std::map<std::wstring, std::wstring>;

Values ReadAllSettings() {
    Values values;
    for (const std::wstring& name : QovSettingNames()) {
        values[name] = ReadQovSetting(name).value_or(L"<not a string>");
    }
    return values;
}

class Settings : public QovTest {};

TEST_F(Settings, AFirstRunWritesTheDefaultsWhenClosed) {
    ASSERT_NO_FATAL_FAILURE(StartQov({}));
    ASSERT_TRUE(qov().Close()) << "QOV did not end after WM_CLOSE";
    const Values expected{
        {L"ShowOnly", L"True"},     {L"ShowNoname", L"False"}, {L"SystemWindow", L"False"},
        {L"NotVWindow", L"False"},  {L"AlwaysTop", L"False"},  {L"UpdateInterval", L"1000"},
        {L"TitleWidth", L"4000"},   {L"StatusWidth", L"1000"}, {L"SizeWidth", L"2000"},
        {L"ClassWidth", L"2000"},   {L"hWndWidth", L"1000"},   {L"Wnd1", L""},
    };
    EXPECT_EQ(ReadAllSettings(), expected);
}

TEST_F(Settings, StoredValuesComeBackUnchangedAndTheExitItemSavesToo) {
    // Widths in whole pixels at 96 dpi (15 twips each), so none is rounded.
    const Values stored{
        {L"ShowOnly", L"False"},    {L"ShowNoname", L"True"},  {L"SystemWindow", L"True"},
        {L"NotVWindow", L"True"},   {L"AlwaysTop", L"True"},   {L"UpdateInterval", L"250"},
        {L"TitleWidth", L"3000"},   {L"StatusWidth", L"1500"}, {L"SizeWidth", L"1800"},
        {L"ClassWidth", L"2400"},   {L"hWndWidth", L"1200"},   {L"Wnd1", L"メモ帳"},
        {L"Wnd2", L"Alpha"},
    };
    ASSERT_NO_FATAL_FAILURE(StartQov(stored));
    qov().PostCommand(command::ExitProgram);
    ASSERT_TRUE(qov().WaitForExit(kLongWait)) << "QOV did not end after 終了";
    Values expected = stored;
    expected[L"Wnd3"] = L"";  // ends the list
    EXPECT_EQ(ReadAllSettings(), expected);
}

TEST_F(Settings, TheTargetModeChosenInTheMenuIsSaved) {
    ASSERT_NO_FATAL_FAILURE(StartQov({}));
    ASSERT_TRUE(qov().SendCommand(command::S_AllWindow));
    ASSERT_TRUE(qov().Close());
    EXPECT_EQ(ReadQovSetting(L"ShowOnly"), L"False");
}

struct ExclusionCase {
    const char* name;
    const wchar_t* fragment;
    const wchar_t* not_v_window;
    bool excluded_listed;

    friend std::ostream& operator<<(std::ostream& out, const ExclusionCase& c) { return out << c.name; }
};

class Exclusions : public QovTest, public testing::WithParamInterface<ExclusionCase> {};

TEST_P(Exclusions, AStoredTitleFragmentKeepsItsWindowsOutOfTheList) {
    FixtureThread& kept = AddFixture(FixtureOptions::Titled(L"Kept Fixture"));
    FixtureThread& excluded = AddFixture(FixtureOptions::Titled(L"Fixture with a Secret"));
    ASSERT_NO_FATAL_FAILURE(StartQov({{L"UpdateInterval", L"100"},
                                      {L"Wnd1", GetParam().fragment},
                                      {L"NotVWindow", GetParam().not_v_window}}));
    // Both windows existed before the first refresh, so the kept row proves
    // the refresh that judged the other one has run.
    ASSERT_TRUE(WaitForRow(kept.window()));
    EXPECT_EQ(RowOf(excluded.window()).has_value(), GetParam().excluded_listed);
    // And it stays that way at later refreshes.
    ASSERT_TRUE(qov().SendCommand(command::UpdateData));
    EXPECT_EQ(RowOf(excluded.window()).has_value(), GetParam().excluded_listed);
    EXPECT_TRUE(RowOf(kept.window()).has_value());
}

INSTANTIATE_TEST_SUITE_P(
    E2e, Exclusions,
    testing::Values(ExclusionCase{"Fragment", L"Secret", L"False", false},
                    ExclusionCase{"OtherCase", L"sECRET", L"False", false},
                    ExclusionCase{"ListSwitchedOff", L"Secret", L"True", true},
                    ExclusionCase{"NoMatch", L"Confidential", L"False", true}),
    [](const testing::TestParamInfo<ExclusionCase>& info) { return info.param.name; });

}  // namespace
}  // namespace qov::e2e
