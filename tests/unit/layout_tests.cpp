#include <gtest/gtest.h>

#include "core/layout.h"
#include "fakes/fake_store.h"

namespace qov {
namespace {

const LayoutEntry kNotepad{{0x2031A, "Notepad", "メモ - Notepad", "C:\\Windows\\notepad.exe"},
                           ShowState::Normal, WindowRect{-1200, 80, -400, 680}, false, {7, 0, 7, 7},
                           "\\\\.\\DISPLAY2", 144};

TEST(LayoutText, AnEntryWithAFieldMissingOrUnreadableIsRefusedUnknownFieldsAreNot) {
    const std::string good = FormatLayoutEntry(kNotepad);
    const auto with = [&](const std::string& field, const std::string& value) {
        const std::size_t start = good.find(field + "=");
        const std::size_t end = std::min(good.find(';', start), good.size());
        return good.substr(0, start) + (value == "-" ? "" : field + "=" + value) +
               (value == "-" && end < good.size() ? good.substr(end + 1) : good.substr(end));
    };
    EXPECT_TRUE(ParseLayoutEntry("later=1;" + good + ";extra=%41;colour=red"));
    EXPECT_TRUE(ParseLayoutEntry(with("title", "")));
    EXPECT_EQ(ParseLayoutEntry(with("borders", "-"))->borders, InvisibleBorders{}) << "borders are optional";
    EXPECT_EQ(ParseLayoutEntry(with("monitor", "-"))->monitor, "") << "the monitor is optional";
    EXPECT_EQ(ParseLayoutEntry(with("dpi", "-"))->dpi, 0) << "the DPI is optional";
    const std::string refused[] = {
        "", "junk", good + ";novalue", with("handle", "-"), with("state", "-"), with("normal", "-"),
        with("topmost", "-"), with("class", "-"), with("title", "-"), with("image", "-"),
        with("handle", "12a"), with("handle", "99999999999"), with("handle", "0x10"),
        with("state", "hidden"), with("state", "Normal"), with("topmost", "2"),
        with("normal", "unknown") /* a normal window's place is known */,
        with("normal", "1,2,3"), with("normal", "1,2,3,4,5"), with("normal", "a,b,c,d"),
        with("normal", "0,0,100001,10"), with("normal", "10,0,10,10"), with("normal", "0,20,10,10"),
        with("class", ""), with("class", "a%G1"), with("title", "a%4"), with("borders", "7,0,7"),
        with("borders", "65,0,0,0"), with("monitor", "%4"), with("dpi", "47"), with("dpi", "961"),
    };
    for (const std::string& text : refused) EXPECT_FALSE(ParseLayoutEntry(text)) << text;
}

// Texts may hold anything; a stored entry stays one line.
TEST(LayoutStore, ALayoutReadsBackAsSavedReplacesTheLastAndSkipsBrokenEntries) {
    const LayoutEntry odd{{-5, "Cls;=%", "tab\there\r\nline=1;2 %41 \x01 日本語", ""},
                          ShowState::Minimized, WindowRect{-100000, -100000, 100000, 100000}, true, {}};
    // The stored form itself: a later version reads what this one wrote.
    EXPECT_EQ(FormatLayoutEntry(odd),
              "handle=-5;state=minimized;normal=-100000,-100000,100000,100000;topmost=1;class=Cls%3B%3D%25;"
              "title=tab%09here%0D%0Aline%3D1%3B2 %2541 %01 日本語;image=");
    fakes::FakeStore store;
    const LayoutEntry placeUnknown{{7, "X", "", "D:\\a b\\c.exe"}, ShowState::Maximized, std::nullopt, false, {}};
    const std::vector<LayoutEntry> three{kNotepad, odd, placeUnknown};
    SaveLayout(store, three);
    EXPECT_EQ(LoadLayout(store), three);
    SaveLayout(store, std::vector{odd});
    EXPECT_EQ(LoadLayout(store), std::vector{odd});
    EXPECT_FALSE(store.values.contains("Window2")) << "an entry of the longer layout outlived it";

    store.values = {{"Count", "5"}, {"Window1", "junk"}, {"Window2", FormatLayoutEntry(odd)},
                    {"Window4", FormatLayoutEntry(kNotepad)}, {"Window5", "handle=1"},
                    {"Window6", FormatLayoutEntry(kNotepad)}};
    EXPECT_EQ(LoadLayout(store), (std::vector{odd, kNotepad}));
    for (const char* count : {"", "x", "-3", "0", "99999999999"}) {
        store.values["Count"] = count;
        EXPECT_TRUE(LoadLayout(store).empty()) << count;
    }
}

// The size stays the same in the user's terms: 800 pixels at 100% are 1200 at 150%.
TEST(LayoutScaling, ASavedSizeFollowsTheDpiOfTheMonitorItGoesTo) {
    const std::vector<Monitor> monitors{
        {{0, 0, 1920, 1080}, {0, 0, 1920, 1040}, "\\\\.\\DISPLAY1", 96},
        {{1920, 0, 4480, 1440}, {1920, 0, 4480, 1400}, "\\\\.\\DISPLAY2", 144},
    };
    const WindowRect onFirst{100, 100, 900, 700}, onSecond{2000, 100, 3200, 1000};
    const struct {
        const char* name;
        WindowRect saved;
        std::string monitor;
        int dpi;
        WindowRect expected;
    } cases[] = {
        {"its monitor, scaled up since", onFirst, "\\\\.\\DISPLAY2", 96, {100, 100, 1300, 1000}},
        {"its monitor found by name wherever the rectangle lies", onSecond, "\\\\.\\DISPLAY1", 144, {2000, 100, 2800, 700}},
        {"its monitor gone: the one it lies on", onFirst, "\\\\.\\DISPLAY9", 144, {100, 100, 633, 500}},
        {"no monitor saved: the one it lies on", onSecond, "", 96, {2000, 100, 3800, 1450}},
        {"no DPI saved (an older layout)", onFirst, "\\\\.\\DISPLAY2", 0, onFirst},
        {"rounded to the nearest pixel", {0, 0, 101, 99}, "\\\\.\\DISPLAY1", 144, {0, 0, 67, 66}},
    };
    for (const auto& c : cases) {
        LayoutEntry entry = kNotepad;
        entry.normal = c.saved, entry.monitor = c.monitor, entry.dpi = c.dpi;
        EXPECT_EQ(ScaledToMonitor(entry, monitors), c.expected) << c.name;
    }
}

TEST(LayoutMatching, EachSavedWindowFindsItsWindowByHandleThenTitleThenAsTheOnlyOne) {
    const std::string editor = "C:\\e.exe", viewer = "C:\\v.exe";
    const auto saved = [](WindowHandle h, std::string cls, std::string title, std::string image) {
        return LayoutEntry{{h, std::move(cls), std::move(title), std::move(image)}, ShowState::Normal, std::nullopt, false, {}};
    };
    using Found = std::vector<std::optional<std::size_t>>;
    const struct {
        const char* name;
        std::vector<LayoutEntry> entries;
        std::vector<WindowIdentity> windows;
        Found expected;
    } cases[] = {
        {"same handle, title changed", {saved(8, "Ed", "a.txt", editor)},
         {{4, "Ed", "a.txt", editor}, {8, "Ed", "b.txt", editor}}, {1}},
        {"handle reused by another program", {saved(8, "Ed", "a.txt", editor)},
         {{8, "Ed", "a.txt", viewer}, {12, "Ed", "a.txt", editor}}, {1}},
        {"handle reused by another class", {saved(8, "Ed", "a.txt", editor)}, {{8, "Dlg", "a.txt", editor}}, {std::nullopt}},
        {"two windows of one program by their titles",
         {saved(1, "Ed", "a.txt", editor), saved(2, "Ed", "b.txt", editor)},
         {{20, "Ed", "b.txt", editor}, {10, "Ed", "a.txt", editor}}, {1, 0}},
        {"a handle match is not taken by an earlier title match",
         {saved(1, "Ed", "same", editor), saved(30, "Ed", "same", editor)},
         {{30, "Ed", "same", editor}, {40, "Ed", "same", editor}}, {1, 0}},
        {"the only window of its program and class", {saved(1, "Ed", "old title", editor)},
         {{50, "Ed", "new title", editor}, {60, "Other", "new title", editor}}, {0}},
        {"none left for the second", {saved(1, "Ed", "x", editor), saved(2, "Ed", "y", editor)},
         {{50, "Ed", "z", editor}}, {0, std::nullopt}},
        {"two windows and no title to tell them apart", {saved(1, "Ed", "x", editor)},
         {{50, "Ed", "y", editor}, {60, "Ed", "z", editor}}, {std::nullopt}},
        {"an unknown image matches by handle only", {saved(1, "Ed", "x", ""), saved(2, "Ed", "x", "")},
         {{1, "Ed", "other", ""}, {3, "Ed", "x", ""}}, {0, std::nullopt}},
    };
    for (const auto& c : cases) EXPECT_EQ(MatchLayout(c.entries, c.windows), c.expected) << c.name;
}

}  // namespace
}  // namespace qov
