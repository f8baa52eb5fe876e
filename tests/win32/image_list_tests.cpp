// The toolkit's image lists as controls hold them: one painting per
// resolution, shared, and alive while any control still shows it.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "forms_test_support.h"
#include "platform/win32/win32_image_list.h"

namespace qov::win32::testing {
namespace {

using Shown = std::vector<HIMAGELIST>;

ui::ShownImageList::Show Into(Shown& shown) {
    return [&shown](HIMAGELIST images) { shown.push_back(images); };
}

TEST(ImageLists, ControlsShareOnePaintingPerResolutionAndKeepTheirOwnAlive) {
    auto images = std::make_unique<ui::Win32ImageList>(
        std::make_shared<ui::PictureImages>(PictureSet::ToolbarButtons, 96));
    ui::ShownImageList first, second;
    Shown firstShown, secondShown;
    first.Attach(*images, 96, Into(firstShown));
    second.Attach(*images, 96, Into(secondShown));
    const HIMAGELIST at96 = images->Native();
    EXPECT_EQ(firstShown, Shown{at96});
    EXPECT_EQ(secondShown, Shown{at96});

    first.Rescale(144, Into(firstShown));
    const HIMAGELIST at144 = images->Native();
    EXPECT_NE(at144, at96);
    EXPECT_EQ(IconHeight(at144), 24);
    EXPECT_EQ(firstShown, (Shown{at96, at144}));
    EXPECT_EQ(second.Native(), at96);
    EXPECT_EQ(ImageList_GetImageCount(at96), 16) << "the second control's painting is alive";

    second.Rescale(144, Into(secondShown));
    second.Rescale(144, Into(secondShown));
    EXPECT_EQ(secondShown, (Shown{at96, at144})) << "the first control's painting, shown once";

    images.reset();
    EXPECT_EQ(ImageList_GetImageCount(first.Native()), 16)
        << "a control's painting outlives the image list object";
}

TEST(ImageLists, AnotherToolkitsImageListShowsAsNone) {
    struct Foreign final : ImageList {
        int Count() const override { return 0; }
    } foreign;
    ui::ShownImageList shown;
    Shown calls;
    shown.Attach(foreign, 96, Into(calls));
    shown.Rescale(144, Into(calls));
    EXPECT_EQ(calls, Shown{nullptr});
}

}  // namespace
}  // namespace qov::win32::testing
