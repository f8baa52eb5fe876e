// Text encodings of the stored settings. A value that cannot be read as its
// type gives the caller's fallback, so no store content can break start-up.

#include <charconv>
#include <cmath>

#include "core/settings.h"

namespace qov {
namespace {

std::string_view Trim(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (lower(a[i]) != lower(b[i])) return false;
    return true;
}

// A whole finite decimal number (blanks and a plus sign allowed), or nothing.
bool ParseNumber(std::string_view text, double& value) {
    text = Trim(text);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    if (text.empty()) return false;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value,
                                              std::chars_format::fixed);
    return error == std::errc() && end == text.data() + text.size() && std::isfinite(value);
}

}  // namespace

bool ParseBoolean(std::string_view text, bool fallback) {
    const std::string_view word = Trim(text);
    if (EqualsIgnoringAsciiCase(word, "true")) return true;
    if (EqualsIgnoringAsciiCase(word, "false")) return false;
    double number = 0;
    return ParseNumber(word, number) ? number != 0 : fallback;
}

std::string FormatBoolean(bool value) { return value ? "True" : "False"; }

int ParseInterval(std::string_view text, int fallback) {
    double number = 0;
    if (!ParseNumber(text, number) || number != std::floor(number)) return fallback;
    if (number < 1 || number > 2147483647.0) return fallback;
    return static_cast<int>(number);
}

int ParseColumnWidth(std::string_view text, int fallback) {
    constexpr double kWidestColumn = 1440.0 * 100;  // a hundred inches
    double number = 0;
    if (!ParseNumber(text, number) || number < 0 || number > kWidestColumn) return fallback;
    return static_cast<int>(std::lround(number));
}

Detection ParseDetection(std::string_view text) {
    const std::string_view word = Trim(text);
    if (EqualsIgnoringAsciiCase(word, "Events")) return Detection::Events;
    if (EqualsIgnoringAsciiCase(word, "Scan")) return Detection::Scan;
    return Detection::Auto;
}

const char* FormatDetection(Detection detection) {
    switch (detection) {
    case Detection::Events: return "Events";
    case Detection::Scan: return "Scan";
    case Detection::Auto: break;
    }
    return "Auto";
}

}  // namespace qov
