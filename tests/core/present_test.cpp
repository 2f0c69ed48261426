// When the off-screen image reaches the screen.
#include "support/framework_fixture.h"

namespace tovik::testing {
namespace {

class PresentTest : public FrameworkTest {
protected:
    PresentTest() {
        fake.auto_timer = false;
        start();
        fake.on_copy_image = [this](WindowHandle window, const Canvas&, int w, int h) {
            if (window == fw.graphics_window) copies.push_back({w, h});
        };
    }
    std::vector<std::pair<int, int>> copies;
};

TEST_F(PresentTest, TheFirstMessageCopiesTheImageEvenIfNothingWasDrawn) {
    EXPECT_EQ(fw.image_changed, 1);
    fake.click(1, 1);
    wait();
    ASSERT_FALSE(copies.empty());
    EXPECT_EQ(copies.front(), std::make_pair(601, 540));
    EXPECT_EQ(fw.image_changed, 0);
}

TEST_F(PresentTest, SeveralDrawingsBetweenWaitsReachTheScreenInOneCopy) {
    fake.click(1, 1);
    wait();
    copies.clear();
    TOVIK_draw_circle(COLOUR_RED, 0, 0, 5);
    TOVIK_draw_circle(COLOUR_BLUE, 9, 9, 5);
    EXPECT_TRUE(copies.empty());  // nothing is seen until the next message
    fake.timer();
    fake.timer();
    fake.click(1, 1);
    wait();
    EXPECT_EQ(copies.size(), 1u);
}

TEST_F(PresentTest, ARepaintCopiesTheImageEvenWhenNothingChanged) {
    fake.click(1, 1);
    wait();
    copies.clear();
    ASSERT_EQ(fw.image_changed, 0);
    fake.invalidate(fw.graphics_window);
    fake.on_idle = [this] { fake.click(1, 1); };  // after the paint
    wait();
    EXPECT_EQ(copies.size(), 1u);
    EXPECT_EQ(fake.window(fw.graphics_window).invalid, false);
    EXPECT_EQ(fw.image_changed, 0);
}

}  // namespace
}  // namespace tovik::testing
