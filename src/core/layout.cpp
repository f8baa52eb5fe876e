#include "core/layout.h"

#include <array>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <map>

#include "core/window_model.h"

namespace qov {
namespace {

constexpr const char* kFormatKey = "Format";
constexpr const char* kCountKey = "Count";
constexpr const char* kFormat = "1";

std::string EntryKey(std::size_t position) { return "Window" + std::to_string(position); }

constexpr std::array<std::pair<ShowState, std::string_view>, 3> kStateNames{{
    {ShowState::Normal, "normal"},
    {ShowState::Minimized, "minimized"},
    {ShowState::Maximized, "maximized"},
}};

bool NeedsEscape(unsigned char c) { return c < 0x20 || c == 0x7F || c == '%' || c == ';' || c == '='; }

std::string Escape(std::string_view text) {
    std::string escaped;
    for (const char c : text) {
        if (!NeedsEscape(static_cast<unsigned char>(c))) {
            escaped.push_back(c);
            continue;
        }
        char code[4];
        std::snprintf(code, sizeof code, "%%%02X", static_cast<unsigned char>(c));
        escaped += code;
    }
    return escaped;
}

std::optional<std::string> Unescape(std::string_view text) {
    std::string plain;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            plain.push_back(text[i]);
            continue;
        }
        unsigned value = 0;
        const char* digits = text.data() + i + 1;
        if (i + 2 >= text.size() ||
            std::from_chars(digits, digits + 2, value, 16).ptr != digits + 2) {
            return std::nullopt;
        }
        plain.push_back(static_cast<char>(value));
        i += 2;
    }
    return plain;
}

// The whole text as one decimal number, or nothing.
template <typename Number>
std::optional<Number> ParseNumber(std::string_view text) {
    Number value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size() || text.empty()) return std::nullopt;
    return value;
}

// Four comma-separated numbers, each from `low` to `high`.
std::optional<std::array<int, 4>> ParseFour(std::string_view text, int low, int high) {
    std::array<int, 4> numbers{};
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        const std::size_t comma = i + 1 < numbers.size() ? text.find(',') : text.size();
        if (comma == std::string_view::npos) return std::nullopt;
        const auto number = ParseNumber<int>(text.substr(0, comma));
        if (!number || *number < low || *number > high) return std::nullopt;
        numbers[i] = *number;
        text.remove_prefix(std::min(text.size(), comma + 1));
    }
    return numbers;
}

std::optional<WindowRect> ParseRect(std::string_view text) {
    const auto edges = ParseFour(text, -kLargestCoordinate, kLargestCoordinate);
    if (!edges) return std::nullopt;
    const WindowRect rect{(*edges)[0], (*edges)[1], (*edges)[2], (*edges)[3]};
    if (rect.right <= rect.left || rect.bottom <= rect.top) return std::nullopt;
    return rect;
}

std::optional<InvisibleBorders> ParseBorders(std::string_view text) {
    const auto sides = ParseFour(text, 0, kWidestInvisibleBorder);
    if (!sides) return std::nullopt;
    return InvisibleBorders{(*sides)[0], (*sides)[1], (*sides)[2], (*sides)[3]};
}

std::optional<ShowState> ParseState(std::string_view text) {
    for (const auto& [state, name] : kStateNames)
        if (name == text) return state;
    return std::nullopt;
}

std::string_view StateName(ShowState state) {
    for (const auto& [known, name] : kStateNames)
        if (known == state) return name;
    return "unknown";  // never saved: the reader skips it
}

// A field's value read by `parse`; nothing when the field is missing.
template <typename Parse>
auto Parsed(std::optional<std::string_view> text, Parse parse) -> decltype(parse(*text)) {
    return text ? parse(*text) : std::nullopt;
}

// The fields of one entry by name; nothing when a field has no '='.
std::optional<std::map<std::string_view, std::string_view>> SplitFields(std::string_view text) {
    std::map<std::string_view, std::string_view> fields;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find(';'), text.size());
        const std::string_view field = text.substr(0, end);
        const std::size_t equals = field.find('=');
        if (equals == std::string_view::npos) return std::nullopt;
        fields[field.substr(0, equals)] = field.substr(equals + 1);
        text.remove_prefix(std::min(text.size(), end + 1));
    }
    return fields;
}

