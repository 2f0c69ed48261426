// The GDI canvas: that each operation reaches GDI as the native call it
// stands for (the coverage cases of the pixel rules come out as GDI draws
// them), that colours and rows are read back the right way round, that no
// object stays selected or leaks, and that extreme geometry is brought into
// GDI's range without changing what is visible.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <set>
#include <utility>
#include <vector>

#include "win32/gdi_canvas.h"

namespace tovik {
namespace {

constexpr Colour WHITE = rgb(255, 255, 255);
constexpr Colour INK = rgb(10, 20, 200);
constexpr Pen THIN{INK, 0};
constexpr Brush FILLED{INK, false};
constexpr Brush HOLLOW{INK, true};
constexpr std::int64_t HUGE_COORD = std::int64_t{1} << 40;

using Pixels = std::set<std::pair<int, int>>;  // (x, y)

std::unique_ptr<GdiCanvas> white_canvas(int width = 64, int height = 64) {
    auto canvas = GdiCanvas::create(width, height);
    if (canvas) canvas->fill_rect(0, 0, width, height, WHITE);
    return canvas;
}

Pixels inked(const Canvas& canvas) {
    Pixels out;
    for (int y = 0; y < canvas.height(); ++y) {
        for (int x = 0; x < canvas.width(); ++x) {
            if (canvas.pixel(x, y) != WHITE) out.insert({x, y});
        }
    }
    return out;
}

Pixels span(int x0, int x1, int y) {
    Pixels out;
    for (int x = x0; x <= x1; ++x) out.insert({x, y});
    return out;
}

Pixels unite(std::initializer_list<Pixels> parts) {
    Pixels out;
    for (const Pixels& p : parts) out.insert(p.begin(), p.end());
    return out;
}

int count_inked(const Canvas& canvas) { return static_cast<int>(inked(canvas).size()); }

TEST(GdiCanvasTest, ABitmapNeedsAPositiveSize) {
    EXPECT_EQ(GdiCanvas::create(0, 10), nullptr);
    EXPECT_EQ(GdiCanvas::create(10, -1), nullptr);
    auto canvas = GdiCanvas::create(601, 540);
    ASSERT_NE(canvas, nullptr);
    EXPECT_EQ(canvas->width(), 601);
    EXPECT_EQ(canvas->height(), 540);
    EXPECT_EQ(canvas->stride(), 601);
}

TEST(GdiCanvasTest, PixelsReadBackInTheirColourAndPlace) {
    auto canvas = white_canvas(8, 4);
    canvas->set_pixel(7, 0, rgb(1, 2, 3));
    canvas->set_pixel(0, 3, rgb(250, 128, 7));
    canvas->set_pixel(-1, 2, INK);  // outside: nothing
    canvas->set_pixel(8, 2, INK);
    canvas->set_pixel(HUGE_COORD, -HUGE_COORD, INK);
    EXPECT_EQ(canvas->pixel(7, 0), rgb(1, 2, 3));
    EXPECT_EQ(canvas->pixel(0, 3), rgb(250, 128, 7)) << "top-down rows";
    EXPECT_EQ(canvas->data()[7], 0x010203u) << "0x00RRGGBB in memory";
    EXPECT_EQ(count_inked(*canvas), 2);
    EXPECT_EQ(canvas->pixel(-1, 0), 0u);
    EXPECT_EQ(canvas->pixel(8, 0), 0u);
}

TEST(GdiCanvasTest, LinesLeaveOutTheirEndPoint) {
    struct Case {
        int x0, y0, x1, y1;
        Pixels expected;
    };
    const std::vector<Case> cases = {
        {10, 3, 60, 3, span(10, 59, 3)},
        {60, 53, 10, 53, span(11, 60, 53)},
        {0, 0, 2, 1, {{0, 0}, {1, 0}}},
        {2, 1, 0, 0, {{2, 1}, {1, 0}}},
        {0, 0, 1, 2, {{0, 0}, {0, 1}}},
        {5, 5, 5, 5, {}},
    };
    for (const Case& c : cases) {
        auto canvas = white_canvas();
        canvas->line(c.x0, c.y0, c.x1, c.y1, THIN);
        EXPECT_EQ(inked(*canvas), c.expected) << c.x0 << "," << c.y0 << " to " << c.x1 << "," << c.y1;
    }
    auto canvas = white_canvas(128, 64);
    canvas->line(10, 10, 110, 60, THIN);
    Pixels diagonal;
    for (int k = 0; k < 100; ++k) diagonal.insert({10 + k, 10 + k / 2});
    EXPECT_EQ(inked(*canvas), diagonal);
}

TEST(GdiCanvasTest, WidePensAreCentredWithRoundEnds) {
    auto canvas = white_canvas(128, 32);
    canvas->line(10, 10, 110, 10, Pen{INK, 7});
    EXPECT_EQ(inked(*canvas), unite({span(9, 111, 7), span(8, 112, 8), span(7, 113, 9),
                                     span(7, 113, 10), span(7, 113, 11), span(8, 112, 12),
                                     span(9, 111, 13)}));
    EXPECT_EQ(count_inked(*canvas), 737);

    canvas = white_canvas(32, 32);
    canvas->rectangle(10, 10, 20, 18, Pen{INK, 3}, HOLLOW);
    Pixels band = unite({span(10, 19, 9), span(10, 19, 18), span(9, 20, 10), span(9, 20, 11),
                         span(9, 20, 16), span(9, 20, 17)});
    for (int y = 12; y <= 15; ++y) band = unite({band, span(9, 11, y), span(18, 20, y)});
    EXPECT_EQ(inked(*canvas), band);
}

TEST(GdiCanvasTest, RectanglesCoverTheirLeftAndTopEdgesOnly) {
    auto canvas = white_canvas();
    const Colour pen = rgb(200, 0, 0);
    canvas->rectangle(0, 0, 5, 4, Pen{pen, 0}, FILLED);
    for (int x = 0; x <= 4; ++x) {
        EXPECT_EQ(canvas->pixel(x, 0), pen);
        EXPECT_EQ(canvas->pixel(x, 3), pen);
    }
    EXPECT_EQ(canvas->pixel(0, 1), pen);
    EXPECT_EQ(canvas->pixel(4, 2), pen);
    EXPECT_EQ(canvas->pixel(2, 1), INK) << "brush inside";
    EXPECT_EQ(canvas->pixel(5, 0), WHITE);
    EXPECT_EQ(canvas->pixel(0, 4), WHITE);
    EXPECT_EQ(count_inked(*canvas), 20);

    canvas = white_canvas();
    canvas->rectangle(10, 10, 13, 13, THIN, HOLLOW);
    EXPECT_EQ(count_inked(*canvas), 8);
    EXPECT_EQ(canvas->pixel(11, 11), WHITE) << "the null brush leaves the inside";

    canvas = white_canvas();
    canvas->rectangle(13, 13, 10, 10, THIN, FILLED);  // reversed corners are ordered
    EXPECT_EQ(count_inked(*canvas), 9);
    canvas->rectangle(20, 20, 20, 30, THIN, FILLED);  // no width: nothing
    EXPECT_EQ(count_inked(*canvas), 9);
}

TEST(GdiCanvasTest, EllipsesFollowTheNativeOutline) {
    auto canvas = white_canvas(16, 16);
    canvas->ellipse(0, 0, 5, 5, THIN, FILLED);  // r = 2: the square less its corners
    Pixels expected;
    for (int y = 0; y < 5; ++y) {
        for (int x = 0; x < 5; ++x) {
            if ((x == 0 || x == 4) && (y == 0 || y == 4)) continue;
            expected.insert({x, y});
        }
    }
    EXPECT_EQ(inked(*canvas), expected);

    canvas = white_canvas(16, 16);
    canvas->ellipse(0, 0, 7, 7, THIN, HOLLOW);  // r = 3
    EXPECT_EQ(inked(*canvas),
              unite({span(2, 4, 0), {{1, 1}, {5, 1}}, {{0, 2}, {6, 2}, {0, 3}, {6, 3}, {0, 4}, {6, 4}},
                     {{1, 5}, {5, 5}}, span(2, 4, 6)}));
}

TEST(GdiCanvasTest, PolygonsFillAlternateAndOutlineOnTop) {
    auto canvas = white_canvas(16, 16);
    const Point64 triangle[] = {{0, 0}, {4, 0}, {0, 4}};
    canvas->polygon(triangle, THIN, FILLED);
    EXPECT_EQ(inked(*canvas), unite({span(0, 4, 0), span(0, 3, 1), span(0, 2, 2), span(0, 1, 3),
                                     span(0, 0, 4)}));

    canvas = white_canvas(16, 16);
    const Point64 collinear[] = {{0, 0}, {4, 0}, {8, 0}};
    canvas->polygon(collinear, THIN, FILLED);
    EXPECT_EQ(inked(*canvas), span(0, 8, 0));

    canvas = white_canvas(16, 16);
    const Point64 point[] = {{3, 3}, {3, 3}, {3, 3}};
    canvas->polygon(point, THIN, FILLED);
    EXPECT_TRUE(inked(*canvas).empty());
}

TEST(GdiCanvasTest, EveryShapeSelectsBackWhatItFoundAndReleasesItsObjects) {
    auto canvas = white_canvas();
    HDC dc = canvas->context();
    HGDIOBJ pen = GetCurrentObject(dc, OBJ_PEN);
    HGDIOBJ brush = GetCurrentObject(dc, OBJ_BRUSH);
    HGDIOBJ font = GetCurrentObject(dc, OBJ_FONT);
    const DWORD objects_before = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    const Point64 triangle[] = {{1, 1}, {30, 5}, {9, 40}};
    for (int i = 0; i < 50; ++i) {
        canvas->polygon(triangle, Pen{INK, 3}, FILLED);
        canvas->rectangle(2, 2, 40, 30, Pen{INK, 2}, HOLLOW);
        canvas->ellipse(2, 2, 40, 30, THIN, FILLED);
        canvas->line(0, 0, 50, 60, Pen{INK, 5});
        canvas->fill_rect(0, 0, 5, 5, INK);
        canvas->text_out({FontFace::Drawing, -12}, 3, 3, "Abc", INK, true, WHITE);
        canvas->text_extent({FontFace::Drawing, -12}, "Abc");
    }
    EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), pen);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), brush);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), font);
    EXPECT_EQ(GetBkMode(dc), OPAQUE) << "the background mode is restored";
    EXPECT_LE(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), objects_before);
}

