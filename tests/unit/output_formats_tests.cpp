// qovc's list as text: quoting, escaping and column widths of awkward titles.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "core/output_formats.h"

namespace qov::cli {
namespace {

WindowRecord Window(std::string title) {
    return {.handle = -16777214, .title = std::move(title), .state = ShowState::Minimized,
            .visibility = Visibility::Visible, .rect = {-200, 80, 200, 380}, .className = "Notepad",
            .processId = 4242, .image = "C:\\Windows\\notepad.exe"};
}

TEST(OutputFormats, CsvQuotesOnlyFieldsThatNeedItAndDoublesQuotes) {
    const std::tuple<std::string, std::string> cases[] = {
        {"plain", "plain"},
        {"a, b", "\"a, b\""},
        {"say \"hi\"", "\"say \"\"hi\"\"\""},
        {"two\r\nlines", "\"two\r\nlines\""},
        {"lf\nonly", "\"lf\nonly\""},
        {"tab\there", "tab\there"},
    };
    for (const auto& [text, field] : cases) EXPECT_EQ(CsvField(text), field) << text;
}

TEST(OutputFormats, JsonEscapesQuotesBackslashesAndControlCharactersAndKeepsJapanese) {
    const std::tuple<std::string, std::string> cases[] = {
        {"say \"hi\"", "\"say \\\"hi\\\"\""},
        {"C:\\path", "\"C:\\\\path\""},
        {"a\r\nb\tc", "\"a\\r\\nb\\tc\""},
        {std::string("nul\0bell\x07", 9) + "\x1f", "\"nul\\u0000bell\\u0007\\u001f\""},
        {"無題 - メモ帳 𠮷", "\"無題 - メモ帳 𠮷\""},
    };
    for (const auto& [text, literal] : cases) EXPECT_EQ(JsonString(text), literal) << literal;
}

TEST(OutputFormats, DisplayWidthCountsWideCharactersTwice) {
    const std::tuple<std::string, int> cases[] = {
        {"abc", 3}, {"", 0}, {"メモ帳", 6}, {"ﾒﾓ", 2}, {"ＡＢ", 4}, {"한글", 4},
        {"e\u0301", 1}, {"が", 2}, {"か\u3099", 2}, {"𠮷", 2}, {"\xff", 1}, {"🚀🤔🫠", 6},
        {"a\u200b\u2060\u20dd\ufe0f\U000E0100", 1},
    };
    for (const auto& [text, width] : cases) EXPECT_EQ(DisplayWidth(text), width) << text;
}

// Each column starts at the same display column on every line, however wide
// its characters; line breaks and direction controls in a title do not break
// the row.
TEST(OutputFormats, TableColumnsLineUpByDisplayWidth) {
    const std::string table =
        FormatList({{Window("メモ帳"), Window("abc"), Window("two\nlines\u2028\u202e\u0085x")}}, Format::Table);
    std::vector<std::string> lines;
    for (std::size_t at = 0, end; (end = table.find("\r\n", at)) != std::string::npos; at = end + 2)
        lines.push_back(table.substr(at, end - at));
    ASSERT_EQ(lines.size(), 4u) << table;
    const auto statusColumn = [](const std::string& line) {
        const std::size_t at = line.find("status") != std::string::npos ? line.find("status") : line.find("minimized");
        return DisplayWidth(line.substr(0, at));
    };
    for (const std::string& line : lines) EXPECT_EQ(statusColumn(line), statusColumn(lines[0])) << line;
    EXPECT_NE(lines[3].find("two lines   x"), std::string::npos) << lines[3];
}

TEST(OutputFormats, TableCutsLongTitlesAtAWideCharacterBoundary) {
    const std::string table = FormatList({{Window(std::string(30, 'x') + "あいうえおかきくけこ")}}, Format::Table);
    EXPECT_NE(table.find(std::string(30, 'x') + "あいう..."), std::string::npos) << table;
}

}  // namespace
}  // namespace qov::cli
