#include <gtest/gtest.h>

#include <tuple>

#include "main_window/version_wnd.h"
#include "platform/sim/sim_toolkit.h"

namespace qov {
namespace {

class VersionWndTest : public ::testing::Test {
protected:
    sim::SimToolkit toolkit;
    VersionWnd box{toolkit};
    sim::SimForm& Form() { return static_cast<sim::SimForm&>(box.Window()); }
};

TEST_F(VersionWndTest, LayoutAsDesigned) {
    EXPECT_EQ(Form().Args().caption, "QOV\u3000＜バージョン情報＞");
    EXPECT_EQ(Form().Args().clientWidth, 4680);
    EXPECT_EQ(Form().Args().clientHeight, 2940);
    EXPECT_EQ(Form().Args().style, FormStyle::FixedSingle);
    EXPECT_FALSE(box.Window().Visible());
    const std::tuple<const Label*, TwipsRect, float> labels[] = {
        {&box.Label1, {120, 120, 4455, 375}, 15.75f},
        {box.Label2[0], {1200, 480, 2175, 255}, 12.0f},
        {box.Label2[1], {240, 960, 4215, 255}, 9.0f},
        {box.Label2[2], {840, 1200, 2895, 255}, 9.0f},
        {box.Label2[3], {1080, 1560, 2655, 255}, 11.25f},
        {box.Label2[4], {1080, 1920, 2535, 255}, 9.0f},
        {box.Label2[5], {1200, 2160, 2295, 255}, 9.0f},
    };
    for (const auto& [control, bounds, points] : labels) {
        const auto& label = static_cast<const sim::SimLabel&>(*control);
        EXPECT_FALSE(label.Text().empty());
        EXPECT_EQ(label.Bounds(), bounds) << label.Text();
        EXPECT_EQ(label.Font().face, "Arial");
        EXPECT_EQ(label.Font().points, points) << label.Text();
        EXPECT_TRUE(label.Font().bold);
        EXPECT_EQ(label.Centred(), control == &box.Label1) << label.Text();
    }
    EXPECT_EQ(box.Label1.Text(), "V.O.V");
    EXPECT_EQ(box.Label2[3]->Text(), "Version 1.00(1999/11/28)");
    EXPECT_EQ(Form().Children().back().caption, "閉じる");
    EXPECT_EQ(box.Command1.Bounds(), (TwipsRect{120, 2520, 4455, 375}));
    const FontSpec& buttonFont = static_cast<const sim::SimButton&>(box.Command1).Font();
    EXPECT_EQ(buttonFont.face, "ＭＳ Ｐゴシック");
    EXPECT_TRUE(buttonFont.bold);
}

TEST_F(VersionWndTest, CloseButtonAndCloseBoxHideTheSameBox) {
    const WindowHandle handle = box.Window().Handle();
    box.Show();
    static_cast<sim::SimButton&>(box.Command1).Click();
    EXPECT_FALSE(box.Window().Visible());
    box.Show();
    EXPECT_FALSE(Form().QueryClose(UnloadMode::CloseBox));
    EXPECT_TRUE(box.Window().Loaded());
    EXPECT_FALSE(box.Window().Visible());
    box.Show();
    EXPECT_TRUE(box.Window().Visible());
    EXPECT_EQ(box.Window().Handle(), handle);
}

}  // namespace
}  // namespace qov
