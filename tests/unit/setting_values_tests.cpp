#include <gtest/gtest.h>

#include "settings/setting_values.h"

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

}  // namespace
}  // namespace qov
