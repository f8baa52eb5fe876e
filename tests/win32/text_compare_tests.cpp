#include <gtest/gtest.h>

#include "platform/text_compare.h"

namespace qov {
namespace {

TEST(TitleContainsTest, MatchesFragmentsIgnoringCaseAndWidth) {
    struct Case {
        const char* text;
        const char* fragment;
        bool contains;
    };
    const Case cases[] = {
        // Empty texts and fragments.
        {"", "", false},
        {"", "a", false},
        {"Console", "", true},
        // Letter case, anywhere in the text.
        {"Console", "ole", true},
        {"Console", "CONSOLE", true},
        {"untitled - notepad", "NotePad", true},
        {"Notepad", "Notepads", false},
        {"Notepad", "pan", false},
        {"ÄRGER", "ärger", true},
        {"ΚΑΛΗΜΕΡΑ", "καλη", true},
        // Width: full-width letters and half-width katakana.
        {"ＡＢＣ エディタ", "abc", true},
        {"abc editor", "ＡＢＣ", true},
        {"ﾃｽﾄ", "テスト", true},
        // Japanese.
        {"無題 - メモ帳", "メモ帳", true},
        {"無題 - メモ帳", "メモ", true},
        {"無題 - メモ帳", "帳簿", false},
        {"ファイル", "ふぁいる", false},  // katakana and hiragana stay different
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TitleContains(c.text, c.fragment), c.contains)
            << '"' << c.fragment << "\" in \"" << c.text << '"';
    }
}

}  // namespace
}  // namespace qov
