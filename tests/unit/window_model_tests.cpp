#include <gtest/gtest.h>

#include "core/window_model.h"
#include "fakes/fake_desktop.h"

namespace qov {
namespace {

struct Model {
    fakes::FakeDesktop desktop;
    Settings settings;
    WindowModel model{desktop, settings};
    WindowTable found;
};

TEST(WindowStatus, ShowStateVisibilityAndForegroundGiveTextIconAndRectangle) {
    using enum ShowState;
    const struct {
        ShowState state;
        bool visible, foreground;
        const char* text;
        StatusIcon icon;
        bool showsRectangle;
    } cases[] = {
        {Normal, true, false, "通常", NormalIcon, true}, {Normal, true, true, "通常(Act)", NormalIcon, true},
        {Minimized, true, false, "最小化", MinimizedIcon, false},
        {Maximized, true, true, "最大化(Act)", MaximizedIcon, true},
        {Minimized, false, true, "非表示(Act)", HiddenIcon, false},
        {Maximized, false, false, "非表示", HiddenIcon, false},
        {Unknown, true, false, "", NoIcon, false}, {Unknown, false, true, "(Act)", NoIcon, false},
    };
    for (const auto& c : cases) {
        Model m;
        const WindowHandle w = m.desktop.Add("A", {.state = c.state, .visible = c.visible});
        EXPECT_EQ(m.model.Status(w, c.foreground ? w : 0), c.text);
        EXPECT_EQ(StatusIconFor(c.text), c.icon) << c.text;
        EXPECT_EQ(StatusShowsRectangle(c.text), c.showsRectangle) << c.text;
    }
    for (const char* odd : {"通常 ", "通常(act)", "(Act)通常", "最大化(Act)(Act)", "通常通常"})
        EXPECT_EQ(StatusIconFor(odd), NoIcon) << odd;
    Model gone;
    EXPECT_EQ(gone.model.Status(0x777, 0), "");
}

TEST(WindowFilters, TitlesPassByEverySetting) {
    const struct {
        const char* title;
        void (*tweak)(Settings&);
        bool passes;
    } cases[] = {
        {"Notepad", [](Settings&) {}, true}, {"", [](Settings&) {}, false},
        {"", [](Settings& s) { s.showUntitled = true, s.excludedTitles = {""}; }, true},
        {"Console", [](Settings&) {}, false},  // "OLE" in any case, inside a word
        {"V O V　＜設定＞", [](Settings&) {}, false}, {"ｑｏｖ", [](Settings&) {}, false},
        {"Program Manager", [](Settings& s) { s.showSystemWindows = true; }, true},
        {"My MEMO pad", [](Settings& s) { s.excludedTitles = {"x", "memo"}; }, false},
        {"My MEMO", [](Settings& s) { s.excludedTitles = {"memo"}, s.ignoreExclusions = true; }, true},
        {"a longer entry", [](Settings& s) { s.excludedTitles = {"a longer entry than it"}; }, true},
        {"IME", [](Settings& s) { s.showSystemWindows = true, s.excludedTitles = {"ime"}; }, false},
    };
    for (const auto& c : cases) {
        Model m;
        c.tweak(m.settings);
        EXPECT_EQ(m.model.TitlePassesFilters(c.title), c.passes) << '"' << c.title << '"';
    }
}

// Verdicts are remembered by title; a changed filter must act at the next
// enumeration, and during one on the windows after the change.
TEST(WindowEnumeration, FollowsFilterChangesBetweenAndDuringEnumerations) {
    Model m;
    const WindowHandle untitled = m.desktop.Add(""), calc = m.desktop.Add("calc");
    const WindowHandle memo = m.desktop.Add("memo");  // enumerated first
    const struct {
        void (*change)(Settings&);
        std::vector<WindowHandle> expected;
    } steps[] = {
        {[](Settings&) {}, {memo, calc}},
        {[](Settings& s) { s.excludedTitles = {"MEMO"}; }, {calc}},
        {[](Settings& s) { s.ignoreExclusions = true; }, {memo, calc}},
        {[](Settings& s) { s.showUntitled = true; }, {memo, calc, untitled}},
        {[](Settings& s) { s.showUntitled = false, s.systemTitles = {"calc"}; }, {memo}},
        {[](Settings& s) { s.showSystemWindows = true; }, {memo, calc}},
    };
    auto found = [&] {
        std::vector<WindowHandle> handles;
        for (int i = 1; i <= m.found.Count(); ++i) handles.push_back(m.found[i]);
        return handles;
    };
    for (const auto& step : steps) {
        step.change(m.settings);
        EXPECT_EQ(m.model.Enumerate(m.found), EnumerationResult::Complete);
        EXPECT_EQ(found(), step.expected);
    }
    m.settings = Settings{};
    m.model.Enumerate(m.found);  // remembers "calc" passing
    m.model.Enumerate(m.found, nullptr, [&] { return m.settings.excludedTitles = {"calc"}, true; });
    EXPECT_EQ(found(), std::vector<WindowHandle>{memo});
    EXPECT_EQ(m.model.Enumerate(m.found, nullptr, [] { return false; }), EnumerationResult::Stopped);
}

TEST(WindowEnumeration, TitleChoicesAreTheListedTitlesCutAtNulTheFirstThousandAtMost) {
    Model m;
    for (const std::string& title : {std::string("ab\0cd", 5), std::string("IME"), std::string("z")})
        m.desktop.Add(title);
    EXPECT_EQ(TitleChoices(m.model), (std::vector<std::string>{"z", "ab"}));
    for (int i = 0; i < kMaxWindows; ++i) m.desktop.Add("w" + std::to_string(i));
    std::vector<std::string> titles;
    EXPECT_EQ(m.model.Enumerate(m.found, &titles), EnumerationResult::Overflow);
    EXPECT_EQ(m.found.Count(), kMaxWindows);
    EXPECT_EQ(titles.back(), "w0");
    EXPECT_EQ(TitleChoices(m.model).size(), std::size_t(kMaxWindows));
}

}  // namespace
}  // namespace qov
