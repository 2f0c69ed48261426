// One-pixel and wide lines.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>

#include "canvas_support.h"

namespace tovik::test {
namespace {

PixelSet thin_line(std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1,
                   int width = 240, int height = 200) {
    SoftwareCanvas c = blank(width, height);
    c.line(x0, y0, x1, y1, thin());
    return painted(c);
}

TEST(Line, HorizontalLinesLeaveOutTheEndPointInEitherDirection) {
    EXPECT_EQ(thin_line(10, 3, 100, 3), row_run(3, 10, 99));
    EXPECT_EQ(thin_line(100, 53, 10, 53), row_run(53, 11, 100));
}

TEST(Line, TiesFollowTheGridIntersectRule) {
    EXPECT_EQ(thin_line(0, 0, 2, 1), (PixelSet{{0, 0}, {1, 0}}));
    EXPECT_EQ(thin_line(2, 1, 0, 0), (PixelSet{{2, 1}, {1, 0}}));
    EXPECT_EQ(thin_line(0, 0, 1, 2), (PixelSet{{0, 0}, {0, 1}}));
    PixelSet expected;
    for (int k = 0; k < 100; ++k) expected.insert({100 + k, 100 + k / 2});
    EXPECT_EQ(thin_line(100, 100, 200, 150), expected);
}

TEST(Line, DiagonalsTakeTheLeftPixelAndZeroLengthDrawsNothing) {
    EXPECT_EQ(thin_line(5, 5, 9, 9), (PixelSet{{5, 5}, {6, 6}, {7, 7}, {8, 8}}));
    EXPECT_EQ(thin_line(9, 5, 5, 9), (PixelSet{{9, 5}, {8, 6}, {7, 7}, {6, 8}}));
    EXPECT_TRUE(thin_line(7, 7, 7, 7).empty());
    // Width 0 and width 1 are the same pen.
    SoftwareCanvas a = blank(), b = blank();
    a.line(1, 2, 30, 17, Pen{BLACK, 0});
    b.line(1, 2, 30, 17, Pen{BLACK, 1});
    EXPECT_EQ(painted(a), painted(b));
}

// Against the closed form, every octant, both directions: the same pixels but
// for the dropped end.
TEST(Line, EveryOctantMatchesTheClosedFormAndReversesExceptForItsEnds) {
    const auto ceil_div = [](long long n, long long d) {
        return n >= 0 ? (n + d - 1) / d : -((-n) / d);
    };
    for (int dx = -9; dx <= 9; ++dx) {
        for (int dy = -9; dy <= 9; ++dy) {
            if (dx == 0 && dy == 0) continue;
            const int x0 = 20, y0 = 20;
            PixelSet expected;
            const int adx = std::abs(dx), ady = std::abs(dy);
            if (adx > ady) {
                for (int k = 0; k < adx; ++k) {
                    expected.insert(
                        {x0 + k * (dx > 0 ? 1 : -1),
                         y0 + static_cast<int>(ceil_div(2LL * dy * k - adx, 2LL * adx))});
                }
            } else {
                for (int k = 0; k < ady; ++k) {
                    expected.insert({x0 + static_cast<int>(ceil_div(2LL * dx * k - ady, 2LL * ady)),
                                     y0 + k * (dy > 0 ? 1 : -1)});
                }
            }
            EXPECT_EQ(thin_line(x0, y0, x0 + dx, y0 + dy, 40, 40), expected) << dx << "," << dy;
            PixelSet forward = expected, backward = thin_line(x0 + dx, y0 + dy, x0, y0, 40, 40);
            forward.erase({x0, y0});
            backward.erase({x0 + dx, y0 + dy});
            EXPECT_EQ(forward, backward) << dx << "," << dy;
        }
    }
}

TEST(WideLine, WidthSevenHorizontalLineHasRoundCaps) {
    SoftwareCanvas c = blank(240, 30);
    c.line(100, 10, 200, 10, wide(7));
    const PixelSet expected =
        merge({row_run(7, 99, 201), row_run(8, 98, 202), row_run(9, 97, 203), row_run(10, 97, 203),
               row_run(11, 97, 203), row_run(12, 98, 202), row_run(13, 99, 201)});
    EXPECT_EQ(painted(c), expected) << describe(painted(c));
    EXPECT_EQ(expected.size(), 737u);
}

TEST(WideLine, WidthThreeLine) {
    SoftwareCanvas c = blank(20, 20);
    c.line(2, 10, 10, 10, wide(3));
    EXPECT_EQ(painted(c), merge({row_run(9, 2, 10), row_run(10, 1, 11), row_run(11, 2, 10)}));
}

TEST(WideLine, CapsHaveTheListedRowWidths) {
    const std::map<int, std::vector<int>> widths = {{2, {2, 2}},
                                                    {3, {1, 3, 1}},
                                                    {4, {2, 4, 4, 2}},
                                                    {6, {2, 4, 6, 6, 4, 2}},
                                                    {7, {3, 5, 7, 7, 7, 5, 3}}};
    for (const auto& [w, rows] : widths) {
        // Left of the start point only the start's cap shows: floor(width / 2)
        // pixels of each of its rows (the odd rows are centred, the even ones
        // lean left by the same rule as the pen).
        SoftwareCanvas c = blank(30, 30);
        c.line(10, 10, 30, 10, wide(w));
        const int top = 10 - w / 2;
        for (int i = 0; i < w; ++i) {
            int count = 0;
            for (int x = 0; x < 10; ++x) count += c.pixel(x, top + i) != WHITE;
            EXPECT_EQ(count, rows[static_cast<std::size_t>(i)] / 2) << "w=" << w << " row " << i;
        }
        // No row outside the pen's offsets.
        for (int x = 0; x < 30; ++x) {
            EXPECT_EQ(c.pixel(x, top - 1), WHITE);
            EXPECT_EQ(c.pixel(x, top + w), WHITE);
        }
    }
}

TEST(WideLine, EvenWidthPutsTheExtraPixelUpOrLeft) {
    SoftwareCanvas c = blank(30, 30);
    c.line(5, 10, 20, 10, wide(4));  // rows 8..11
    EXPECT_EQ(c.pixel(12, 7), WHITE);
    EXPECT_NE(c.pixel(12, 8), WHITE);
    EXPECT_NE(c.pixel(12, 11), WHITE);
    EXPECT_EQ(c.pixel(12, 12), WHITE);
    SoftwareCanvas v = blank(30, 30);
    v.line(10, 5, 10, 20, wide(4));  // columns 8..11
    EXPECT_EQ(v.pixel(7, 12), WHITE);
    EXPECT_NE(v.pixel(8, 12), WHITE);
    EXPECT_NE(v.pixel(11, 12), WHITE);
    EXPECT_EQ(v.pixel(12, 12), WHITE);
}

TEST(WideLine, DiagonalLineIsABandOfThePenWidthWithBothEndsCovered) {
    for (const int w : {2, 3, 5, 8}) {
        SoftwareCanvas c = blank(80, 80);
        c.line(10, 15, 60, 50, wide(w));
        EXPECT_NE(c.pixel(10, 15), WHITE);
        EXPECT_NE(c.pixel(60, 50), WHITE);
        // Across the band (perpendicular distance) nothing beyond w/2 + 1 is painted,
        // and everything within (w - 1) / 2 of the segment is.
        const double len = std::hypot(50.0, 35.0);
        for (int y = 0; y < 80; ++y) {
            for (int x = 0; x < 80; ++x) {
                const double t =
                    std::clamp(((x - 10) * 50.0 + (y - 15) * 35.0) / (len * len), 0.0, 1.0);
                const double d = std::hypot(x - 10 - 50 * t, y - 15 - 35 * t);
                if (d > w / 2.0 + 1) {
                    EXPECT_EQ(c.pixel(x, y), WHITE) << w << ":" << x << "," << y;
                }
                if (d < (w - 1) / 2.0) {
                    EXPECT_NE(c.pixel(x, y), WHITE) << w << ":" << x << "," << y;
                }
            }
        }
    }
}

TEST(WideLine, ZeroLengthDrawsNothing) {
    SoftwareCanvas c = blank();
    c.line(10, 10, 10, 10, wide(9));
    EXPECT_TRUE(painted(c).empty());
}

}  // namespace
}  // namespace tovik::test
