#include <gtest/gtest.h>

#include <string>

#include "platform/sim/sim_desktop.h"
#include "window_model/window_proc.h"

namespace qov {
namespace {

class WindowProcTest : public ::testing::Test {
protected:
    sim::SimDesktop desktop;
    Settings settings;
    WindowProc proc{desktop, settings};
    WindowTable found;

    std::vector<WindowHandle> Found() const {
        std::vector<WindowHandle> handles;
        for (int i = 1; i <= found.Count(); ++i) handles.push_back(found[i]);
        return handles;
    }
};

TEST_F(WindowProcTest, SystemTitlesMatchAnywhereInAnyCase) {
    struct Case {
        const char* title;
        bool system;
    };
    const Case cases[] = {
        {"Console", true},          {"Default IME", true},       {"ddeml", true},
        {"Program Manager", true},  {"program manager x", true}, {"V O V", true},
        {"V O V　＜設定＞", true},  {"QOV　＜バージョン情報＞", true},
        {"Notepad", false},         {"Program Manage", false},   {"", false},
        {"V O  V", false},
    };
    for (const Case& c : cases) {
        const WindowHandle w = desktop.CreateWindow(c.title, "C");
        EXPECT_EQ(proc.IsSystemWindow(w), c.system) << c.title;
    }
}

TEST_F(WindowProcTest, ExclusionEntriesAreCaseBlindSubstrings) {
    settings.ExcludedTitles = {"memo", "a longer entry than the title"};
    const WindowHandle memo = desktop.CreateWindow("My MEMO pad", "C");
    const WindowHandle shortTitle = desktop.CreateWindow("a longer entry", "C");
    const WindowHandle other = desktop.CreateWindow("Calculator", "C");
    EXPECT_TRUE(proc.IsExcludedWindow(memo));
    EXPECT_FALSE(proc.IsExcludedWindow(shortTitle));
    EXPECT_FALSE(proc.IsExcludedWindow(other));
    settings.ExcludedTitles.clear();
    EXPECT_FALSE(proc.IsExcludedWindow(memo));
}

TEST_F(WindowProcTest, EmptyEntryMatchesEveryTitledWindowButNoUntitledOne) {
    settings.ExcludedTitles = {""};
    EXPECT_TRUE(proc.IsExcludedWindow(desktop.CreateWindow("x", "C")));
    EXPECT_FALSE(proc.IsExcludedWindow(desktop.CreateWindow("", "C")));
}

TEST_F(WindowProcTest, FiltersFollowTheSettingsAtEveryCall) {
    const WindowHandle untitled = desktop.CreateWindow("", "C");
    const WindowHandle ime = desktop.CreateWindow("Default IME", "IME");
    const WindowHandle excluded = desktop.CreateWindow("secret memo", "C");
    const WindowHandle plain = desktop.CreateWindow("Notepad", "C");
    settings.ExcludedTitles = {"MEMO", "IME"};

    EXPECT_FALSE(proc.PassesFilters(untitled));
    EXPECT_FALSE(proc.PassesFilters(ime));
    EXPECT_FALSE(proc.PassesFilters(excluded));
    EXPECT_TRUE(proc.PassesFilters(plain));

    settings.ShowNoname = true;  // untitled windows skip the title lists
    settings.ExcludedTitles.push_back("");
    EXPECT_TRUE(proc.PassesFilters(untitled));
    settings.SystemWindow = true;  // still excluded by the user's "IME"
    EXPECT_FALSE(proc.PassesFilters(ime));
    settings.NotVWindow = true;
    EXPECT_TRUE(proc.PassesFilters(ime));
    EXPECT_TRUE(proc.PassesFilters(excluded));

    desktop.DestroyWindow(plain);
    EXPECT_FALSE(proc.PassesFilters(plain));
}

TEST_F(WindowProcTest, StatusReadsPlacementVisibilityAndForeground) {
    const WindowHandle w = desktop.CreateWindow("A", "C", {0, 0, 10, 10}, kShowStateMinimized, false);
    EXPECT_EQ(proc.GetWindowStatus(w), "非表示");
    desktop.SetForeground(w);
    EXPECT_EQ(proc.GetWindowStatus(w), "非表示(Act)");
    desktop.SetVisible(w, true);
    desktop.SetShowState(w, kShowStateNormal);
    EXPECT_EQ(proc.GetWindowStatus(w), "通常(Act)");
    desktop.DestroyWindow(w);
    EXPECT_EQ(proc.GetWindowStatus(w), "");
}

TEST_F(WindowProcTest, EnumerationKeepsOrderAndAppliesFilters) {
    const WindowHandle a = desktop.CreateWindow("Alpha", "C");
    desktop.CreateWindow("", "C");
    desktop.CreateWindow("Program Manager", "Progman");
    const WindowHandle b = desktop.CreateWindow("Beta", "C");
    EXPECT_EQ(proc.Enumerate(found), EnumerationResult::Complete);
    EXPECT_EQ(Found(), (std::vector<WindowHandle>{b, a}));  // newest first on this desktop
}

TEST_F(WindowProcTest, EnumerationWithNothingPassing) {
    desktop.CreateWindow("", "C");
    found.Append(desktop.CreateWindow("Default IME", "IME"));  // stale content goes
    EXPECT_EQ(proc.Enumerate(found), EnumerationResult::Complete);
    EXPECT_EQ(found.Count(), 0);
}

TEST_F(WindowProcTest, EnumerationCapacityAndOverflow) {
    for (int i = 0; i < MaxWindows; ++i) desktop.CreateWindow("w" + std::to_string(i), "C");
    std::vector<std::string> titles;
    EXPECT_EQ(proc.Enumerate(found, &titles), EnumerationResult::Complete);
    EXPECT_EQ(found.Count(), MaxWindows);
    ASSERT_EQ(titles.size(), std::size_t(MaxWindows) + 1);
    EXPECT_EQ(titles[1], desktop.Window(found[1])->title);

    desktop.CreateWindow("one more", "C");
    EXPECT_EQ(proc.Enumerate(found), EnumerationResult::Overflow);
    EXPECT_EQ(found.Count(), MaxWindows);
    // Untitled windows past the capacity do not count while they are filtered out.
    desktop.DestroyWindow(found[1]);
    desktop.CreateWindow("", "C");
    EXPECT_EQ(proc.Enumerate(found), EnumerationResult::Complete);
}

TEST_F(WindowProcTest, WindowVanishingDuringEnumerationIsNotTaken) {
    const WindowHandle a = desktop.CreateWindow("Alpha", "C");
    const WindowHandle b = desktop.CreateWindow("Beta", "C");
    desktop.onEnumerate = [&](WindowHandle w) {
        if (w == b) desktop.DestroyWindow(b);
    };
    proc.Enumerate(found);
    EXPECT_EQ(Found(), (std::vector<WindowHandle>{a}));
}

TEST_F(WindowProcTest, LongTitlesAreJudgedByTheirFirst254Units) {
    const std::string tail = "IME";
    desktop.CreateWindow(std::string(254, 'x') + tail, "C");
    proc.Enumerate(found);
    ASSERT_EQ(found.Count(), 1);
    EXPECT_EQ(proc.WindowTitle(found[1]).size(), 254u);
}

// Enumerations remember their verdicts on titles; each setting the filters
// read must still act at the next enumeration, and during one too when it
// changes while the caller lets events run.
TEST_F(WindowProcTest, EnumerationFollowsEverySettingChange) {
    const WindowHandle memo = desktop.CreateWindow("memo", "C");
    const WindowHandle untitled = desktop.CreateWindow("", "C");
    const WindowHandle ole = desktop.CreateWindow("OLE window", "C");
    const struct {
        const char* name;
        void (*change)(Settings&);
        std::vector<WindowHandle> (*expected)(WindowHandle memo, WindowHandle untitled,
                                              WindowHandle ole);
    } steps[] = {
        {"defaults", [](Settings&) {}, [](WindowHandle m, WindowHandle, WindowHandle) {
             return std::vector<WindowHandle>{m};
         }},
        {"excluded title", [](Settings& s) { s.ExcludedTitles = {"MEMO"}; },
         [](WindowHandle, WindowHandle, WindowHandle) { return std::vector<WindowHandle>{}; }},
        {"exclusions ignored", [](Settings& s) { s.NotVWindow = true; },
         [](WindowHandle m, WindowHandle, WindowHandle) { return std::vector<WindowHandle>{m}; }},
        {"untitled shown", [](Settings& s) { s.ShowNoname = true; },
         [](WindowHandle m, WindowHandle u, WindowHandle) { return std::vector<WindowHandle>{u, m}; }},
        {"system shown", [](Settings& s) { s.SystemWindow = true; },
         [](WindowHandle m, WindowHandle u, WindowHandle o) {
             return std::vector<WindowHandle>{o, u, m};
         }},
        {"system list changed", [](Settings& s) { s.SystemWindow = false; s.SystemTitles = {"memo"}; },
         [](WindowHandle, WindowHandle u, WindowHandle o) { return std::vector<WindowHandle>{o, u}; }},
    };
    for (const auto& step : steps) {
        step.change(settings);
        proc.Enumerate(found);
        EXPECT_EQ(Found(), step.expected(memo, untitled, ole)) << step.name;
    }

    settings = Settings{};
    proc.Enumerate(found);
    // A change while the enumeration lets events run acts on the windows after it.
    proc.Enumerate(found, nullptr, [&] {
        settings.ExcludedTitles = {"memo"};
        return true;
    });
    EXPECT_EQ(Found(), std::vector<WindowHandle>{});
}

TEST(CutAtNull, StopsAtTheFirstNul) {
    EXPECT_EQ(CutAtNull(std::string("ab\0cd", 5)), "ab");
    EXPECT_EQ(CutAtNull("abc"), "abc");
    EXPECT_EQ(CutAtNull(std::string("\0x", 2)), "");
}

}  // namespace
}  // namespace qov
