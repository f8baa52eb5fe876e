#include "core/cli_arguments.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <string_view>

namespace qov::cli {
namespace {

struct CommandWord {
    std::string_view word;
    Command command;
};

constexpr std::array<CommandWord, 14> kCommandWords{{
    {"list", Command::List},         {"watch", Command::Watch},
    {"wait", Command::Wait},         {"restore", Command::Restore},
    {"minimize", Command::Minimize}, {"maximize", Command::Maximize},
    {"front", Command::Front},       {"topmost", Command::Topmost},
    {"notopmost", Command::NoTopmost}, {"hide", Command::Hide},
    {"show", Command::Show},         {"close", Command::Close},
    {"move", Command::Move},         {"resize", Command::Resize},
}};

// Coordinates and sizes further out than this are typing mistakes: no
// desktop reaches them, and their sums stay well inside an int.
constexpr long long kFarthestCoordinate = 100000;

// A timeout longer than this is a typing mistake (a day is 86400).
constexpr long long kLongestTimeoutSeconds = 31 * 86400;

constexpr const char* kHint = "（qovc --help で使い方を表示します）";

UsageError Error(const std::string& text) { return {text + kHint}; }

Request Only(Command command) {
    Request request;
    request.command = command;
    return request;
}

// Decimal with an optional minus sign, or hexadecimal after "0x".
std::optional<long long> ParseInteger(std::string_view text) {
    int base = 10;
    bool negative = false;
    if (text.starts_with("0x") || text.starts_with("0X")) {
        base = 16;
        text.remove_prefix(2);
    } else if (text.starts_with('-')) {
        negative = true;
        text.remove_prefix(1);
    }
    // from_chars would take a second sign or skip nothing; digits only.
    if (text.empty() || text.size() > 12 || text.front() == '-' || text.front() == '+')
        return std::nullopt;
    long long value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return negative ? -value : value;
}

std::optional<int> ParseInRange(std::string_view text, long long lowest, long long highest) {
    const std::optional<long long> value = ParseInteger(text);
    if (!value || *value < lowest || *value > highest) return std::nullopt;
    return static_cast<int>(*value);
}

// QOV's list shows a handle as a signed decimal; its unsigned and hexadecimal
// forms name the same 32 bits.
std::optional<WindowHandle> ParseHandle(std::string_view text) {
    const std::optional<long long> value = ParseInteger(text);
    if (!value || *value < INT32_MIN || *value > UINT32_MAX || *value == 0) return std::nullopt;
    return static_cast<WindowHandle>(static_cast<std::uint32_t>(*value));
}

// Seconds, whole or with up to three decimals ("2", "0.5"), in milliseconds.
std::optional<long long> ParseSeconds(std::string_view text) {
    const std::size_t point = text.find('.');
    const std::string_view whole = text.substr(0, point);
    std::string fraction(point == std::string_view::npos ? "" : text.substr(point + 1));
    if (whole.empty() || fraction.size() > 3 || (point != std::string_view::npos && fraction.empty()))
        return std::nullopt;
    const auto digits = [](std::string_view t) { return std::ranges::all_of(t, [](char c) { return c >= '0' && c <= '9'; }); };
    if (!digits(whole) || !digits(fraction) || whole.size() > 8) return std::nullopt;
    const std::optional<long long> seconds = ParseInteger(whole);
    if (!seconds || *seconds > kLongestTimeoutSeconds) return std::nullopt;
    fraction.resize(3, '0');
    return *seconds * 1000 + std::stoi(fraction);  // a month of milliseconds is past an int
}

std::optional<Detection> ParseDetectionWord(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    if (lower == "auto") return Detection::Auto;
    if (lower == "events") return Detection::Events;
    if (lower == "scan") return Detection::Scan;
    return std::nullopt;
}

class Parser {
public:
    explicit Parser(const std::vector<std::string>& arguments) : arguments_(arguments) {}

    std::variant<Request, UsageError> Parse() {
        if (arguments_.empty()) return Error("コマンドがありません。");
        if (AsksForHelp()) return Only(Command::Help);
        const std::string& word = arguments_[next_++];
        if (word == "--version") {
            if (next_ < arguments_.size()) return Error("--version の後に余分な引数があります: " + arguments_[next_]);
            return Only(Command::Version);
        }
        const auto known = std::ranges::find(kCommandWords, word, &CommandWord::word);
        if (known == kCommandWords.end()) {
            if (word.starts_with('-')) return Error("最初にコマンドを指定してください: " + word);
            return Error("不明なコマンドです: " + word);
        }
        request_.command = known->command;
        if (auto error = ReadPositionals()) return *error;
        while (next_ < arguments_.size())
            if (auto error = ReadOption()) return *error;
        return request_;
    }

private:
    static bool IsHelpWord(const std::string& word) {
        return word == "--help" || word == "-h" || word == "/?" || word == "-?";
    }
    static bool TakesValue(const std::string& name) {
        return name == "--format" || name == "--handle" || name == "--title" || name == "--class" ||
               name == "--pid" || name == "--process" || name == "--timeout" || name == "--detect";
    }

    // A help word anywhere but as an option's value (--title -h looks for
    // "-h"), before anything else is judged.
    bool AsksForHelp() const {
        for (std::size_t at = 0; at < arguments_.size(); ++at) {
            if (IsHelpWord(arguments_[at])) return true;
            if (TakesValue(arguments_[at])) ++at;
        }
        return false;
    }