TEST(GdiCanvasTest, FarAwayRectanglesAreClampedWithoutChangingWhatIsVisible) {
    auto canvas = white_canvas(32, 24);
    canvas->rectangle(-HUGE_COORD, -HUGE_COORD, HUGE_COORD, HUGE_COORD, Pen{INK, 9}, HOLLOW);
    EXPECT_EQ(count_inked(*canvas), 0) << "the outline lies far outside";
    canvas->rectangle(-HUGE_COORD, 5, HUGE_COORD, 10, THIN, FILLED);
    EXPECT_EQ(inked(*canvas), unite({span(0, 31, 5), span(0, 31, 6), span(0, 31, 7),
                                     span(0, 31, 8), span(0, 31, 9)}));
    canvas->rectangle(std::numeric_limits<std::int64_t>::min(), 0,
                      std::numeric_limits<std::int64_t>::max(), 24, THIN, FILLED);
    EXPECT_EQ(count_inked(*canvas), 32 * 24);
}

TEST(GdiCanvasTest, FarAwayLinesAndPolygonsAreClippedToGdisRange) {
    auto canvas = white_canvas(32, 24);
    canvas->line(-HUGE_COORD, 4, HUGE_COORD, 4, THIN);
    EXPECT_EQ(inked(*canvas), span(0, 31, 4));
    canvas->line(-HUGE_COORD, -HUGE_COORD, -HUGE_COORD + 10, HUGE_COORD, Pen{INK, 1000000});
    EXPECT_EQ(count_inked(*canvas), 32) << "an immense pen far away draws nothing here";

    canvas = white_canvas(32, 24);
    const Point64 around[] = {{-HUGE_COORD, -HUGE_COORD}, {HUGE_COORD, 0}, {0, HUGE_COORD}};
    canvas->polygon(around, Pen{INK, 3}, FILLED);
    EXPECT_EQ(count_inked(*canvas), 32 * 24) << "a triangle around the image fills it";

    canvas = white_canvas(32, 24);
    const Point64 beyond[] = {{-HUGE_COORD, 100}, {HUGE_COORD, 100}, {0, HUGE_COORD}};
    canvas->polygon(beyond, THIN, FILLED);
    EXPECT_EQ(count_inked(*canvas), 0);
}

