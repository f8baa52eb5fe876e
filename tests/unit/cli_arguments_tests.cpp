// qovc's command line: each line of the table is what a user types and the
// request, or the start of the usage error, it gives.
#include <gtest/gtest.h>

#include <string>
#include <variant>
#include <vector>

#include "core/cli_arguments.h"

namespace qov::cli {
namespace {

// A request in one line, so a table can say what it expects.
std::string Describe(const Request& r) {
    std::string text;
    switch (r.command) {
    case Command::Help: return "help";
    case Command::Version: return "version";
    default: text = CommandName(r.command);
    }
    if (r.command == Command::Move || r.command == Command::Resize)
        text += " " + std::to_string(r.first) + " " + std::to_string(r.second);
    const Selectors& s = r.selectors;
    if (s.handle) text += " handle=" + std::to_string(*s.handle);
    if (s.title) text += " title=" + *s.title;
    if (s.className) text += " class=" + *s.className;
    if (s.processId) text += " pid=" + std::to_string(*s.processId);
    if (s.process) text += " process=" + *s.process;
    if (s.visibleOnly) text += " visible";
    if (r.format == Format::Csv) text += " csv";
    if (r.format == Format::Json) text += " json";
    if (r.all) text += " all";
    if (r.dryRun) text += " dry-run";
    if (r.unfiltered) text += " unfiltered";
    if (r.gone) text += " gone";
    if (r.timeoutMs) text += " timeout=" + std::to_string(*r.timeoutMs) + "ms";
    if (r.detection != Detection::Auto) text += std::string(" detect=") + FormatDetection(r.detection);
    return text;
}

std::string Outcome(const std::vector<std::string>& arguments) {
    const auto parsed = ParseArguments(arguments);
    if (const auto* error = std::get_if<UsageError>(&parsed)) return "error: " + error->message;
    return Describe(std::get<Request>(parsed));
}

struct Case {
    std::vector<std::string> arguments;
    std::string expected;  // the whole request, or "error: " and the message's start
};

TEST(CliArguments, GiveTheRequestOrAUsageErrorWithAHint) {
    const Case cases[] = {
        {{"list", "--format", "json", "--unfiltered"}, "list json unfiltered"},
        {{"list", "--format=csv", "--visible"}, "list visible csv"},
        {{"list", "--title", "無題 - メモ帳", "--class", "Notepad"}, "list title=無題 - メモ帳 class=Notepad"},
        {{"minimize", "--process", "notepad.exe", "--all"}, "minimize process=notepad.exe all"},
        {{"close", "--pid", "4242", "--dry-run"}, "close pid=4242 dry-run"},
        {{"front", "--handle", "0x2004C"}, "front handle=131148"},
        {{"front", "--handle", "-16777214"}, "front handle=-16777214"},
        // The unsigned and hexadecimal forms of a negative handle name the same window.
        {{"front", "--handle", "4278190082"}, "front handle=-16777214"},
        {{"front", "--handle", "0xFF000002"}, "front handle=-16777214"},
        {{"move", "-200", "80", "--title", "x"}, "move -200 80 title=x"},
        {{"resize", "800", "600", "--all"}, "resize 800 600 all"},
        {{"--help"}, "help"},
        {{"close", "--all", "-h"}, "help"},
        {{"close", "--title", "-h"}, "close title=-h"},  // a value, not a request for help
        {{"list", "--class", "/?", "--help"}, "help"},
        {{"/?"}, "help"},
        {{"--version"}, "version"},
        {{"watch", "--format", "json", "--detect", "EVENTS", "--title", "x"}, "watch title=x json detect=Events"},
        {{"watch", "--timeout", "0.25", "--unfiltered"}, "watch unfiltered timeout=250ms"},
        {{"wait", "--gone", "--timeout=10", "--detect", "scan"}, "wait gone timeout=10000ms detect=Scan"},
        {{"wait", "--format", "csv", "--timeout", "0"}, "wait csv timeout=0ms"},
        {{"wait", "--timeout", "2678400"}, "wait timeout=2678400000ms"},

        {{}, "error: コマンドがありません。"},
        {{"lsit"}, "error: 不明なコマンドです: lsit"},
        {{"--all"}, "error: 最初にコマンドを指定してください: --all"},
        {{"--version", "list"}, "error: --version の後に余分な引数があります"},
        {{"list", "--all"}, "error: --all は list には使えません。"},
        {{"close", "--format", "json"}, "error: --format は list、watch、wait にだけ使えます。"},
        {{"watch", "--format", "csv"}, "error: watch の --format は table か json です: csv"},
        {{"watch", "--gone"}, "error: --gone は watch には使えません。"},
        {{"list", "--timeout", "5"}, "error: --timeout は watch と wait にだけ使えます。"},
        {{"wait", "--timeout", "-1"}, "error: --timeout は 0～2678400 の秒数です"},
        {{"wait", "--timeout", "1.2345"}, "error: --timeout は 0～2678400 の秒数です"},
        {{"wait", "--timeout", "2678401"}, "error: --timeout は 0～2678400 の秒数です"},
        {{"wait", "--timeout"}, "error: --timeout には値が必要です。"},
        {{"watch", "--detect", "foo"}, "error: --detect は auto、events、scan のどれかです: foo"},
        {{"list", "--format", "xml"}, "error: --format は table、csv、json のどれかです: xml"},
        {{"list", "--format"}, "error: --format には値が必要です。"},
        {{"list", "--class="}, "error: --class の値が空です。"},
        {{"list", "--all=yes"}, "error: --all は値を取りません。"},
        {{"list", "--title", "a", "--title", "b"}, "error: --title が二度指定されています。"},
        {{"list", "--frobnicate"}, "error: 不明なオプションです: --frobnicate"},
        {{"list", "notepad"}, "error: 余分な引数です: notepad"},
        {{"front", "--handle", "0"}, "error: --handle はウィンドウハンドルの数"},
        {{"front", "--handle", "4294967296"}, "error: --handle はウィンドウハンドルの数"},
        {{"close", "--pid", "-1"}, "error: --pid はプロセスIDの数です: -1"},
        {{"move", "10"}, "error: move には X Y の二つの数が必要です。"},
        {{"move", "10", "--all"}, "error: move の X Y は -100000～100000 の整数です: --all"},
        {{"resize", "800", "100001"}, "error: resize の WIDTH HEIGHT は 1～100000 の整数です: 100001"},
    };
    for (const Case& c : cases) {
        const std::string outcome = Outcome(c.arguments);
        if (!c.expected.starts_with("error: ")) {
            EXPECT_EQ(outcome, c.expected) << testing::PrintToString(c.arguments);
        } else {
            EXPECT_TRUE(outcome.starts_with(c.expected))
                << testing::PrintToString(c.arguments) << " gave \"" << outcome << "\"";
            EXPECT_TRUE(outcome.ends_with("（qovc --help で使い方を表示します）")) << outcome << ": no hint";
        }
    }
}

}  // namespace
}  // namespace qov::cli
