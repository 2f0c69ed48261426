// Arguments at the ends of the range: shapes far larger than the image, far
// outside it, pens as wide as a 32-bit width allows.  Nothing may change
// outside the shape, nothing may overflow (the sanitizer build runs these), and
// the work done must follow the image's size, not the shape's.
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <functional>
#include <vector>

#include "canvas_support.h"

namespace tovik::test {
namespace {

__extension__ typedef __int128 Int128;

constexpr int W = 601, H = 540;
// What the renderer can hand over: 32-bit framework values on either side of
// an origin inside the image, and circle boxes reaching a radius further.
constexpr std::int64_t LO = std::int64_t{INT_MIN} - 600;
constexpr std::int64_t HI = std::int64_t{INT_MAX} + 600;
constexpr std::int64_t FAR_LO = LO - std::int64_t{INT_MAX};
constexpr std::int64_t FAR_HI = HI + std::int64_t{INT_MAX};

// A small image keeps the many combinations below quick; the shapes are as
// large as ever.
constexpr int SW = 64, SH = 48;

const std::vector<std::int64_t>& extremes() {
    static const std::vector<std::int64_t> values = {INT64_MIN, FAR_LO, LO, -1,     0,
                                                     30,        SW,     HI, FAR_HI, INT64_MAX};
    return values;
}

const std::vector<std::int64_t>& widths() {
    static const std::vector<std::int64_t> values = {0, 2, 7, INT_MAX, INT64_MAX, -5};
    return values;
}

// Runs one drawing and checks its cost: a few writes per pixel at most, and a
// bounded number of steps per image row.
void bounded(const std::function<void(SoftwareCanvas&)>& draw, const std::string& what) {
    static SoftwareCanvas c(SW, SH);
    c.reset_counters();
    draw(c);
    EXPECT_LE(c.counters().pixel_writes, 3u * SW * SH) << what;
    EXPECT_LE(c.counters().steps, 40u * SH + 100) << what;
}

TEST(Extremes, EveryShapeStaysCheapAndInsideTheImage) {
    const auto& v = extremes();
    for (const std::int64_t a : v) {
        for (const std::int64_t b : v) {
            for (const std::int64_t w : widths()) {
                const std::string what =
                    std::to_string(a) + " " + std::to_string(b) + " w" + std::to_string(w);
                const Pen pen{BLACK, w};
                bounded([&](SoftwareCanvas& c) { c.rectangle(a, b, b, a, pen, solid(RED)); },
                        "rect " + what);
                bounded([&](SoftwareCanvas& c) { c.rectangle(a, 10, b, 40, pen, hollow()); },
                        "rect " + what);
                bounded([&](SoftwareCanvas& c) { c.ellipse(a, b, b, a, pen, solid(RED)); },
                        "ellipse " + what);
                bounded([&](SoftwareCanvas& c) { c.ellipse(a, -7, b, 30, pen, hollow()); },
                        "ellipse " + what);
                bounded([&](SoftwareCanvas& c) { c.line(a, b, b, a, pen); }, "line " + what);
                bounded([&](SoftwareCanvas& c) { c.line(a, 17, b, 40, pen); }, "line " + what);
                bounded([&](SoftwareCanvas& c) { c.line(a, b, a, 0, pen); }, "line " + what);
                const Point64 tri[] = {{a, b}, {b, 25}, {30, a}};
                bounded([&](SoftwareCanvas& c) { c.polygon(tri, pen, solid(RED)); },
                        "polygon " + what);
                const Point64 quad[] = {{a, a}, {b, a}, {b, b}, {a, b}};
                bounded([&](SoftwareCanvas& c) { c.polygon(quad, pen, hollow()); },
                        "polygon " + what);
            }
            bounded([&](SoftwareCanvas& c) { c.set_pixel(a, b, RED); }, "pixel");
        }
    }
    SoftwareCanvas c(SW, SH);
    c.text_out(FontRequest{FontFace::Drawing, INT_MIN}, INT64_MIN, INT64_MAX, "far", BLACK, false,
               RED);
    c.text_out(FontRequest{FontFace::Drawing, INT_MAX}, INT64_MAX, INT64_MIN, "far", BLACK, false,
               RED);
    c.fill_rect(INT_MIN, INT_MIN, INT_MAX, INT_MAX, RED);
    c.fill_rect(INT_MAX, INT_MAX, INT_MIN, INT_MIN, BLUE);
    c.scroll_up(INT_MAX);
    c.scroll_up(INT_MIN);
    c.scroll_up(0);
    EXPECT_EQ(pixels_of(c, RED).size(), static_cast<std::size_t>(SW) * SH);
}

// A figure of many points with a pen wider than the image: the pieces pile up
// on every row, and their union still fits the image's rows.
TEST(Extremes, ManyPointedFigureWithAHugePen) {
    std::vector<Point64> star;
    for (int i = 0; i < 20000; ++i) {
        const std::int64_t r = i % 2 ? 40 : HI;
        star.push_back({30 + (i % 4 < 2 ? r : -r), 20 + (i % 3 - 1) * r});
    }
    SoftwareCanvas c = blank(SW, SH);
    c.polygon(star, wide(INT_MAX), hollow());
    EXPECT_EQ(painted(c).size(), static_cast<std::size_t>(SW) * SH);
    EXPECT_LE(c.counters().pixel_writes, 2u * SW * SH);
}

// A circle of radius 2^31 - 1 whose top arc crosses the image: every pixel
// clearly inside is painted, every pixel clearly outside is not, and the cost
// is one span per image row.
TEST(Extremes, HugeCircleIsDrawnRowByRow) {
    const std::int64_t r = INT_MAX;
    const std::int64_t cx = 300, cy = 170 + r;
    SoftwareCanvas c = blank(W, H);
    c.reset_counters();
    c.ellipse(cx - r, cy - r, cx + r + 1, cy + r + 1, thin(BLACK), solid(BLACK));
    EXPECT_LE(c.counters().steps, static_cast<std::uint64_t>(H));
    const Int128 inner = Int128{r - 1} * (r - 1), outer = Int128{r + 1} * (r + 1);
    for (int y = 0; y < H; ++y) {
        for (int x = 0; x < W; ++x) {
            const Int128 dx = x - cx, dy = y - cy;
            const Int128 d2 = dx * dx + dy * dy;
            if (d2 <= inner) {
                ASSERT_EQ(c.pixel(x, y), BLACK) << x << "," << y;
            }
            if (d2 >= outer) {
                ASSERT_EQ(c.pixel(x, y), WHITE) << x << "," << y;
            }
        }
    }
    // The arc's top is row 170 at the centre column.
    EXPECT_EQ(c.pixel(300, 169), WHITE);
    EXPECT_EQ(c.pixel(300, 170), BLACK);
}

// A huge triangle whose long edge is the diagonal y = x: exactly the pixels
// with x < y are filled, and the outline adds the diagonal itself.
TEST(Extremes, HugeTriangleEdgeFollowsTheExactCrossing) {
    const Point64 tri[] = {{LO, LO}, {HI, HI}, {LO, HI}};
    SoftwareCanvas c = blank(W, H);
    c.polygon(tri, thin(BLACK), solid(BLACK));
    for (int y = 0; y < H; ++y) {
        for (int x = 0; x < W; ++x)
            ASSERT_EQ(c.pixel(x, y), x <= y ? BLACK : WHITE) << x << "," << y;
    }
}

// A long line far beyond the image on both ends passes through exactly the
// pixels of its closed form.
Int128 ceil_quotient(Int128 num, Int128 den) {
    Int128 q = num / den;
    if (num % den != 0 && num > 0) ++q;
    return q;
}

TEST(Extremes, HugeLinesMatchTheClosedForm) {
    {
        // x-major, nearly flat, crossing the image around row 250.
        const std::int64_t x0 = LO, y0 = 250 - 1234567, x1 = HI, y1 = 250 + 1234567;
        SoftwareCanvas c = blank(W, H);
        c.line(x0, y0, x1, y1, thin());
        const Int128 n = x1 - x0, dy = y1 - y0;
        PixelSet expected;
        for (int x = 0; x < W; ++x) {
            const Int128 y = y0 + ceil_quotient(2 * dy * (x - x0) - n, 2 * n);
            if (y >= 0 && y < H) expected.insert({x, static_cast<int>(y)});
        }
        EXPECT_EQ(expected.size(), static_cast<std::size_t>(W));
        EXPECT_EQ(painted(c), expected);
    }
    {
        // y-major, upward, from far below the image to far above it.
        const std::int64_t x0 = 1700, y0 = HI, x1 = -1100, y1 = LO;
        SoftwareCanvas c = blank(W, H);
        c.line(x0, y0, x1, y1, thin());
        const Int128 n = y0 - y1, dx = x1 - x0;
        PixelSet expected;
        for (int y = 0; y < H; ++y) {
            const Int128 x = x0 + ceil_quotient(2 * dx * (y0 - y) - n, 2 * n);
            if (x >= 0 && x < W) expected.insert({static_cast<int>(x), y});
        }
        EXPECT_EQ(expected.size(), static_cast<std::size_t>(H));
        EXPECT_EQ(painted(c), expected);
    }
}

TEST(Extremes, PenWiderThanTheImageCoversItAll) {
    SoftwareCanvas c = blank(W, H);
    c.line(-10, 3, 50, 9, wide(INT_MAX));
    EXPECT_EQ(painted(c).size(), static_cast<std::size_t>(W) * H);
    SoftwareCanvas d = blank(W, H);
    d.ellipse(100, 100, 200, 300, wide(INT_MAX), hollow());
    EXPECT_EQ(painted(d).size(), static_cast<std::size_t>(W) * H);
}

// Shapes far off the image draw nothing.
TEST(Extremes, ShapesBeyondTheImageDrawNothing) {
    SoftwareCanvas c = blank(W, H);
    c.ellipse(HI - 50, HI - 50, HI, HI, wide(9), solid());
    c.rectangle(LO, 10, -3, 20, wide(5), solid());
    c.line(W + 3, LO, W + 3, HI, wide(5));
    c.line(LO, -3, HI, -3, wide(5));
    const Point64 tri[] = {{LO, LO}, {HI, LO}, {0, -2}};
    c.polygon(tri, thin(), solid());
    c.text_out(FontRequest{FontFace::Drawing, -40}, HI, 10, "far", BLACK, false, RED);
    c.text_out(FontRequest{FontFace::Drawing, -40}, 10, LO, "far", BLACK, false, RED);
    c.text_out(FontRequest{FontFace::Drawing, INT_MIN}, INT64_MIN, INT64_MAX, "far", BLACK, true,
               RED);
    EXPECT_TRUE(painted(c).empty());
}

// Drawing a shape partly outside the image gives exactly the part of it that a
// larger image shows: clipping never changes a shape.
TEST(Extremes, ClippingNeverChangesAShape) {
    const std::vector<std::function<void(SoftwareCanvas&, int, int)>> shapes = {
        [](SoftwareCanvas& c, int ox, int oy) {
            c.ellipse(ox + 10, oy + 20, ox + 171, oy + 95, thin(BLACK), solid(RED));
        },
        [](SoftwareCanvas& c, int ox, int oy) {
            c.ellipse(ox + 30, oy + 5, ox + 90, oy + 190, wide(9), hollow());
        },
        [](SoftwareCanvas& c, int ox, int oy) {
            c.rectangle(ox + 15, oy + 25, ox + 180, oy + 160, wide(12), solid(RED));
        },
        [](SoftwareCanvas& c, int ox, int oy) {
            const Point64 t[] = {{ox + 5, oy + 190}, {ox + 100, oy + 3}, {ox + 195, oy + 150}};
            c.polygon(t, thin(BLACK), solid(RED));
        },
        [](SoftwareCanvas& c, int ox, int oy) {
            const Point64 t[] = {
                {ox + 20, oy + 170}, {ox + 110, oy + 30}, {ox + 180, oy + 120}, {ox + 90, oy + 90}};
            c.polygon(t, wide(7), hollow());
        },
        [](SoftwareCanvas& c, int ox, int oy) {
            c.line(ox + 3, oy + 7, ox + 197, oy + 131, wide(6));
        },
        [](SoftwareCanvas& c, int ox, int oy) {
            c.line(ox + 190, oy + 2, ox + 11, oy + 188, thin());
        },
        [](SoftwareCanvas& c, int ox, int oy) {
            c.line(ox + 40, oy + 60, ox + 41, oy + 190, wide(5));
        },
    };
    const int big_w = 400, big_h = 400, small_w = 70, small_h = 60;
    for (std::size_t s = 0; s < shapes.size(); ++s) {
        SoftwareCanvas big = blank(big_w, big_h);
        shapes[s](big, 100, 100);
        for (int wx = 60; wx < 320; wx += 37) {
            for (int wy = 60; wy < 320; wy += 41) {
                SoftwareCanvas small = blank(small_w, small_h);
                shapes[s](small, 100 - wx, 100 - wy);
                for (int y = 0; y < small_h; ++y) {
                    for (int x = 0; x < small_w; ++x) {
                        ASSERT_EQ(small.pixel(x, y), big.pixel(x + wx, y + wy))
                            << "shape " << s << " window " << wx << "," << wy << " at " << x << ","
                            << y;
                    }
                }
            }
        }
    }
}

}  // namespace
}  // namespace tovik::test
