#pragma once
// The text of qovc's list: aligned columns for people, CSV (RFC 4180) and
// JSON for scripts. Lines end in CRLF, as Windows tools write them.

#include <string>
#include <string_view>
#include <vector>

#include "core/cli_arguments.h"
#include "core/window_selection.h"

namespace qov::cli {

inline constexpr std::string_view kNewline = "\r\n";

// The windows in order; the foreground one is marked active.
std::string FormatList(const Snapshot& windows, Format format);

// What happened to a window that `qovc watch` follows.
enum class WatchEvent { Present, Appeared, Changed, Disappeared };
const char* WatchEventWord(WatchEvent event);

// One line of `qovc watch`: JSON (the event, the time, then the list's
// fields, a JSON Lines object) or, for Format::Table, one line for people.
// `time` is UTC, ISO 8601 with milliseconds.
std::string FormatWatchLine(WatchEvent event, std::string_view time, const WindowRecord& window, bool active,
                            Format format);

// The list's fields of one window, as text, in the list's order.
std::vector<std::string> FieldTexts(const WindowRecord& window, bool active);

// Columns a terminal gives the text: East Asian wide and full-width
// characters take two, combining marks none.
int DisplayWidth(std::string_view text);

// One CSV field, quoted when it holds a quote, comma or line break.
std::string CsvField(std::string_view text);
// A JSON string literal, quotes included; non-ASCII text is kept as UTF-8.
std::string JsonString(std::string_view text);
// Control characters (line breaks, tabs, C1), line separators and bidi
// controls as spaces, for one-line output.
std::string OneLine(std::string_view text);

}  // namespace qov::cli