constexpr std::string_view kUnknownNormal = "unknown";

// A rectangle, or nothing for an unknown normal place.
std::optional<std::optional<WindowRect>> ParseNormal(std::string_view text) {
    if (text == kUnknownNormal) return std::optional<WindowRect>{};
    if (const auto rect = ParseRect(text)) return rect;
    return std::nullopt;
}

std::string NormalField(const std::optional<WindowRect>& normal) {
    if (!normal) return std::string(kUnknownNormal);
    const WindowRect& r = *normal;
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
           std::to_string(r.bottom);
}

std::string MonitorFields(const LayoutEntry& entry) {
    std::string fields;
    if (!entry.monitor.empty()) fields += ";monitor=" + Escape(entry.monitor);
    if (entry.dpi != 0) fields += ";dpi=" + std::to_string(entry.dpi);
    return fields;
}

std::optional<int> ParseDpi(std::string_view text) {
    const auto dpi = ParseNumber<int>(text);
    if (!dpi || *dpi < kLowestDpi || *dpi > kHighestDpi) return std::nullopt;
    return dpi;
}

// `length` * to / from, rounded to the nearest.
int Scaled(int length, int to, int from) {
    return static_cast<int>((std::int64_t{length} * to * 2 + from) / (std::int64_t{from} * 2));
}

std::string BordersField(const InvisibleBorders& b) {
    if (b == InvisibleBorders{}) return {};
    return ";borders=" + std::to_string(b.left) + "," + std::to_string(b.top) + "," +
           std::to_string(b.right) + "," + std::to_string(b.bottom);
}

}  // namespace

std::string FormatLayoutEntry(const LayoutEntry& entry) {
    return "handle=" + std::to_string(entry.identity.handle) +
           ";state=" + std::string(StateName(entry.state)) + ";normal=" + NormalField(entry.normal) +
           ";topmost=" + (entry.topmost ? "1" : "0") +
           ";class=" + Escape(entry.identity.className) + ";title=" + Escape(entry.identity.title) +
           ";image=" + Escape(entry.identity.imagePath) + BordersField(entry.borders) + MonitorFields(entry);
}

std::optional<LayoutEntry> ParseLayoutEntry(std::string_view text) {
    const auto fields = SplitFields(text);
    if (!fields) return std::nullopt;
    const auto field = [&](std::string_view name) -> std::optional<std::string_view> {
        const auto found = fields->find(name);
        return found == fields->end() ? std::nullopt : std::optional(found->second);
    };
    const auto handle = Parsed(field("handle"), ParseNumber<WindowHandle>);
    const auto state = Parsed(field("state"), ParseState);
    const auto normal = Parsed(field("normal"), ParseNormal);
    const auto topmost = Parsed(field("topmost"), ParseNumber<int>);
    const auto className = Parsed(field("class"), Unescape);
    const auto title = Parsed(field("title"), Unescape);
    const auto imagePath = Parsed(field("image"), Unescape);
    const auto bordersText = field("borders");  // optional: none when missing
    const auto borders = bordersText ? ParseBorders(*bordersText) : InvisibleBorders{};
    // Optional too: unknown when missing.
    const auto monitor = field("monitor") ? Unescape(*field("monitor")) : std::string();
    const auto dpi = field("dpi") ? ParseDpi(*field("dpi")) : 0;
    if (!handle || !state || !normal || !topmost || (*topmost != 0 && *topmost != 1) ||
        !className || className->empty() || !title || !imagePath || !borders || !monitor || !dpi ||
        (!*normal && *state == ShowState::Normal)) {
        return std::nullopt;
    }
    return LayoutEntry{{*handle, *className, *title, *imagePath}, *state, *normal, *topmost == 1, *borders,
                       *monitor, *dpi};
}

