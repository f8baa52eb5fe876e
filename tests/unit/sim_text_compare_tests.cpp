#include <gtest/gtest.h>

#include "platform/text_compare.h"

namespace qov {
namespace {

struct ContainsCase {
    const char* text;
    const char* fragment;
    bool expected;
};

TEST(SimTitleContains, FoldsCaseAcrossScripts) {
    const ContainsCase cases[] = {
        {"Console", "ole", true},
        {"Console", "OLE", true},
        {"CONSOLE", "oLe", true},
        {"Program Manager", "program manager", true},
        {"Default IME", "ime", true},
        {"Notepad", "pads", false},
        {"ab", "abc", false},  // a fragment longer than the title
        {"ÀÉÎÕÜ Þ", "àéîõü þ", true},
        {"×", "÷", false},  // the signs have no case: × + 0x20 is ÷
        {"ŁÓDŹ", "łódź", true},
        {"ΑΘΗΝΑ", "αθηνα", true},
        {"Ύδρα", "ύδρα", true},
        {"ΟΔΟΣ", "οδος", true},  // final sigma
        {"МОСКВА Ёлка", "москва ёлка", true},
        {"ＱＯＶ　設定", "qov 設定", true},  // full-width letters and space
        {"qov", "ＱＯＶ", true},
        {"ｑｏｖ", "ＱＯＶ", true},
        {"メモ帳", "メモ", true},
        {"メモ帳", "めも", false},  // kana are not letters with case
        {"x", "", true},
        {"", "", false},
        {"", "a", false},
    };
    for (const ContainsCase& c : cases) {
        EXPECT_EQ(TitleContains(c.text, c.fragment), c.expected)
            << '"' << c.text << "\" contains \"" << c.fragment << '"';
    }
}

TEST(SimTitleContains, MalformedBytesMatchOnlyThemselvesAsReplacement) {
    EXPECT_TRUE(TitleContains("ab\xFF" "cd", "CD"));
    EXPECT_FALSE(TitleContains("ab\xFF", "abc"));
}

}  // namespace
}  // namespace qov
