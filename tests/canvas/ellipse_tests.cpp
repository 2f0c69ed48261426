// Ellipse coverage: the platform's circles and small boxes pixel for pixel,
// and the properties every ellipse keeps however large it is.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "canvas_support.h"

namespace tovik::test {
namespace {

using Picture = std::vector<std::string>;

// A circle of radius r in the box at (1, 1): outline black, inside red.
Picture circle(int r) {
    SoftwareCanvas c = blank(2 * r + 3, 2 * r + 3);
    c.ellipse(1, 1, 2 + 2 * r, 2 + 2 * r, thin(BLACK), solid(RED));
    return picture(c, 0, 0, 2 * r + 3, 2 * r + 3);
}

TEST(Ellipse, CirclesOfRadiusOneToFiveHaveTheListedOutlines) {
    EXPECT_EQ(circle(1), (Picture{".....",  //
                                  "..#..",  //
                                  ".#o#.",  //
                                  "..#..",  //
                                  "....."}));
    EXPECT_EQ(circle(2), (Picture{".......",  //
                                  "..###..",  //
                                  ".#ooo#.",  //
                                  ".#ooo#.",  //
                                  ".#ooo#.",  //
                                  "..###..",  //
                                  "......."}));
    EXPECT_EQ(circle(3), (Picture{".........",  //
                                  "...###...",  //
                                  "..#ooo#..",  //
                                  ".#ooooo#.",  //
                                  ".#ooooo#.",  //
                                  ".#ooooo#.",  //
                                  "..#ooo#..",  //
                                  "...###...",  //
                                  "........."}));
    EXPECT_EQ(circle(4), (Picture{"...........",  //
                                  "....###....",  //
                                  "..##ooo##..",  //
                                  "..#ooooo#..",  //
                                  ".#ooooooo#.",  //
                                  ".#ooooooo#.",  //
                                  ".#ooooooo#.",  //
                                  "..#ooooo#..",  //
                                  "..##ooo##..",  //
                                  "....###....",  //
                                  "..........."}));
    EXPECT_EQ(circle(5), (Picture{".............",  //
                                  "....#####....",  //
                                  "...#ooooo#...",  //
                                  "..#ooooooo#..",  //
                                  ".#ooooooooo#.",  //
                                  ".#ooooooooo#.",  //
                                  ".#ooooooooo#.",  //
                                  ".#ooooooooo#.",  //
                                  ".#ooooooooo#.",  //
                                  "..#ooooooo#..",  //
                                  "...#ooooo#...",  //
                                  "....#####....",  //
                                  "............."}));
}

TEST(Ellipse, FourByFourBoxIsARoundedSquare) {
    SoftwareCanvas c = blank(6, 6);
    c.ellipse(1, 1, 5, 5, thin(BLACK), solid(RED));
    EXPECT_EQ(picture(c, 0, 0, 6, 6), (Picture{"......",  //
                                               "..##..",  //
                                               ".#oo#.",  //
                                               ".#oo#.",  //
                                               "..##..",  //
                                               "......"}));
}

TEST(Ellipse, BoxesTwoPixelsAcrossOrLessAreRectangles) {
    SoftwareCanvas c = blank(12, 8);
    c.ellipse(1, 1, 2, 2, thin(BLACK), solid(RED));              // 1 x 1: its one pixel
    c.ellipse(3, 1, 5, 7, thin(BLACK), solid(RED));              // 2 x 6
    c.ellipse(6, 1, 11, 3, thin(BLACK), solid(RED));             // 5 x 2
    EXPECT_EQ(picture(c, 0, 0, 12, 8), (Picture{"............",  //
                                                ".#.##.#####.",  //
                                                "...##.#####.",  //
                                                "...##.......",  //
                                                "...##.......",  //
                                                "...##.......",  //
                                                "...##.......",  //
                                                "............"}));
}

TEST(Ellipse, EmptyBoxDrawsNothingAndCornersMayComeInAnyOrder) {
    SoftwareCanvas c = blank(20, 20);
    c.ellipse(5, 5, 5, 15, thin(), solid());
    c.ellipse(5, 5, 15, 5, thin(), solid());
    EXPECT_TRUE(painted(c).empty());
    c.ellipse(15, 14, 3, 2, thin(), solid());
    SoftwareCanvas d = blank(20, 20);
    d.ellipse(3, 2, 15, 14, thin(), solid());
    EXPECT_EQ(painted(c), painted(d));
}

TEST(Ellipse, RendererCircleOfRadiusRCoversTwoRPlusOneRowsAndColumns) {
    for (int r = 0; r <= 5; ++r) {
        SoftwareCanvas c = blank(20, 20);
        // Centre (9, 9): the box x - r .. x + r inclusive, so right and bottom + 1.
        c.ellipse(9 - r, 9 - r, 9 + r + 1, 9 + r + 1, thin(), solid());
        const PixelSet p = painted(c);
        std::set<int> rows, cols;
        for (const auto& [x, y] : p) {
            rows.insert(y);
            cols.insert(x);
        }
        EXPECT_EQ(rows.size(), static_cast<std::size_t>(2 * r + 1)) << "r=" << r;
        EXPECT_EQ(cols.size(), static_cast<std::size_t>(2 * r + 1)) << "r=" << r;
        EXPECT_EQ(*rows.begin(), 9 - r);
        EXPECT_EQ(*cols.rbegin(), 9 + r);
        EXPECT_TRUE(p.count({9, 9}));
    }
}

TEST(Ellipse, HollowOutlineLeavesTheInsideAndThinShapesReachTheirBox) {
    // Very thin and very flat ellipses still touch all four sides of the box.
    for (const auto& [w, h] : {std::pair{4, 60}, {60, 4}, {3, 90}, {90, 3}, {5, 33}, {33, 6}}) {
        SoftwareCanvas c = blank(100, 100);
        c.ellipse(5, 5, 5 + w, 5 + h, thin(BLACK), hollow());
        const PixelSet p = painted(c);
        int x0 = 1000, x1 = -1, y0 = 1000, y1 = -1;
        for (const auto& [x, y] : p) {
            x0 = std::min(x0, x), x1 = std::max(x1, x), y0 = std::min(y0, y), y1 = std::max(y1, y);
        }
        EXPECT_EQ(x0, 5) << w << "x" << h;
        EXPECT_EQ(x1, 4 + w) << w << "x" << h;
        EXPECT_EQ(y0, 5) << w << "x" << h;
        EXPECT_EQ(y1, 4 + h) << w << "x" << h;
        // The null brush leaves the middle as it was.
        EXPECT_EQ(c.pixel(5 + (w - 1) / 2, 5 + (h - 1) / 2), WHITE) << w << "x" << h;
    }
}

// Outline of a larger ellipse: symmetric, 8-connected, every pixel within a
// pixel of the true curve through the box's outermost pixel centres.
TEST(Ellipse, LargeOutlinesAreSymmetricConnectedAndCloseToTheCurve) {
    for (const auto& [w, h] : {std::pair{101, 101}, {160, 41}, {37, 150}, {64, 64}, {151, 98}}) {
        SoftwareCanvas c = blank(170, 170);
        c.ellipse(3, 4, 3 + w, 4 + h, thin(BLACK), hollow());
        const PixelSet p = painted(c);
        const double cx = 3 + (w - 1) / 2.0, cy = 4 + (h - 1) / 2.0;
        const double a = (w - 1) / 2.0, b = (h - 1) / 2.0;
        for (const auto& [x, y] : p) {
            // mirror images
            EXPECT_TRUE(p.count({static_cast<int>(2 * cx - x), y})) << x << "," << y;
            EXPECT_TRUE(p.count({x, static_cast<int>(2 * cy - y)})) << x << "," << y;
            // an 8-neighbour on each side of the path
            int neighbours = 0;
            for (int dx = -1; dx <= 1; ++dx) {
                for (int dy = -1; dy <= 1; ++dy)
                    neighbours += (dx || dy) && p.count({x + dx, y + dy});
            }
            EXPECT_GE(neighbours, 2) << x << "," << y;
            // close to the curve: scaling the point onto the ellipse moves it < 1 pixel
            const double u = (x - cx) / a, v = (y - cy) / b;
            const double k = std::sqrt(u * u + v * v);
            const double dist = std::hypot((x - cx) * (1 - 1 / k), (y - cy) * (1 - 1 / k));
            EXPECT_LT(dist, 1.0) << w << "x" << h << " at " << x << "," << y;
        }
    }
}

TEST(Ellipse, FilledEqualsOutlinePlusInside) {
    for (const auto& [w, h] : {std::pair{23, 17}, {40, 9}, {8, 31}, {12, 12}}) {
        SoftwareCanvas filled = blank(50, 50), parts = blank(50, 50);
        filled.ellipse(2, 3, 2 + w, 3 + h, thin(BLACK), solid(BLACK));
        parts.ellipse(2, 3, 2 + w, 3 + h, thin(RED), solid(BLACK));
        EXPECT_EQ(painted(filled), painted(parts));
        // Each row is one run: the brush spans from the leftmost to the rightmost outline pixel.
        for (int y = 0; y < 50; ++y) {
            int first = -1, last = -1, count = 0;
            for (int x = 0; x < 50; ++x) {
                if (filled.pixel(x, y) != WHITE) {
                    if (first < 0) first = x;
                    last = x;
                    ++count;
                }
            }
            if (first >= 0) {
                EXPECT_EQ(count, last - first + 1) << "row " << y;
            }
        }
    }
}

}  // namespace
}  // namespace tovik::test