TEST(GdiCanvasTest, HugeEllipsesStayCheapAndCoverWhatTheyContain) {
    auto canvas = white_canvas(32, 24);
    canvas->ellipse(-HUGE_COORD, -HUGE_COORD, HUGE_COORD, HUGE_COORD, THIN, FILLED);
    EXPECT_EQ(count_inked(*canvas), 32 * 24);

    canvas = white_canvas(32, 24);
    canvas->ellipse(-HUGE_COORD, -HUGE_COORD, HUGE_COORD, HUGE_COORD,
                    Pen{INK, std::numeric_limits<std::int64_t>::max()}, HOLLOW);
    EXPECT_EQ(count_inked(*canvas), 0);
}

TEST(GdiCanvasTest, FillAndScrollStayInsideTheImage) {
    auto canvas = white_canvas(8, 6);
    canvas->fill_rect(-100, 2, 100, 3, INK);
    EXPECT_EQ(inked(*canvas), span(0, 7, 2));
    canvas->fill_rect(5, 5, 2, 2, INK);  // empty
    EXPECT_EQ(count_inked(*canvas), 8);

    canvas->scroll_up(2);  // row 2 moves to row 0; the bottom rows keep theirs
    EXPECT_EQ(inked(*canvas), span(0, 7, 0));
    canvas->set_pixel(3, 5, INK);
    canvas->scroll_up(6);
    canvas->scroll_up(-3);
    EXPECT_EQ(inked(*canvas), unite({span(0, 7, 0), {{3, 5}}}));
}

