// Display scaling and full screen: the picture put on the native window in
// square pixels, clicks mapped back, and the core seeing all at scale 1.
#include <cmath>

#include "window_system/view.h"
#include "window_system/window_system_fixture.h"

namespace tovik::testing {
namespace {

constexpr std::uint32_t GREEN = 0x008000u;
constexpr std::uint32_t RED = 0xFF0000u;

TEST(ScaleChoice, NearestIntegerAtLeastOneAndNoLargerThanTheScreenHolds) {
    using window_system::desktop_scale_for;
    EXPECT_EQ(desktop_scale_for(1.25, 595, 511, 0, 0), 1);
    EXPECT_EQ(desktop_scale_for(1.5, 595, 511, 0, 0), 2);
    EXPECT_EQ(desktop_scale_for(0.5, 595, 511, 0, 0), 1);
    EXPECT_EQ(desktop_scale_for(3.0, 595, 511, 1920, 1050), 2) << "three times is 1533 high";
    EXPECT_EQ(desktop_scale_for(std::nan(""), 595, 511, 0, 0), 1);
    EXPECT_EQ(desktop_scale_for(1e12, 10, 10, 0, 0), 16);
    EXPECT_EQ(window_system::fitting_scale(595, 511, 1920, 1080), 2);
    EXPECT_EQ(window_system::fitting_scale(595, 511, 400, 300), 1);
}

TEST(AreaFit, WholeDevicePixelsWhereTheyFitAndTheWidthFilledOnAPhone) {
    using window_system::fit_to_area;
    // A desktop page of 1300 x 850 CSS pixels at device pixel ratios 1, 2 and 3.
    for (const auto& [ratio, scale] : {std::pair{1.0, 1}, {2.0, 3}, {3.0, 4}}) {
        const auto fit = fit_to_area(595, 511, 1300, 850, ratio);
        EXPECT_EQ(fit.scale, scale) << ratio;
        EXPECT_DOUBLE_EQ(fit.width * ratio, 595.0 * scale) << "whole device pixels";
    }
    // A phone upright (378 CSS pixels to spare, 3 device pixels each): the width filled.
    auto fit = fit_to_area(595, 511, 378, 800, 3.0);
    EXPECT_EQ(fit.scale, 1);
    EXPECT_DOUBLE_EQ(fit.width, 378.0);
    EXPECT_DOUBLE_EQ(fit.height, 378.0 * 511 / 595);
    // Lying down: the height filled, drawn at the largest whole scale that fits.
    fit = fit_to_area(595, 511, 830, 360, 3.0);
    EXPECT_EQ(fit.scale, 2);
    EXPECT_DOUBLE_EQ(fit.height, 360.0);
    // A desktop window narrower than the picture.
    EXPECT_DOUBLE_EQ(fit_to_area(595, 511, 500, 800, 1.0).width, 500.0);
    // Nonsense from a page never asks for a huge or empty frame.
    for (const double bad : {0.0, -1.0, std::nan(""), 1e300}) {
        fit = fit_to_area(595, 511, bad, bad, bad);
        EXPECT_GE(fit.scale, 1);
        EXPECT_LE(fit.scale, 16);
        EXPECT_GT(fit.width, 0.0);
    }
}

class ViewTest : public WindowSystemTest {
protected:
    // A green picture with one red pixel at client (10, 30).
    void show_marked_picture() {
        show_picture(rgb(0, 128, 0));
        fw.offscreen_image->fill_rect(10, 30, 11, 31, rgb(255, 0, 0));
        fw.image_changed = 1;
        present_image();
    }
    // The framework point a press at a native pixel gives, if it gives one.
    bool clicked_at(int native_x, int native_y, std::int32_t& x, std::int32_t& y) {
        fw.pending_kind = NO_EVENT;
        native().mouse_button(graphics(), native_x, native_y, true, true);
        native().mouse_button(graphics(), native_x, native_y, true, false);
        pump();
        x = fw.event_x;
        y = fw.event_y;
        return fw.pending_kind == TOVIK_MOUSE;
    }
    const WindowSystem::Window& window() const { return fake.window(graphics()); }
};

class ScaledTest : public ViewTest {
protected:
    void SetUp() override {
        fake.desktop.scale = 2.0;
        ViewTest::SetUp();
    }
};

TEST_F(ScaledTest, WindowsAreTwiceAsLargeInSquarePixelsWhileTheCoreSeesScaleOne) {
    EXPECT_EQ(window().native_width, 1190);
    EXPECT_EQ(window().native_height, 1022);
    EXPECT_EQ(fake.client_rect(graphics()).right, 595);
    EXPECT_EQ(fake.client_rect(graphics()).bottom, 491);
    EXPECT_EQ(fake.client_rect(fw.text_window).right, fake.window(fw.text_window).native_width / 2);

    show_marked_picture();
    // Client (10, 30) is native (20..21, 100..101): the 20-pixel strip, doubled, above.
    for (const auto& [x, y] : {std::pair{20, 100}, {21, 100}, {20, 101}, {21, 101}}) {
        EXPECT_EQ(shown(x, y), RED) << x << "," << y;
    }
    EXPECT_EQ(shown(22, 100), GREEN);
    EXPECT_EQ(shown(20, 102), GREEN);

    std::int32_t x = 0, y = 0;
    ASSERT_TRUE(clicked_at(21, 101, x, y));  // anywhere inside the scaled pixel
    EXPECT_EQ(x, 10 - 297);
    EXPECT_EQ(y, 245 - 30);
}

TEST_F(ViewTest, F11ShowsTheWindowFullScreenCentredOnBlackAndBack) {
    show_marked_picture();
    native().key_down(graphics(), VKEY_F11, {}, "");
    EXPECT_EQ(fake.queued(), 0u) << "the game never sees F11";
    // 595 x 511 on the 1024 x 768 screen: scale 1, centred.
    EXPECT_EQ(window().native_width, 1024);
    EXPECT_EQ(window().view.x, 214);
    EXPECT_EQ(window().view.y, 128);
    EXPECT_EQ(shown(0, 0), 0u);
    EXPECT_EQ(shown(214 + 10, 128 + 50), RED);
    std::int32_t x = 0, y = 0;
    EXPECT_FALSE(clicked_at(5, 5, x, y)) << "a click beside the picture is nothing";
    ASSERT_TRUE(clicked_at(214 + 10, 128 + 50, x, y));
    EXPECT_EQ(x, 10 - 297);

    native().key_down(graphics(), VKEY_F11, {}, "");
    EXPECT_FALSE(window().full_screen);
    EXPECT_EQ(window().native_width, 595);
    EXPECT_EQ(shown(10, 50), RED);
    EXPECT_FALSE(fake.set_full_screen(fw.text_window, true)) << "a resizable window is resized instead";
}

// A tiling compositor or a window manager that ignores the fixed size: the
// picture stays whole at its place, the rest in the window's background, and
// the core is not told of a new size.
TEST_F(ViewTest, FixedWindowMadeLargerOrSmallerShowsThePictureWholeAndInPlace) {
    show_marked_picture();
    fake.resize_native(graphics(), 900, 700);
    pump();
    EXPECT_EQ(fake.client_rect(graphics()).right, 595);
    EXPECT_EQ(fw.origin_x, 297);
    EXPECT_EQ(shown(10, 50), RED);
    EXPECT_EQ(shown(594, 510), GREEN);
    EXPECT_EQ(shown(700, 600), 0xFFFFFFu);  // the class's background
    EXPECT_EQ(shown(605, 50), 0xFFFFFFu) << "no second copy beside the picture";

    fake.resize_native(graphics(), 300, 200);
    pump();
    EXPECT_EQ(shown(10, 50), RED);
    EXPECT_EQ(shown(299, 199), GREEN);
}

}  // namespace
}  // namespace tovik::testing
