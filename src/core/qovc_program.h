#pragma once
// qovc from its arguments to its exit code: which windows, what is printed,
// what is done. The Win32 half supplies the window system, the settings, the
// process and console windows that are its own, and the two output streams.

#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "core/change_feed.h"
#include "core/settings.h"
#include "core/window_actions.h"

namespace qov::cli {

struct QovcContext {
    WindowSystem& windows;
    Settings settings;           // the user's, read only
    TitleMatch contains;         // how the filters and selectors compare names
    OwnWindows own;              // qovc's process, its console and the console's owner
    std::string version;         // "1.0.0"
    Pause pause;
    std::function<void(const std::string&)> out, err;  // UTF-8 text, CRLF line ends
    // watch and wait: how changes are learnt, the time now (UTC as ISO 8601
    // text, and the steady clock), and whether stdout is still read (false
    // once a write failed or its pipe's reader has gone).
    ChangeFeed* feed = nullptr;
    std::function<std::string()> utcNow = [] { return std::string(); };
    std::function<std::chrono::steady_clock::time_point()> now = [] { return std::chrono::steady_clock::now(); };
    std::function<bool()> outputRead = [] { return true; };
};

int RunQovc(const std::vector<std::string>& arguments, QovcContext& context);

// `qovc --help`.
std::string HelpText();

}  // namespace qov::cli
