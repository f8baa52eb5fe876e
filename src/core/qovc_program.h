#pragma once
// qovc from its arguments to its exit code: which windows, what is printed,
// what is done. The Win32 half supplies the window system, the settings, the
// console window and the two output streams.

#include <functional>
#include <string>
#include <vector>

#include "core/settings.h"
#include "core/window_actions.h"

namespace qov::cli {

struct QovcContext {
    WindowSystem& windows;
    Settings settings;           // the user's, read only
    WindowHandle console = 0;    // qovc's own console window; 0 when it has none
    std::string version;         // "1.0.0"
    Pause pause;
    std::function<void(const std::string&)> out, err;  // UTF-8 text, CRLF line ends
};

int RunQovc(const std::vector<std::string>& arguments, QovcContext& context);

// `qovc --help`.
std::string HelpText();

}  // namespace qov::cli
