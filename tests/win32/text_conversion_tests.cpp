#include <gtest/gtest.h>

#include <string>

#include "platform/win32/text_conversion.h"

namespace qov::win32 {
namespace {

TEST(TextConversionTest, RoundTripsBetweenUtf8AndUtf16) {
    struct Case {
        std::string utf8;
        std::wstring utf16;
    };
    const Case cases[] = {
        {"", L""},
        {"Notepad", L"Notepad"},
        {"メモ帳", L"\x30E1\x30E2\x5E33"},
        {"Ａ", L"\xFF21"},
        {"𠮷野家", L"\xD842\xDFB7\x91CE\x5BB6"},  // a character outside the BMP
        {std::string("a\0b", 3), std::wstring(L"a\0b", 3)},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Utf8ToWide(c.utf8), c.utf16) << c.utf8;
        EXPECT_EQ(WideToUtf8(c.utf16), c.utf8) << c.utf8;
    }
}

TEST(TextConversionTest, InvalidInputBecomesReplacementCharacter) {
    EXPECT_EQ(WideToUtf8(L"ab\xD842"), "ab\xEF\xBF\xBD");      // half a pair at the end
    EXPECT_EQ(Utf8ToWide("ab\xFF"), L"ab\xFFFD");              // not UTF-8 at all
}

}  // namespace
}  // namespace qov::win32