TEST(GdiCanvasTest, TextIsMeasuredAndDrawnInTheRequestedFont) {
    auto canvas = white_canvas(200, 60);
    const FontRequest drawing{FontFace::Drawing, -20};
    const Extent empty = canvas->text_extent(drawing, "");
    EXPECT_EQ(empty.width, 0);
    EXPECT_EQ(empty.height, 0);
    const Extent extent = canvas->text_extent(drawing, "Monkey");
    EXPECT_GT(extent.width, 0);
    EXPECT_EQ(extent.height, canvas->font_metrics(drawing).height) << "a cell high";
    EXPECT_GE(extent.height, 20) << "an em of 20 pixels lies inside the cell";

    // Transparent: only glyph pixels change, all within the text's cells.
    canvas->text_out(drawing, 10, 5, "Monkey", INK, true, WHITE);
    const Pixels glyphs = inked(*canvas);
    EXPECT_FALSE(glyphs.empty());
    for (const auto& [x, y] : glyphs) {
        EXPECT_GE(x, 10);
        EXPECT_LT(x, 10 + extent.width);
        EXPECT_GE(y, 5);
        EXPECT_LT(y, 5 + extent.height);
    }
    EXPECT_LT(glyphs.size(), static_cast<std::size_t>(extent.width * extent.height) / 2);

    // Opaque: the whole cell takes the background.
    canvas = white_canvas(200, 60);
    const Colour paper = rgb(0, 200, 0);
    canvas->text_out(drawing, 10, 5, "Monkey", INK, false, paper);
    int paper_pixels = 0;
    for (int y = 5; y < 5 + extent.height; ++y) {
        for (int x = 10; x < 10 + extent.width; ++x) {
            EXPECT_NE(canvas->pixel(x, y), WHITE) << x << "," << y;
            if (canvas->pixel(x, y) == paper) ++paper_pixels;
        }
    }
    EXPECT_GT(paper_pixels, 0);
    EXPECT_EQ(canvas->pixel(9, 5), WHITE);

    // Far-away anchors draw nothing and cost nothing.
    canvas = white_canvas(200, 60);
    canvas->text_out(drawing, -HUGE_COORD, HUGE_COORD, "Monkey", INK, false, paper);
    EXPECT_EQ(count_inked(*canvas), 0);
}

TEST(GdiCanvasTest, TheFixedPitchFontIsTheStockOneWithEqualAdvances) {
    auto canvas = white_canvas();
    const FontRequest fixed{FontFace::FixedPitch, 0};
    const TextMetrics metrics = canvas->font_metrics(fixed);
    EXPECT_GT(metrics.height, 0);
    EXPECT_GT(metrics.ascent, 0);
    EXPECT_EQ(canvas->text_extent(fixed, "iii").width, canvas->text_extent(fixed, "WWW").width);

    HDC dc = canvas->context();
    SelectObject(dc, GetStockObject(ANSI_FIXED_FONT));
    TEXTMETRICA stock{};
    GetTextMetricsA(dc, &stock);
    EXPECT_EQ(metrics.height, stock.tmHeight);
    EXPECT_EQ(metrics.external_leading, stock.tmExternalLeading);
}

}  // namespace
}  // namespace tovik
