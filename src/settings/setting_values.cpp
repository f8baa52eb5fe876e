#include "settings/setting_values.h"

#include <charconv>
#include <cmath>

namespace qov {
namespace {

std::string_view Trim(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

// A whole decimal number, or nothing.
bool ParseDouble(std::string_view text, double& value) {
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
    if (ParseDouble(word, number)) return number != 0;
    return fallback;
}

std::string FormatBoolean(bool value) { return value ? "True" : "False"; }

std::int32_t ParseInterval(std::string_view text, std::int32_t fallback) {
    double number = 0;
    if (!ParseDouble(text, number) || number != std::floor(number)) return fallback;
    if (number < 1 || number > 2147483647.0) return fallback;
    return static_cast<std::int32_t>(number);
}

std::string FormatInteger(std::int32_t value) { return std::to_string(value); }

int ParseColumnWidth(std::string_view text, int fallback) {
    constexpr double kWidestColumn = 1440.0 * 100;  // a hundred inches
    double number = 0;
    if (!ParseDouble(text, number) || number < 0 || number > kWidestColumn) return fallback;
    return static_cast<int>(std::lround(number));
}

}  // namespace qov
