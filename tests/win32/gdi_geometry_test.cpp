// Clamping and clipping for GDI: geometry inside the margin passes untouched,
// geometry beyond it is cut at the margin's edge.
#include <gtest/gtest.h>

#include <limits>

#include "win32/gdi_geometry.h"

namespace tovik::gdi {
namespace {

const Box box = drawing_box(100, 50);  // x -65536..65636, y -65536..65586

bool operator==(const Point64& a, const Point64& b) { return a.x == b.x && a.y == b.y; }

TEST(GdiGeometryTest, TheBoxIsTheImageGrownByTheMargin) {
    EXPECT_EQ(box.left, -MARGIN);
    EXPECT_EQ(box.top, -MARGIN);
    EXPECT_EQ(box.right, 100 + MARGIN);
    EXPECT_EQ(box.bottom, 50 + MARGIN);
    EXPECT_EQ(pen_width(-5), 0);
    EXPECT_EQ(pen_width(7), 7);
    EXPECT_EQ(pen_width(std::numeric_limits<std::int64_t>::max()), MAX_PEN_WIDTH);
    EXPECT_EQ(clamp_to_int(std::numeric_limits<std::int64_t>::min(), -3, 3), -3);
}

TEST(GdiGeometryTest, SegmentsInsideStayAndOthersAreCutAtTheEdge) {
    Point64 a{-60000, 7};
    Point64 b{60000, 9};
    ASSERT_TRUE(clip_segment(a, b, box));
    EXPECT_TRUE(a == (Point64{-60000, 7}));
    EXPECT_TRUE(b == (Point64{60000, 9}));

    a = {-(std::int64_t{1} << 40), 10};
    b = {std::int64_t{1} << 40, 10};
    ASSERT_TRUE(clip_segment(a, b, box));
    EXPECT_TRUE(a == (Point64{box.left, 10}));
    EXPECT_TRUE(b == (Point64{box.right, 10}));

    // Only the far end moves; along the way the line keeps its slope.
    a = {0, 0};
    b = {4 * MARGIN, 2 * MARGIN};
    ASSERT_TRUE(clip_segment(a, b, box));
    EXPECT_TRUE(a == (Point64{0, 0}));
    EXPECT_EQ(b.x, box.right);
    EXPECT_EQ(b.y, box.right / 2);

    a = {box.right + 1, 0};
    b = {box.right + 1000, 40};
    EXPECT_FALSE(clip_segment(a, b, box));
}

TEST(GdiGeometryTest, PolygonsAreCutToTheBoxKeepingTheirInside) {
    const Point64 inside[] = {{-5, -5}, {500, 3}, {7, 900}};
    const std::vector<Point64> same = clip_polygon(inside, box);
    ASSERT_EQ(same.size(), 3u);
    EXPECT_TRUE(same[1] == inside[1]);

    const std::int64_t far = std::int64_t{1} << 40;
    const Point64 around[] = {{-far, -far}, {far, 0}, {0, far}};
    const std::vector<Point64> clipped = clip_polygon(around, box);
    ASSERT_GE(clipped.size(), 3u);
    for (const Point64& p : clipped) EXPECT_TRUE(box.contains(p));

    const Point64 outside[] = {{-far, -far}, {-far + 10, -far}, {-far, -far + 10}};
    EXPECT_LT(clip_polygon(outside, box).size(), 2u);
}

}  // namespace
}  // namespace tovik::gdi
