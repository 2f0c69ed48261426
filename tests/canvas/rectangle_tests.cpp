// Rectangles: the frame of columns left..right-1 and rows top..bottom-1.
#include <gtest/gtest.h>

#include "canvas_support.h"

namespace tovik::test {
namespace {

using Picture = std::vector<std::string>;

TEST(Rectangle, PenFramesTheBoxAndTheBrushFillsInside) {
    SoftwareCanvas c = blank(7, 6);
    c.rectangle(0, 0, 5, 4, thin(BLACK), solid(RED));
    EXPECT_EQ(picture(c, 0, 0, 7, 6), (Picture{"#####..",  //
                                               "#ooo#..",  //
                                               "#ooo#..",  //
                                               "#####..",  //
                                               ".......",  //
                                               "......."}));
}

TEST(Rectangle, TinyBoxes) {
    SoftwareCanvas c = blank(14, 6);
    c.rectangle(0, 0, 3, 3, thin(BLACK), solid(RED));              // eight pen pixels, one brush
    c.rectangle(4, 0, 6, 2, thin(BLACK), solid(RED));              // 2 x 2: four pen pixels
    c.rectangle(7, 0, 8, 5, thin(BLACK), solid(RED));              // one column of pen
    c.rectangle(9, 0, 9, 5, thin(BLACK), solid(RED));              // empty: nothing
    c.rectangle(10, 2, 13, 2, thin(BLACK), solid(RED));            // empty: nothing
    EXPECT_EQ(picture(c, 0, 0, 14, 6), (Picture{"###.##.#......",  //
                                                "#o#.##.#......",  //
                                                "###....#......",  //
                                                ".......#......",  //
                                                ".......#......",  //
                                                ".............."}));
}

TEST(Rectangle, RendererBoxesAreInclusiveAtBothCorners) {
    // Framework (-10,10)..(10,-10) around an origin at (20, 20): right and bottom + 1.
    SoftwareCanvas c = blank(50, 50);
    c.rectangle(20 - 10, 20 - 10, 20 + 10 + 1, 20 + 10 + 1, thin(), solid());
    PixelSet expected;
    for (int y = 10; y <= 30; ++y) expected.merge(row_run(y, 10, 30));
    EXPECT_EQ(painted(c), expected);
    EXPECT_EQ(expected.size(), 21u * 21u);
    SoftwareCanvas d = blank(50, 50);
    d.rectangle(20, 20, 21, 21, thin(), solid());
    EXPECT_EQ(painted(d), (PixelSet{{20, 20}}));
}

TEST(Rectangle, HollowRectangleKeepsTheInside) {
    SoftwareCanvas c = blank(20, 20);
    c.fill_rect(0, 0, 20, 20, GREEN);
    c.rectangle(3, 4, 15, 12, Pen{BLACK, 1}, hollow());
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 20; ++x) {
            const bool frame = (x >= 3 && x <= 14 && (y == 4 || y == 11)) ||
                               (y >= 4 && y <= 11 && (x == 3 || x == 14));
            EXPECT_EQ(c.pixel(x, y), frame ? BLACK : GREEN) << x << "," << y;
        }
    }
}

TEST(Rectangle, CornersMayComeInAnyOrder) {
    SoftwareCanvas a = blank(), b = blank();
    a.rectangle(20, 25, 4, 3, thin(BLACK), solid(RED));
    b.rectangle(4, 3, 20, 25, thin(BLACK), solid(RED));
    EXPECT_EQ(picture(a, 0, 0, 40, 30), picture(b, 0, 0, 40, 30));
}

TEST(Rectangle, ClearedFrameIsWhiteInsideABlackBorder) {
    SoftwareCanvas c(601, 540);
    c.rectangle(0, 0, 601, 540, Pen{BLACK, 0}, solid(WHITE));
    for (int y = 0; y < 540; ++y) {
        for (int x = 0; x < 601; ++x) {
            const bool border = x == 0 || y == 0 || x == 600 || y == 539;
            ASSERT_EQ(c.pixel(x, y), border ? BLACK : WHITE) << x << "," << y;
        }
    }
}

TEST(WideRectangle, WidthThreeHasBandsAroundThePathAndRoundCorners) {
    SoftwareCanvas c = blank(30, 30);
    c.rectangle(10, 10, 20, 18, wide(3), hollow());
    PixelSet expected = merge({row_run(9, 10, 19), row_run(18, 10, 19), row_run(10, 9, 20),
                               row_run(11, 9, 20), row_run(16, 9, 20), row_run(17, 9, 20)});
    for (int y = 12; y <= 15; ++y) expected.merge(merge({row_run(y, 9, 11), row_run(y, 18, 20)}));
    EXPECT_EQ(painted(c), expected) << describe(painted(c));
}

TEST(WideRectangle, EachCornerMissesOneOuterPixelForWidthsThreeToFiveAndNoneForTwo) {
    for (const int w : {2, 3, 4, 5}) {
        SoftwareCanvas c = blank(40, 40);
        c.rectangle(10, 10, 30, 28, wide(w), hollow());
        const int neg = w / 2, pos = w - 1 - neg;
        // The bands' bounding box.
        const int x0 = 10 - neg, x1 = 29 + pos, y0 = 10 - neg, y1 = 27 + pos;
        int missing = 0;
        for (const auto& [x, y] : {std::pair{x0, y0}, {x1, y0}, {x0, y1}, {x1, y1}})
            missing += c.pixel(x, y) == WHITE;
        EXPECT_EQ(missing, w == 2 ? 0 : 4) << "w=" << w;
        // Only the outermost corner pixel is missing.
        for (const auto& [x, y] :
             {std::pair{x0 + 1, y0}, {x0, y0 + 1}, {x1 - 1, y1}, {x1, y1 - 1}}) {
            EXPECT_NE(c.pixel(x, y), WHITE) << "w=" << w;
        }
        // The middle of each side is exactly w pixels across.
        int across = 0;
        for (int y = 0; y < 40; ++y) across += c.pixel(20, y) != WHITE;
        EXPECT_EQ(across, 2 * w) << "w=" << w;
    }
}

}  // namespace
}  // namespace tovik::test
