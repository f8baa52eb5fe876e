#include "core/output_formats.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace qov::cli {
namespace {

struct Field {
    std::string_view name;
    bool quotedInJson;  // text; numbers and true/false are not
    bool alignRight;    // numbers, in the table
    int widestInTable;  // display columns; 0 for no limit
};

// The list's fields, in this order everywhere.
constexpr std::array<Field, 13> kFields{{
    {"handle", false, true, 0},   {"title", true, false, 40},   {"status", true, false, 0},
    {"active", false, false, 0},  {"topmost", false, false, 0}, {"cloaked", false, false, 0},
    {"left", false, true, 0},     {"top", false, true, 0},      {"right", false, true, 0},
    {"bottom", false, true, 0},   {"class", true, false, 32},   {"pid", false, true, 0},
    {"process", true, false, 0},
}};

std::string Flag(bool value) { return value ? "true" : "false"; }

std::vector<std::string> Cells(const WindowRecord& w, WindowHandle foreground) {
    return FieldTexts(w, w.handle == foreground);
}

// The fields as JSON members, without braces.
std::string JsonMembers(const std::vector<std::string>& cells) {
    std::string text;
    for (std::size_t i = 0; i < cells.size(); ++i) {
        text += (i ? ", " : "") + JsonString(kFields[i].name) + ": ";
        text += kFields[i].quotedInJson ? JsonString(cells[i]) : cells[i];
    }
    return text;
}

// The code point starting at `text[at]` and its length in bytes; a stray byte
// reads as itself, one byte long.
std::pair<char32_t, std::size_t> DecodeAt(std::string_view text, std::size_t at) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(at);
    const std::size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
    if (length <= 1 || at + length > text.size()) return {lead, 1};
    char32_t code = lead & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(at + i) & 0xC0) != 0x80) return {lead, 1};
        code = (code << 6) | (byte(at + i) & 0x3F);
    }
    return {code, length};
}

struct Range {
    char32_t first, last;
};

// Combining marks, joiners, variation selectors and direction marks.
constexpr std::array<Range, 8> kZeroWidth{{
    {0x0300, 0x036F}, {0x200B, 0x200F}, {0x2060, 0x2064}, {0x20D0, 0x20FF}, {0x3099, 0x309A},
    {0xFE00, 0xFE0F}, {0xFEFF, 0xFEFF}, {0xE0100, 0xE01EF},
}};
// East Asian wide and full-width characters, and the emoji blocks.
constexpr std::array<Range, 16> kDoubleWidth{{
    {0x1100, 0x115F}, {0x2E80, 0x303E}, {0x3041, 0x33FF}, {0x3400, 0x4DBF}, {0x4E00, 0x9FFF},
    {0xA000, 0xA4CF}, {0xAC00, 0xD7A3}, {0xF900, 0xFAFF}, {0xFE30, 0xFE4F}, {0xFF00, 0xFF60},
    {0xFFE0, 0xFFE6}, {0x1F300, 0x1F64F}, {0x1F680, 0x1F6FF}, {0x1F900, 0x1F9FF}, {0x1FA70, 0x1FAFF},
    {0x20000, 0x3FFFD},
}};
// What would break a line, or turn the text's direction around, on a
// terminal: C0 and C1 controls, line and paragraph separators, and the bidi
// embeddings, overrides and isolates.
constexpr std::array<Range, 5> kLineBreaking{{
    {0x00, 0x1F}, {0x7F, 0x9F}, {0x2028, 0x2029}, {0x202A, 0x202E}, {0x2066, 0x2069},
}};

bool InAny(char32_t code, const auto& ranges) {
    return std::ranges::any_of(ranges, [&](const Range& r) { return code >= r.first && code <= r.last; });
}

int CodeWidth(char32_t code) {
    if (InAny(code, kZeroWidth)) return 0;
    return InAny(code, kDoubleWidth) ? 2 : 1;
}

// Cut to at most `widest` columns, "..." marking the cut.
std::string FitTo(std::string_view text, int widest) {
    if (widest <= 0 || DisplayWidth(text) <= widest) return std::string(text);
    std::string kept;
    int width = 0;
    for (std::size_t at = 0; at < text.size();) {
        const auto [code, length] = DecodeAt(text, at);
        if (width + CodeWidth(code) > widest - 3) break;
        width += CodeWidth(code);
        kept.append(text.substr(at, length));
        at += length;
    }
    return kept + "...";
}

void Pad(std::string& line, std::string_view cell, int width, bool right) {
    const std::string padding(static_cast<std::size_t>(std::max(0, width - DisplayWidth(cell))), ' ');
    line += right ? padding + std::string(cell) : std::string(cell) + padding;
}