    // move X Y and resize WIDTH HEIGHT take their numbers first, so a negative
    // coordinate is never mistaken for an option.
    std::optional<UsageError> ReadPositionals() {
        const Command command = request_.command;
        if (command != Command::Move && command != Command::Resize) return std::nullopt;
        const bool move = command == Command::Move;
        const long long lowest = move ? -kFarthestCoordinate : 1;
        const std::string_view names = move ? "X Y" : "WIDTH HEIGHT";
        for (int* target : {&request_.first, &request_.second}) {
            if (next_ >= arguments_.size())
                return Error(std::string(CommandName(command)) + " には " + std::string(names) +
                             " の二つの数が必要です。");
            const std::string& text = arguments_[next_++];
            const std::optional<int> value = ParseInRange(text, lowest, kFarthestCoordinate);
            if (!value)
                return Error(std::string(CommandName(command)) + " の " + std::string(names) + " は " +
                             std::to_string(lowest) + "～" + std::to_string(kFarthestCoordinate) +
                             " の整数です: " + text);
            *target = *value;
        }
        return std::nullopt;
    }

    std::optional<UsageError> ReadOption() {
        std::string name = arguments_[next_++];
        std::optional<std::string> attached;  // --title=TEXT
        if (const std::size_t equals = name.find('='); name.starts_with("--") && equals != std::string::npos) {
            attached = name.substr(equals + 1);
            name.resize(equals);
        }
        if (!name.starts_with("--")) return Error("余分な引数です: " + name);
        if (std::ranges::find(seen_, name) != seen_.end()) return Error(name + " が二度指定されています。");
        seen_.push_back(name);

        const bool action = IsAction(request_.command);
        const auto flag = [&](bool& target, bool allowed) -> std::optional<UsageError> {
            if (attached) return Error(name + " は値を取りません。");
            if (!allowed) return Error(name + " は " + CommandName(request_.command) + " には使えません。");
            target = true;
            return std::nullopt;
        };
        if (name == "--all") return flag(request_.all, action);
        if (name == "--dry-run") return flag(request_.dryRun, action);
        if (name == "--gone") return flag(request_.gone, request_.command == Command::Wait);
        if (name == "--unfiltered") return flag(request_.unfiltered, true);
        if (name == "--visible") return flag(request_.selectors.visibleOnly, true);

        if (!TakesValue(name)) return Error("不明なオプションです: " + name);
        if (!attached && next_ >= arguments_.size()) return Error(name + " には値が必要です。");
        const std::string value = attached ? *attached : arguments_[next_++];
        return ReadValue(name, value);
    }

    std::optional<UsageError> ReadValue(const std::string& name, const std::string& value) {
        Selectors& s = request_.selectors;
        const Command command = request_.command;
        if (name == "--format") {
            if (command == Command::Watch) {
                if (value == "csv") return Error("watch の --format は table か json です: " + value);
            } else if (command != Command::List && command != Command::Wait) {
                return Error("--format は list、watch、wait にだけ使えます。");
            }
            if (value == "table") request_.format = Format::Table;
            else if (value == "csv") request_.format = Format::Csv;
            else if (value == "json") request_.format = Format::Json;
            else return Error("--format は table、csv、json のどれかです: " + value);
        } else if (name == "--timeout" || name == "--detect") {
            if (!Follows(command)) return Error(name + " は watch と wait にだけ使えます。");
            if (name == "--detect") {
                const std::optional<Detection> detection = ParseDetectionWord(value);
                if (!detection) return Error("--detect は auto、events、scan のどれかです: " + value);
                request_.detection = *detection;
            } else if (!(request_.timeoutMs = ParseSeconds(value))) {
                return Error("--timeout は 0～" + std::to_string(kLongestTimeoutSeconds) +
                             " の秒数です（小数は3桁まで）: " + value);
            }
        } else if (name == "--handle") {
            if (!(s.handle = ParseHandle(value)))
                return Error("--handle はウィンドウハンドルの数（10進数か 0x で始まる16進数）です: " + value);
        } else if (name == "--pid") {
            const std::optional<long long> pid = ParseInteger(value);
            if (!pid || *pid < 0 || *pid > UINT32_MAX) return Error("--pid はプロセスIDの数です: " + value);
            s.processId = static_cast<std::uint32_t>(*pid);
        } else if (value.empty()) {
            // An empty fragment would be in every title: surely not what was meant.
            return Error(name + " の値が空です。");
        } else if (name == "--title") {
            s.title = value;
        } else if (name == "--class") {
            s.className = value;
        } else {
            s.process = value;
        }
        return std::nullopt;
    }

    const std::vector<std::string>& arguments_;
    std::size_t next_ = 0;
    Request request_;
    std::vector<std::string> seen_;
};

}  // namespace

std::variant<Request, UsageError> ParseArguments(const std::vector<std::string>& arguments) {
    return Parser(arguments).Parse();
}

const char* CommandName(Command command) {
    for (const CommandWord& known : kCommandWords)
        if (known.command == command) return known.word.data();
    return "";
}

bool IsAction(Command command) {
    return command != Command::Help && command != Command::Version && command != Command::List &&
           !Follows(command);
}

bool Follows(Command command) { return command == Command::Watch || command == Command::Wait; }

}  // namespace qov::cli
