#include <gtest/gtest.h>

#include "window_model/window_status.h"

namespace qov {
namespace {

TEST(StatusText, ShowStateVisibilityAndForegroundMark) {
    struct Case {
        int showState;
        bool visible;
        bool foreground;
        const char* expected;
    };
    const Case cases[] = {
        {1, true, false, "通常"},       {2, true, false, "最小化"},
        {3, true, false, "最大化"},     {1, false, false, "非表示"},
        {2, false, true, "非表示(Act)"}, {3, true, true, "最大化(Act)"},
        {0, true, false, ""},           {4, true, true, "(Act)"},
        {-1, false, false, ""},         {0, false, true, "(Act)"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(StatusText(c.showState, c.visible, c.foreground), c.expected)
            << "show state " << c.showState << " visible " << c.visible;
}

TEST(StatusIconIndex, WholeTextsOnlyExactly) {
    struct Case {
        const char* status;
        int icon;
    };
    const Case cases[] = {
        {"最大化", 1}, {"最大化(Act)", 1}, {"最小化", 2}, {"最小化(Act)", 2},
        {"通常", 3},   {"通常(Act)", 3},   {"非表示", 4}, {"非表示(Act)", 4},
        {"", 0},       {"(Act)", 0},       {"通常 ", 0},  {"通常(act)", 0},
        {"通常(Act) ", 0}, {"(Act)通常", 0}, {"通常通常", 0}, {"最大化(Act)(Act)", 0},
    };
    for (const Case& c : cases) EXPECT_EQ(StatusIconIndex(c.status), c.icon) << c.status;
}

TEST(StatusShowsRectangle, OnlyNormalAndMaximised) {
    EXPECT_TRUE(StatusShowsRectangle("通常"));
    EXPECT_TRUE(StatusShowsRectangle("最大化(Act)"));
    EXPECT_FALSE(StatusShowsRectangle("最小化"));
    EXPECT_FALSE(StatusShowsRectangle("非表示(Act)"));
    EXPECT_FALSE(StatusShowsRectangle("(Act)"));
}

}  // namespace
}  // namespace qov