namespace tovik::test {
namespace {

// The textbook integer midpoint circle: one octant stepped column by column,
// mirrored eight ways.
// Only the points inside a width x height image are kept.
PixelSet midpoint_circle(long long cx, long long cy, long long r, int width = 1000,
                         int height = 1000) {
    PixelSet s;
    long long x = 0, y = r, d = 1 - r;
    while (x <= y) {
        for (const auto& [px, py] : {std::pair{x, y}, {y, x}}) {
            for (const int sx : {-1, 1}) {
                for (const int sy : {-1, 1}) {
                    const long long qx = cx + sx * px, qy = cy + sy * py;
                    if (qx >= 0 && qy >= 0 && qx < width && qy < height)
                        s.insert({static_cast<int>(qx), static_cast<int>(qy)});
                }
            }
        }
        ++x;
        if (d < 0) {
            d += 2 * x + 1;
        } else {
            --y;
            d += 2 * (x - y) + 1;
        }
    }
    return s;
}

TEST(Ellipse, CircleOutlinesEqualTheStepByStepMidpointAlgorithm) {
    for (int r = 1; r <= 90; ++r) {
        SoftwareCanvas c = blank(200, 200);
        c.ellipse(100 - r, 100 - r, 100 + r + 1, 100 + r + 1, thin(BLACK), hollow());
        ASSERT_EQ(painted(c), midpoint_circle(100, 100, r)) << "r=" << r;
    }
    // Large radii take the exact wide-integer path; the top of the arc shows.
    for (const long long r : {20000LL, 40000LL, 3000000LL}) {
        SoftwareCanvas c = blank(300, 60);
        c.ellipse(150 - r, 10, 150 + r + 1, 10 + 2 * r + 1, thin(BLACK), hollow());
        ASSERT_EQ(painted(c), midpoint_circle(150, 10 + r, r, 300, 60)) << "r=" << r;
    }
}

}  // namespace
}  // namespace tovik::test