// The old entries go first, so none of them can outlive a shorter layout. A
// store that fails to clear or write would leave another layout than the one
// reported saved, so what it holds is read back.
std::optional<std::size_t> SaveLayout(TextStore& store, std::span<const LayoutEntry> entries) {
    std::vector<LayoutEntry> readable;
    for (const LayoutEntry& entry : entries)
        if (auto stored = ParseLayoutEntry(FormatLayoutEntry(entry))) readable.push_back(*stored);
    store.Clear();
    store.Write(kFormatKey, kFormat);
    for (std::size_t n = 1; n <= readable.size(); ++n)
        store.Write(EntryKey(n), FormatLayoutEntry(readable[n - 1]));
    store.Write(kCountKey, std::to_string(readable.size()));
    if (LoadLayout(store) != readable) return std::nullopt;
    return readable.size();
}

std::vector<LayoutEntry> LoadLayout(TextStore& store) {
    const std::optional<std::string> countText = store.Read(kCountKey);
    const auto count = countText ? ParseNumber<int>(*countText) : std::nullopt;
    std::vector<LayoutEntry> entries;
    if (!count) return entries;
    for (int n = 1; n <= std::min(*count, static_cast<int>(kMaxWindows)); ++n) {
        const auto text = store.Read(EntryKey(static_cast<std::size_t>(n)));
        if (const auto entry = text ? ParseLayoutEntry(*text) : std::nullopt)
            entries.push_back(*entry);
    }
    return entries;
}

WindowRect ScaledToMonitor(const LayoutEntry& entry, std::span<const Monitor> monitors) {
    const WindowRect& rect = entry.normal.value();
    const Monitor* monitor = nullptr;
    for (const Monitor& today : monitors)
        if (!entry.monitor.empty() && today.device == entry.monitor) monitor = &today;
    if (!monitor) monitor = NearestMonitor(rect, monitors);
    if (!monitor || entry.dpi == 0 || monitor->dpi <= 0 || monitor->dpi == entry.dpi) return rect;
    return {rect.left, rect.top, rect.left + Scaled(rect.right - rect.left, monitor->dpi, entry.dpi),
            rect.top + Scaled(rect.bottom - rect.top, monitor->dpi, entry.dpi)};
}

std::vector<std::optional<std::size_t>> MatchLayout(std::span<const LayoutEntry> entries,
                                                    std::span<const WindowIdentity> candidates) {
    std::vector<std::optional<std::size_t>> matches(entries.size());
    std::vector<bool> taken(candidates.size());
    const auto sameProgram = [](const WindowIdentity& a, const WindowIdentity& b) {
        return a.className == b.className && a.imagePath == b.imagePath;
    };
    // One rule over every entry still without a window.
    const auto apply = [&](auto choose) {
        for (std::size_t e = 0; e < entries.size(); ++e) {
            if (matches[e]) continue;
            matches[e] = choose(entries[e].identity);
            if (matches[e]) taken[*matches[e]] = true;
        }
    };
    apply([&](const WindowIdentity& saved) -> std::optional<std::size_t> {
        for (std::size_t c = 0; c < candidates.size(); ++c)
            if (!taken[c] && candidates[c].handle == saved.handle && sameProgram(candidates[c], saved))
                return c;
        return std::nullopt;
    });
    apply([&](const WindowIdentity& saved) -> std::optional<std::size_t> {
        if (saved.imagePath.empty()) return std::nullopt;
        for (std::size_t c = 0; c < candidates.size(); ++c)
            if (!taken[c] && sameProgram(candidates[c], saved) && candidates[c].title == saved.title)
                return c;
        return std::nullopt;
    });
    apply([&](const WindowIdentity& saved) -> std::optional<std::size_t> {
        if (saved.imagePath.empty()) return std::nullopt;
        std::optional<std::size_t> only;
        for (std::size_t c = 0; c < candidates.size(); ++c) {
            if (!sameProgram(candidates[c], saved)) continue;
            if (only) return std::nullopt;  // more than one: no way to tell them apart
            only = c;
        }
        return only && !taken[*only] ? only : std::nullopt;
    });
    return matches;
}

}  // namespace qov
