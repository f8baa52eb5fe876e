#include <gtest/gtest.h>

#include "settings/setting_values.h"
#include "settings/settings.h"

namespace qov {
namespace {

TEST(ParseBoolean, WordsInAnyCaseAndNumbers) {
    struct Case {
        const char* text;
        bool fallback;
        bool expected;
    };
    const Case cases[] = {
        {"True", false, true},  {"FALSE", true, false}, {"tRuE", false, true},
        {"0", true, false},     {"-1", false, true},    {"17", false, true},
        {" True ", false, true}, {"", true, true},      {"", false, false},
        {"yes", true, true},    {"yes", false, false},  {"1x", false, false},
        {"Truee", true, true},  {"0.0", true, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParseBoolean(c.text, c.fallback), c.expected) << '"' << c.text << '"';
}

TEST(ParseInterval, PositiveWholeNumbersOnly) {
    struct Case {
        const char* text;
        int expected;
    };
    const Case cases[] = {
        {"1000", 1000}, {"250", 250},        {"100", 100},    {"0", 1000},
        {"-5", 1000},   {"abc", 1000},       {"", 1000},      {"12.5", 1000},
        {"2147483647", 2147483647},          {"2147483648", 1000},
        {"99999999999999999999", 1000},      {" 500 ", 500},
    };
    for (const Case& c : cases) EXPECT_EQ(ParseInterval(c.text, 1000), c.expected) << c.text;
}

TEST(ParseColumnWidth, DecimalTwipsWithinReason) {
    EXPECT_EQ(ParseColumnWidth("4000", 1), 4000);
    EXPECT_EQ(ParseColumnWidth("1234.6", 1), 1235);
    EXPECT_EQ(ParseColumnWidth("0", 1), 0);
    EXPECT_EQ(ParseColumnWidth("-10", 7), 7);
    EXPECT_EQ(ParseColumnWidth("1e9", 7), 7);
    EXPECT_EQ(ParseColumnWidth("999999999", 7), 7);
    EXPECT_EQ(ParseColumnWidth("wide", 7), 7);
}

TEST(Formatting, ReadsBackWhatItWrites) {
    EXPECT_EQ(FormatBoolean(true), "True");
    EXPECT_EQ(FormatBoolean(false), "False");
    EXPECT_EQ(FormatInteger(-250), "-250");
    EXPECT_TRUE(ParseBoolean(FormatBoolean(true), false));
    EXPECT_FALSE(ParseBoolean(FormatBoolean(false), true));
}

TEST(Settings, DefaultsAndSystemTitlesInOrder) {
    const Settings s;
    EXPECT_TRUE(s.ShowOnly);
    EXPECT_FALSE(s.ShowNoname || s.SystemWindow || s.NotVWindow || s.AlwaysTop);
    EXPECT_EQ(s.UpdateInterval, 1000);
    EXPECT_EQ(s.ExcludedTitleCount(), 0);
    EXPECT_EQ(s.SystemTitles,
              (std::vector<std::string>{"IME", "OLE", "DDE", "Program Manager", "QOV", "V O V"}));
}

TEST(Settings, RemovingMovesLaterEntriesUp) {
    Settings s;
    for (const char* t : {"a", "b", "c"}) ASSERT_TRUE(s.AppendExcludedTitle(t));
    EXPECT_TRUE(s.RemoveExcludedTitle(2));
    EXPECT_EQ(s.ExcludedTitles, (std::vector<std::string>{"a", "c"}));
    EXPECT_FALSE(s.RemoveExcludedTitle(0));
    EXPECT_FALSE(s.RemoveExcludedTitle(3));
    EXPECT_EQ(s.ExcludedTitleCount(), 2);
}

TEST(Settings, AppendingPastTheCapacityIsRefused) {
    Settings s;
    for (int i = 0; i < kMaxExcludedTitles; ++i) ASSERT_TRUE(s.AppendExcludedTitle("t"));
    EXPECT_FALSE(s.AppendExcludedTitle("one too many"));
    EXPECT_EQ(s.ExcludedTitleCount(), kMaxExcludedTitles);
    EXPECT_EQ(s.ExcludedTitles.back(), "t");
}

}  // namespace
}  // namespace qov
