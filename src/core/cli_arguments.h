#pragma once
// qovc's command line: the words a user types, turned into one request or a
// usage error with a one-line hint. Arguments arrive as UTF-8.

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "core/settings.h"
#include "core/window_types.h"

namespace qov::cli {

// Exit codes, for scripts.
inline constexpr int kExitSuccess = 0;
inline constexpr int kExitNoMatch = 1;
inline constexpr int kExitUsage = 2;
inline constexpr int kExitFailed = 3;       // an action failed on at least one window
inline constexpr int kExitSeveral = 4;      // several matches and no --all
inline constexpr int kExitTimeout = 5;      // wait: the time given ran out first

enum class Command {
    Help, Version, List, Watch, Wait,
    Restore, Minimize, Maximize, Front, Topmost, NoTopmost, Hide, Show, Close, Move, Resize,
};

enum class Format { Table, Csv, Json };

// Every selector given must hold (AND); none given selects every window.
struct Selectors {
    std::optional<WindowHandle> handle;
    std::optional<std::string> title;      // a fragment, as the exclusion list compares
    std::optional<std::string> className;  // the whole name, any case
    std::optional<std::uint32_t> processId;
    std::optional<std::string> process;    // image file name, any case
    bool visibleOnly = false;
};

struct Request {
    Command command = Command::Help;
    Selectors selectors;
    Format format = Format::Table;
    bool all = false;
    bool dryRun = false;
    bool unfiltered = false;
    // watch and wait: how long at most (none: until stopped), how changes are
    // learnt; wait --gone: until no window matches.
    std::optional<long long> timeoutMs;
    Detection detection = Detection::Auto;
    bool gone = false;
    // move: the outer top-left corner; resize: the outer width and height.
    int first = 0;
    int second = 0;
};

struct UsageError {
    std::string message;  // one line, in Japanese, ending with a hint
};

std::variant<Request, UsageError> ParseArguments(const std::vector<std::string>& arguments);

// The command's name as typed ("minimize"); "" for Help and Version.
const char* CommandName(Command command);
bool IsAction(Command command);
// watch and wait: they follow the desktop as it changes.
bool Follows(Command command);

}  // namespace qov::cli
