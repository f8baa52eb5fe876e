#include "core/qovc_program.h"

#include <algorithm>
#include <variant>

#include "core/output_formats.h"
#include "core/qovc_watch.h"

namespace qov::cli {
namespace {

std::string Line(const std::string& text) { return text + std::string(kNewline); }

// One line per window on stderr: handle, title, then what happened (a word
// for scripts, a sentence for people), tab-separated.
std::string WindowLine(const WindowRecord& window, const std::string& word, const std::string& message = {}) {
    std::string line = std::to_string(window.handle) + "\t" + OneLine(window.title) + "\t" + word;
    return Line(message.empty() ? line : line + "\t" + message);
}

Protection ProtectionOf(const WindowRecord& window, const OwnWindows& own) {
    return qov::ProtectionOf(window.handle, window.className, window.processId, own);
}

Snapshot MatchingWindows(const Request& request, QovcContext& context, OwnWindows& own) {
    return cli::MatchingWindows(context.windows, context.settings, context.contains, request.selectors,
                                request.unfiltered, own);
}

int ReportNoMatch(const Request& request, QovcContext& context, bool ownOnly) {
    std::string text = ownOnly ? "条件に合うのは QOV とこのコンソールのウィンドウだけです（これらには操作しません）。"
                               : "条件に合うウィンドウがありません。";
    if (!request.unfiltered && !ownOnly)
        text += "--unfiltered を付けると全てのトップレベルウィンドウが対象になります。";
    context.err(Line(text));
    return kExitNoMatch;
}

int RunAction(const Request& request, QovcContext& context) {
    OwnWindows own = context.own;
    std::vector<WindowRecord> targets = MatchingWindows(request, context, own).windows;
    const std::size_t matched = targets.size();
    std::erase_if(targets, [&](const WindowRecord& w) { return ProtectionOf(w, own) == Protection::Own; });
    if (targets.empty()) return ReportNoMatch(request, context, matched > 0);
    if (targets.size() > 1 && !request.all) {
        context.err(Line(std::to_string(targets.size()) +
                         "個のウィンドウが条件に合います。何もしませんでした。全てに" +
                         CommandName(request.command) + "を行うには --all を付けてください:"));
        for (const WindowRecord& w : targets) context.err(WindowLine(w, "matched"));
        return kExitSeveral;
    }
    WindowActions actions(context.windows, context.pause);
    bool failed = false;
    for (const WindowRecord& w : targets) {
        // The shell's windows are matched like any other, and refused.
        if (ProtectionOf(w, own) == Protection::Shell) {
            failed = true;
            context.err(WindowLine(w, ResultWord(Result::Refused), ProtectionReason(Protection::Shell)));
            continue;
        }
        if (request.dryRun) {
            context.err(WindowLine(w, "dry-run", ActionDescription(request) + "（--dry-run のため何もしません）"));
            continue;
        }
        const Result result = actions.Carry(request, w);
        failed |= result != Result::Done;
        context.err(WindowLine(w, ResultWord(result), ResultMessage(result, request.command)));
    }
    return failed ? kExitFailed : kExitSuccess;
}

}  // namespace

int RunQovc(const std::vector<std::string>& arguments, QovcContext& context) {
    const std::variant<Request, UsageError> parsed = ParseArguments(arguments);
    if (const UsageError* error = std::get_if<UsageError>(&parsed)) {
        context.err(Line("qovc: " + error->message));
        return kExitUsage;
    }
    const Request& request = std::get<Request>(parsed);
    switch (request.command) {
    case Command::Help: context.out(HelpText()); return kExitSuccess;
    case Command::Version: context.out(Line("qovc " + context.version)); return kExitSuccess;
    case Command::List: {
        OwnWindows own;  // listed like any other, as QOV's own list shows its window
        const Snapshot windows = MatchingWindows(request, context, own);
        context.out(FormatList(windows, request.format));
        return windows.windows.empty() ? kExitNoMatch : kExitSuccess;
    }
    case Command::Watch: return RunWatch(request, context);
    case Command::Wait: return RunWait(request, context);
    default: return RunAction(request, context);
    }
}

std::string HelpText() {
    static constexpr const char* kLines[] = {
        "qovc: QOV のコマンドライン版。ウィンドウを一覧し、操作します。",
        "",
        "使い方:",
        "  qovc list   [条件] [--format table|csv|json] [--unfiltered]",
        "  qovc 操作   [条件] [--all] [--dry-run] [--unfiltered]",
        "  qovc move X Y [条件] [--all] [--dry-run] [--unfiltered]",
        "  qovc resize WIDTH HEIGHT [条件] [--all] [--dry-run] [--unfiltered]",
        "  qovc watch  [条件] [--format table|json] [--timeout 秒] [--unfiltered] [--detect auto|events|scan]",
        "  qovc wait   [条件] [--gone] [--timeout 秒] [--format table|csv|json] [--unfiltered]",
        "              [--detect auto|events|scan]",
        "  qovc --help | --version",
        "",
        "操作: restore minimize maximize front topmost notopmost hide show close",
        "  move X Y             外枠の左上を画面座標 (X,Y) へ移動",
        "  resize WIDTH HEIGHT  外枠の大きさを変更",
        "  watch  条件に合うウィンドウを表示し（present）、現れる・変わる・消えるたびに1行ずつ",
        "         appeared / changed / disappeared を書きます。Ctrl+C か --timeout で終わります。",
        "  wait   条件に合うウィンドウが現れるまで待ち、list と同じ形で表示します。",
        "         --gone は条件に合うウィンドウがなくなるまで待ちます。",
        "  --detect  変化をイベントで知るか（events）、毎秒の全体スキャンか（scan）。auto は確かめて選びます。",
        "",
        "条件（全てを満たすウィンドウが対象）:",
        "  --handle N      ウィンドウハンドル（QOV の一覧と同じ10進数、または 0x...）",
        "  --title TEXT    タイトルの一部（大文字小文字を区別しない）",
        "  --class NAME    クラス名（全体、大文字小文字を区別しない）",
        "  --pid N         プロセスID",
        "  --process NAME  実行ファイル名（例: notepad.exe）",
        "  --visible       表示されているウィンドウのみ",
        "",
        "対象は QOV の一覧と同じく、設定に従ってタイトルのないウィンドウ・システムウィンドウ・",
        "除外ウィンドウを除きます。--unfiltered で全てのトップレベルウィンドウが対象になります。",
        "複数のウィンドウに操作するには --all が必要です。--dry-run は行う操作を表示するだけです。",
        "",
        "終了コード: 0 成功 / 1 該当なし / 2 使い方の誤り / 3 操作に失敗したウィンドウあり /",
        "            4 複数が該当し --all なし / 5 wait の待ち時間切れ",
        "",
        "例:",
        "  qovc list",
        "  qovc list --process notepad.exe --format json",
        "  qovc list --unfiltered --format csv > windows.csv",
        "  qovc minimize --title メモ帳",
        "  qovc close --process notepad.exe --all --dry-run",
        "  qovc front --handle 0x2004C",
        "  qovc topmost --class Notepad",
        "  qovc move 0 0 --title \"無題 - メモ帳\"",
        "  qovc resize 800 600 --handle 131148",
        "  qovc hide --visible --process notepad.exe --all",
        "  qovc watch --process notepad.exe --format json",
        "  qovc wait --process notepad.exe --timeout 10",
    };
    std::string text;
    for (const char* line : kLines) text += Line(line);
    return text;
}

}  // namespace qov::cli
