#pragma once
// qovc from its arguments to its exit code: which windows, what is printed,
// what is done. The Win32 half supplies the window system, the settings, the
// process and console windows that are its own, and the two output streams.

#include <functional>
#include <string>
#include <vector>

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
};

int RunQovc(const std::vector<std::string>& arguments, QovcContext& context);

// `qovc --help`.
std::string HelpText();

}  // namespace qov::cli
