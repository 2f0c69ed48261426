// Polygons: the alternate fill with the top-left rule, then the outline.
#include <gtest/gtest.h>

#include <array>
#include <map>
#include <vector>

#include "canvas/polygon_fill.h"
#include "canvas_support.h"

namespace tovik::test {
namespace {

template <std::size_t N>
PixelSet polygon(const std::array<Point64, N>& points, const Pen& pen, const Brush& brush) {
    SoftwareCanvas c = blank(40, 30);
    c.polygon(points, pen, brush);
    return painted(c);
}

// Counts how often each pixel is offered: the fill alone, without a pen.
class CountingSink final : public raster::SpanSink {
public:
    CountingSink() : SpanSink(40, 30) {}
    std::map<std::pair<int, int>, int> hits;

private:
    void put(int y, int x0, int x1) override {
        for (int x = x0; x < x1; ++x) ++hits[{x, y}];
    }
};

TEST(Polygon, SquareFillsHalfOpenRowsAndColumnsAndTheOutlineReachesOneFurther) {
    const std::vector<Point64> square{{0, 0}, {4, 0}, {4, 4}, {0, 4}};
    CountingSink fill;
    raster::polygon_fill(fill, square);
    PixelSet inside;
    for (const auto& [p, n] : fill.hits) inside.insert(p);
    PixelSet expected;
    for (int y = 0; y < 4; ++y) expected.merge(row_run(y, 0, 3));
    EXPECT_EQ(inside, expected);

    SoftwareCanvas c = blank(40, 30);
    c.polygon(square, thin(), solid());
    for (int y = 0; y < 5; ++y) expected.merge(row_run(y, 0, 4));
    EXPECT_EQ(painted(c), expected);
    EXPECT_EQ(
        polygon(std::array<Point64, 4>{{{0, 0}, {4, 0}, {4, 4}, {0, 4}}}, thin(), hollow()).size(),
        16u);
}

TEST(Polygon, FilledTriangleWithSameColourPen) {
    const std::array<Point64, 3> t{{{0, 0}, {4, 0}, {0, 4}}};
    const PixelSet fill =
        merge({row_run(0, 0, 3), row_run(1, 0, 2), row_run(2, 0, 1), row_run(3, 0, 0)});
    const PixelSet outline =
        merge({row_run(0, 0, 4), {{3, 1}, {2, 2}, {1, 3}}, {{0, 1}, {0, 2}, {0, 3}, {0, 4}}});
    EXPECT_EQ(polygon(t, thin(), solid()), merge({fill, outline}));
    // The fill alone, seen through a pen of another colour.
    SoftwareCanvas c = blank(40, 30);
    c.polygon(t, Pen{RED, 0}, solid(BLACK));
    EXPECT_EQ(pixels_of(c, BLACK), (PixelSet{{1, 1}, {2, 1}, {1, 2}}));
    EXPECT_EQ(pixels_of(c, RED), outline);
}

TEST(Polygon, DegenerateFiguresFillNothing) {
    EXPECT_TRUE(polygon(std::array<Point64, 3>{{{3, 3}, {3, 3}, {3, 3}}}, thin(), solid()).empty());
    EXPECT_EQ(polygon(std::array<Point64, 3>{{{0, 0}, {4, 0}, {8, 0}}}, thin(), solid()),
              row_run(0, 0, 8));
    // Collinear and slanted: the line pixels both ways, no inside.
    SoftwareCanvas c = blank(40, 30);
    c.polygon(std::array<Point64, 3>{{{2, 2}, {6, 6}, {10, 10}}}, Pen{RED, 0}, solid(BLACK));
    EXPECT_TRUE(pixels_of(c, BLACK).empty());
    EXPECT_EQ(pixels_of(c, RED).size(), 9u);
    SoftwareCanvas none = blank(40, 30);
    none.polygon(std::span<const Point64>(), thin(), solid());
    none.polygon(std::array<Point64, 1>{{{5, 5}}}, thin(), solid());
    EXPECT_TRUE(painted(none).empty());
}

TEST(Polygon, AlternateRuleLeavesTheCentreOfAPentagramEmpty) {
    const std::array<Point64, 5> star{{{20, 0}, {32, 28}, {2, 10}, {38, 10}, {8, 28}}};
    SoftwareCanvas c = blank(40, 30);
    c.polygon(star, Pen{RED, 0}, solid(BLACK));
    EXPECT_EQ(c.pixel(20, 15), WHITE);  // the middle crosses two edges on each side
    EXPECT_EQ(c.pixel(20, 5), BLACK);   // a point of the star
    EXPECT_EQ(c.pixel(10, 12), BLACK);
}

TEST(Polygon, AdjacentFillsShareTheirEdgeWithoutOverlapOrGap) {
    // A quadrilateral split along its diagonal, and a fan of triangles around a point:
    // every pixel of the whole is filled exactly once by the parts.
    const std::vector<std::vector<Point64>> parts = {{{1, 1}, {33, 4}, {7, 27}},
                                                     {{33, 4}, {37, 25}, {7, 27}}};
    const std::vector<Point64> whole = {{1, 1}, {33, 4}, {37, 25}, {7, 27}};
    CountingSink split, one;
    for (const auto& part : parts) raster::polygon_fill(split, part);
    raster::polygon_fill(one, whole);
    for (const auto& [p, n] : split.hits) EXPECT_EQ(n, 1) << p.first << "," << p.second;
    EXPECT_EQ(split.hits.size(), one.hits.size());

    const Point64 centre{19, 13};
    const std::vector<Point64> ring = {{3, 2},   {20, 1}, {36, 6}, {38, 20},
                                       {25, 29}, {5, 26}, {1, 14}};
    CountingSink fan, hull;
    for (std::size_t i = 0; i < ring.size(); ++i) {
        raster::polygon_fill(fan,
                             std::vector<Point64>{centre, ring[i], ring[(i + 1) % ring.size()]});
    }
    raster::polygon_fill(hull, ring);
    for (const auto& [p, n] : fan.hits) EXPECT_EQ(n, 1) << p.first << "," << p.second;
    EXPECT_EQ(fan.hits.size(), hull.hits.size());
}

TEST(WidePolygon, ClosedFigureWithRoundJoins) {
    const std::array<Point64, 3> t{{{8, 5}, {30, 5}, {8, 24}}};
    SoftwareCanvas c = blank(40, 30);
    c.polygon(t, wide(3), hollow());
    // The straight sides are bands of three across, the join at (8, 5) is round.
    EXPECT_EQ(c.pixel(7, 4), WHITE);
    EXPECT_NE(c.pixel(8, 4), WHITE);
    EXPECT_NE(c.pixel(7, 5), WHITE);
    for (int y = 8; y < 20; ++y) {
        EXPECT_EQ(c.pixel(6, y), WHITE);
        EXPECT_NE(c.pixel(7, y), WHITE);
        EXPECT_NE(c.pixel(9, y), WHITE);
    }
    EXPECT_EQ(c.pixel(14, 10), WHITE);  // the inside stays
    // The far corners are covered too: a closed figure has no open ends.
    EXPECT_NE(c.pixel(30, 5), WHITE);
    EXPECT_NE(c.pixel(8, 24), WHITE);
}

}  // namespace
}  // namespace tovik::test