std::string Table(const Snapshot& snapshot) {
    const std::vector<WindowRecord>& windows = snapshot.windows;
    std::vector<std::vector<std::string>> rows;
    rows.emplace_back();
    for (const Field& field : kFields) rows.back().emplace_back(field.name);
    for (const WindowRecord& window : windows) {
        std::vector<std::string> cells = Cells(window, snapshot.foreground);
        for (std::size_t i = 0; i < cells.size(); ++i)
            cells[i] = FitTo(OneLine(cells[i]), kFields[i].widestInTable);
        rows.push_back(std::move(cells));
    }
    std::array<int, kFields.size()> widths{};
    for (const auto& row : rows)
        for (std::size_t i = 0; i < row.size(); ++i) widths[i] = std::max(widths[i], DisplayWidth(row[i]));
    std::string text;
    for (const auto& row : rows) {
        std::string line;
        for (std::size_t i = 0; i < row.size(); ++i) {
            if (i > 0) line += "  ";
            Pad(line, row[i], widths[i], kFields[i].alignRight);
        }
        line.erase(line.find_last_not_of(' ') + 1);
        text += line;
        text += kNewline;
    }
    return text;
}

std::string Csv(const Snapshot& snapshot) {
    const std::vector<WindowRecord>& windows = snapshot.windows;
    std::string text;
    for (std::size_t i = 0; i < kFields.size(); ++i) text += (i ? "," : "") + std::string(kFields[i].name);
    text += kNewline;
    for (const WindowRecord& window : windows) {
        const std::vector<std::string> cells = Cells(window, snapshot.foreground);
        for (std::size_t i = 0; i < cells.size(); ++i) text += (i ? "," : "") + CsvField(cells[i]);
        text += kNewline;
    }
    return text;
}

std::string Json(const Snapshot& snapshot) {
    const std::vector<WindowRecord>& windows = snapshot.windows;
    if (windows.empty()) return "[]" + std::string(kNewline);
    std::string text = "[";
    for (std::size_t w = 0; w < windows.size(); ++w) {
        text += std::string(w ? "," : "") + std::string(kNewline) + "  {";
        text += JsonMembers(Cells(windows[w], snapshot.foreground)) + "}";
    }
    return text + std::string(kNewline) + "]" + std::string(kNewline);
}

}  // namespace

std::string FormatList(const Snapshot& windows, Format format) {
    switch (format) {
    case Format::Csv: return Csv(windows);
    case Format::Json: return Json(windows);
    case Format::Table: break;
    }
    return Table(windows);
}

std::vector<std::string> FieldTexts(const WindowRecord& w, bool active) {
    return {std::to_string(w.handle), w.title, StatusWord(StatusOf(w)), Flag(active),
            Flag(w.topmost), Flag(IsCloaked(w.visibility)), std::to_string(w.rect.left),
            std::to_string(w.rect.top), std::to_string(w.rect.right),
            std::to_string(w.rect.bottom), w.className, std::to_string(w.processId), FileNameOf(w.image)};
}

const char* WatchEventWord(WatchEvent event) {
    switch (event) {
    case WatchEvent::Present: return "present";
    case WatchEvent::Appeared: return "appeared";
    case WatchEvent::Changed: return "changed";
    case WatchEvent::Disappeared: return "disappeared";
    }
    return "";
}

// The table's line: time, event, handle, status, the flags that hold, the
// rectangle, class, process and pid, and the title last, as it is the widest.
std::string FormatWatchLine(WatchEvent event, std::string_view time, const WindowRecord& window, bool active,
                            Format format) {
    const std::vector<std::string> cells = FieldTexts(window, active);
    if (format == Format::Json)
        return "{\"event\": " + JsonString(WatchEventWord(event)) + ", \"time\": " + JsonString(time) + ", " +
               JsonMembers(cells) + "}" + std::string(kNewline);
    std::string line = std::string(time) + "  ";
    Pad(line, WatchEventWord(event), 11, false);
    line += "  " + cells[0] + "  " + cells[2];
    for (const std::size_t flag : {3, 4, 5})
        if (cells[flag] == "true") line += " " + std::string(kFields[flag].name);
    line += "  (" + cells[6] + "," + cells[7] + ")-(" + cells[8] + "," + cells[9] + ")  " + OneLine(cells[10]) +
            "  " + OneLine(cells[12]) + ":" + cells[11] + "  " + OneLine(cells[1]);
    return line + std::string(kNewline);
}

int DisplayWidth(std::string_view text) {
    int width = 0;
    for (std::size_t at = 0; at < text.size();) {
        const auto [code, length] = DecodeAt(text, at);
        width += CodeWidth(code);
        at += length;
    }
    return width;
}

std::string CsvField(std::string_view text) {
    if (text.find_first_of("\",\r\n") == std::string_view::npos) return std::string(text);
    std::string quoted = "\"";
    for (const char c : text) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + "\"";
}

std::string JsonString(std::string_view text) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string literal = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        switch (c) {
        case '"': literal += "\\\""; break;
        case '\\': literal += "\\\\"; break;
        case '\n': literal += "\\n"; break;
        case '\r': literal += "\\r"; break;
        case '\t': literal += "\\t"; break;
        default:
            if (byte < 0x20) {
                literal += "\\u00";
                literal += kHex[byte >> 4];
                literal += kHex[byte & 0xF];
            } else {
                literal += c;
            }
        }
    }
    return literal + "\"";
}

std::string OneLine(std::string_view text) {
    std::string line;
    for (std::size_t at = 0; at < text.size();) {
        const auto [code, length] = DecodeAt(text, at);
        if (InAny(code, kLineBreaking)) line += ' ';
        else line.append(text.substr(at, length));
        at += length;
    }
    return line;
}

}  // namespace qov::cli
