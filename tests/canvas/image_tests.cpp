// The image itself: pixel format, single pixels, fills and scrolling.
#include <gtest/gtest.h>

#include <climits>

#include "canvas_support.h"

namespace tovik::test {
namespace {

TEST(Image, ColoursArriveAsBgrAndAreStoredAsRgb) {
    SoftwareCanvas c(4, 3);
    const Colour navy = rgb(0x00, 0x33, 0x99);  // 0x00993300 in the platform's form
    EXPECT_EQ(navy, 0x00993300u);
    c.set_pixel(2, 1, navy);
    EXPECT_EQ(c.data()[1 * c.stride() + 2], 0x00003399u);
    EXPECT_EQ(c.pixel(2, 1), navy);
    EXPECT_EQ(c.pixel(0, 0), 0u);  // a new image is black
}

TEST(Image, PixelsOutsideTheImageAreIgnored) {
    SoftwareCanvas c = blank(5, 5);
    for (const std::int64_t v :
         {std::int64_t{-1}, std::int64_t{5}, std::int64_t{INT_MAX}, INT64_MIN}) {
        c.set_pixel(v, 2, RED);
        c.set_pixel(2, v, RED);
    }
    EXPECT_TRUE(painted(c).empty());
    EXPECT_EQ(c.pixel(-1, 0), 0u);
    EXPECT_EQ(c.pixel(0, 5), 0u);
}

TEST(Image, FillRectCoversLeftToRightMinusOneAndClips) {
    SoftwareCanvas c = blank(10, 8);
    c.fill_rect(2, 3, 5, 6, RED);
    c.fill_rect(8, -4, 30, 2, BLUE);
    // Reversed edges fill nothing.
    c.fill_rect(5, 5, 3, 7, GREEN);
    EXPECT_EQ(picture(c, 0, 0, 10, 8), (std::vector<std::string>{"........oo",  //
                                                                 "........oo",  //
                                                                 "..........",  //
                                                                 "..ooo.....",  //
                                                                 "..ooo.....",  //
                                                                 "..ooo.....",  //
                                                                 "..........",  //
                                                                 ".........."}));
}

TEST(Image, ScrollUpMovesRowsAndKeepsTheUncoveredOnes) {
    SoftwareCanvas c = blank(3, 5);
    for (int y = 0; y < 5; ++y) c.set_pixel(y % 3, y, BLACK);
    c.scroll_up(2);
    EXPECT_EQ(picture(c, 0, 0, 3, 5), (std::vector<std::string>{"..#",  //
                                                                "#..",  //
                                                                ".#.",  //
                                                                "#..",  //
                                                                ".#."}));
    c.scroll_up(5);
    c.scroll_up(-1);
    c.scroll_up(0);
    EXPECT_EQ(c.pixel(2, 0), BLACK);  // unchanged
}

TEST(Image, CountersFollowTheWork) {
    SoftwareCanvas c(100, 80);
    c.reset_counters();
    c.fill_rect(0, 0, 10, 10, RED);
    EXPECT_EQ(c.counters().pixel_writes, 100u);
    c.reset_counters();
    c.rectangle(-1000000, -1000000, 1000000, 1000000, thin(BLACK), solid(BLACK));
    EXPECT_EQ(c.counters().pixel_writes, 8000u);
    EXPECT_LE(c.counters().steps, 80u);
}

}  // namespace
}  // namespace tovik::test
