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

// One case of each shape from the pixel rules: the geometry, pens and brushes
// reach GDI unchanged (the cross-check compares every case in depth).
TEST(GdiCanvasTest, EachShapeIsDrawnByItsNativeCall) {
    auto canvas = white_canvas();
    canvas->line(10, 3, 60, 3, THIN);
    canvas->line(2, 11, 0, 10, THIN);
    EXPECT_EQ(inked(*canvas), unite({span(10, 59, 3), {{2, 11}, {1, 10}}})) << "end left out";

    canvas = white_canvas(128, 32);
    canvas->line(10, 10, 110, 10, Pen{INK, 7});
    EXPECT_EQ(inked(*canvas), unite({span(9, 111, 7), span(8, 112, 8), span(7, 113, 9),
                                     span(7, 113, 10), span(7, 113, 11), span(8, 112, 12),
                                     span(9, 111, 13)}))
        << "a centred wide pen with round ends";

    canvas = white_canvas();
    const Colour pen = rgb(200, 0, 0);
    canvas->rectangle(5, 4, 0, 0, Pen{pen, 0}, FILLED);  // corners in any order
    EXPECT_EQ(canvas->pixel(4, 3), pen);
    EXPECT_EQ(canvas->pixel(2, 1), INK) << "brush inside the pen";
    EXPECT_EQ(count_inked(*canvas), 20) << "right and bottom edges left out";
    canvas->rectangle(10, 10, 13, 13, THIN, HOLLOW);
    EXPECT_EQ(count_inked(*canvas), 28);
    EXPECT_EQ(canvas->pixel(11, 11), WHITE) << "the null brush leaves the inside";

    canvas = white_canvas(16, 16);
    canvas->ellipse(0, 0, 5, 5, THIN, FILLED);
    Pixels disc;
    for (int y = 0; y < 5; ++y) {
        for (int x = 0; x < 5; ++x) {
            if ((x != 0 && x != 4) || (y != 0 && y != 4)) disc.insert({x, y});
        }
    }
    EXPECT_EQ(inked(*canvas), disc) << "radius 2: the square less its corners";

    canvas = white_canvas(16, 16);
    const Point64 triangle[] = {{0, 0}, {4, 0}, {0, 4}};
    canvas->polygon(triangle, THIN, FILLED);
    EXPECT_EQ(inked(*canvas), unite({span(0, 4, 0), span(0, 3, 1), span(0, 2, 2), span(0, 1, 3),
                                     span(0, 0, 4)}));
    canvas = white_canvas(16, 16);
    const Point64 collinear[] = {{0, 0}, {4, 0}, {8, 0}};
    canvas->polygon(collinear, THIN, FILLED);
    EXPECT_EQ(inked(*canvas), span(0, 8, 0)) << "the closing segment draws the line";
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

// Geometry far beyond GDI's range is brought into it: nothing wraps, nothing
// costs more than the image, and what lies in the image stays as it was.
TEST(GdiCanvasTest, FarAwayGeometryIsDrawnAsFarAsItIsVisible) {
    constexpr std::int64_t MIN = std::numeric_limits<std::int64_t>::min();
    constexpr std::int64_t MAX = std::numeric_limits<std::int64_t>::max();
    auto canvas = white_canvas(32, 24);
    canvas->rectangle(-HUGE_COORD, -HUGE_COORD, HUGE_COORD, HUGE_COORD, Pen{INK, 9}, HOLLOW);
    EXPECT_EQ(count_inked(*canvas), 0) << "the outline lies far outside";
    canvas->rectangle(MIN, 5, MAX, 7, THIN, FILLED);
    canvas->line(-HUGE_COORD, 20, HUGE_COORD, 20, THIN);
    EXPECT_EQ(inked(*canvas), unite({span(0, 31, 5), span(0, 31, 6), span(0, 31, 20)}));
    canvas->line(-HUGE_COORD, -HUGE_COORD, -HUGE_COORD + 10, HUGE_COORD, Pen{INK, MAX});
    const Point64 beyond[] = {{-HUGE_COORD, 10000}, {HUGE_COORD, 10000}, {0, HUGE_COORD}};
    canvas->polygon(beyond, Pen{INK, 1000000}, FILLED);
    canvas->ellipse(-HUGE_COORD, -HUGE_COORD, HUGE_COORD, HUGE_COORD, Pen{INK, MAX}, HOLLOW);
    EXPECT_EQ(count_inked(*canvas), 96) << "immense pens far away draw nothing here";

    const Point64 around[] = {{-HUGE_COORD, -HUGE_COORD}, {HUGE_COORD, 0}, {0, HUGE_COORD}};
    canvas = white_canvas(32, 24);
    canvas->polygon(around, Pen{INK, 3}, FILLED);
    EXPECT_EQ(count_inked(*canvas), 32 * 24) << "a triangle around the image fills it";
    canvas = white_canvas(32, 24);
    canvas->ellipse(MIN, MIN, MAX, MAX, THIN, FILLED);
    EXPECT_EQ(count_inked(*canvas), 32 * 24) << "so does an ellipse around it";
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
