// The whole-number scale for a screen's density, and clicks mapped back.
#include <gtest/gtest.h>

#include "win32/dpi_scale.h"

namespace tovik::win32 {
namespace {

TEST(DpiScaleTest, ScaleIsTheNearestWholeNumberAtLeastOne) {
    EXPECT_EQ(scale_for_dpi(0), 1);
    EXPECT_EQ(scale_for_dpi(72), 1);
    EXPECT_EQ(scale_for_dpi(96), 1);
    EXPECT_EQ(scale_for_dpi(120), 1);   // 125 %
    EXPECT_EQ(scale_for_dpi(143), 1);
    EXPECT_EQ(scale_for_dpi(144), 2);   // 150 %
    EXPECT_EQ(scale_for_dpi(192), 2);   // 200 %
    EXPECT_EQ(scale_for_dpi(288), 3);   // 300 %
    EXPECT_EQ(scale_for_dpi(96u * 100), MAX_SCALE);
    EXPECT_EQ(scale_for_dpi(~0u), MAX_SCALE);
}

TEST(DpiScaleTest, ScaleShrinksUntilTheWindowFitsTheScreen) {
    EXPECT_EQ(scale_to_fit(2, 595, 496, 1920, 1040), 2);
    EXPECT_EQ(scale_to_fit(2, 595, 496, 1190, 992), 2);   // exactly
    EXPECT_EQ(scale_to_fit(2, 595, 496, 1189, 992), 1);
    EXPECT_EQ(scale_to_fit(3, 595, 496, 1500, 2000), 2);
    EXPECT_EQ(scale_to_fit(3, 595, 496, 400, 300), 1);    // never below 1
}

TEST(DpiScaleTest, EveryScreenPixelOfAScaledPixelIsThatPixel) {
    for (int screen = 0; screen < 6; ++screen) EXPECT_EQ(to_picture_coordinate(screen, 1), screen);
    EXPECT_EQ(to_picture_coordinate(0, 2), 0);
    EXPECT_EQ(to_picture_coordinate(1, 2), 0);
    EXPECT_EQ(to_picture_coordinate(2, 2), 1);
    EXPECT_EQ(to_picture_coordinate(599, 3), 199);
    EXPECT_EQ(to_picture_coordinate(600, 3), 200);
    // Left of the client area (a click the system reports there) stays left of it.
    EXPECT_EQ(to_picture_coordinate(-1, 2), -1);
    EXPECT_EQ(to_picture_coordinate(-2, 2), -1);
    EXPECT_EQ(to_picture_coordinate(-3, 2), -2);
}

}  // namespace
}  // namespace tovik::win32
