// What the windows show: the client image below the menu strip, only the
// rows that changed put again, and a hidden window's picture shown with it.
#include "window_system/window_system_fixture.h"

namespace tovik::testing {
namespace {

using PictureTest = WindowSystemTest;

TEST_F(PictureTest, CopiedImageIsShownBelowTheMenuStripClippedToTheClient) {
    Canvas& image = *fw.offscreen_image;
    image.fill_rect(0, 0, 601, 540, rgb(255, 255, 255));
    image.fill_rect(0, 0, 1, 1, rgb(255, 0, 0));
    image.fill_rect(594, 490, 601, 540, rgb(0, 0, 255));
    fw.image_changed = 1;
    present_image();
    EXPECT_EQ(shown(0, 20), 0xFF0000u);
    EXPECT_EQ(shown(1, 20), 0xFFFFFFu);
    EXPECT_EQ(shown(594, 510), 0x0000FFu);
    EXPECT_NE(shown(0, 19), 0xFF0000u);  // the menu strip, not the image
}

TEST_F(PictureTest, SuccessiveCopiesPutOnlyTheRowsThatChanged) {
    Canvas& image = *fw.offscreen_image;
    show_picture(rgb(255, 255, 255));
    const std::size_t before = fake.rows_put();
    image.fill_rect(10, 100, 20, 102, rgb(255, 0, 0));  // a run of two rows
    image.fill_rect(0, 490, 1, 491, rgb(0, 128, 0));     // the last row shown
    image.fill_rect(0, 495, 601, 540, rgb(0, 0, 255));   // below the client area
    fw.image_changed = 1;
    present_image();
    EXPECT_EQ(fake.rows_put() - before, 3u);
    EXPECT_EQ(shown(10, 120), 0xFF0000u);
    EXPECT_EQ(shown(19, 121), 0xFF0000u);
    EXPECT_EQ(shown(20, 121), 0xFFFFFFu);
    EXPECT_EQ(shown(10, 122), 0xFFFFFFu);
    EXPECT_EQ(shown(0, 510), 0x008000u);
    // The same picture again puts nothing.
    fw.image_changed = 1;
    present_image();
    EXPECT_EQ(fake.rows_put() - before, 3u);
}

TEST_F(PictureTest, ImageCopiedWhileHiddenIsShownWithTheWindow) {
    fake.show_window(graphics(), false);
    const std::size_t before = fake.rows_put();
    show_picture(rgb(0, 128, 0));
    EXPECT_EQ(fake.rows_put(), before);
    fake.show_window(graphics(), true);
    EXPECT_EQ(shown(297, 265), 0x008000u);
    EXPECT_NE(shown(297, 5), 0x008000u);  // the menu strip
}

TEST_F(PictureTest, ResizedWindowKeepsWhatFitsAndShowsTheBackgroundBeyond) {
    show_picture(rgb(0, 128, 0));
    fake.resize_client(graphics(), 700, 300);
    EXPECT_EQ(fake.client_rect(graphics()).right, 700);
    EXPECT_EQ(fake.client_rect(graphics()).bottom, 300);
    EXPECT_EQ(shown(594, 20), 0x008000u);
    EXPECT_EQ(shown(650, 20), 0xFFFFFFu);  // the class's background, white
    EXPECT_EQ(fake.menu_bar(graphics())->title_rect(0).top, 0);
}

}  // namespace
}  // namespace tovik::testing
