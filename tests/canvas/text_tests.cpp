// Text: cells, baseline, extents, transparent and opaque backgrounds, Latin-1
// bytes and missing glyphs, in the pinned Liberation faces.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <string>

#include "canvas/font_cache.h"
#include "canvas/fonts.h"
#include "canvas/glyph_blend.h"
#include "canvas_support.h"

namespace tovik::test {
namespace {

class Text : public ::testing::Test {
protected:
    void SetUp() override {
        if (!pin_test_fonts()) GTEST_SKIP() << "the package fonts-liberation2 is needed";
    }
};

const FontRequest DRAWING_20{FontFace::Drawing, -20};

struct Box {
    int x0 = 1 << 30, y0 = 1 << 30, x1 = -1, y1 = -1;  // inclusive
};

Box ink_box(const SoftwareCanvas& c, Colour background) {
    Box b;
    for (int y = 0; y < c.height(); ++y) {
        for (int x = 0; x < c.width(); ++x) {
            if (c.pixel(x, y) == background) continue;
            b.x0 = std::min(b.x0, x), b.y0 = std::min(b.y0, y);
            b.x1 = std::max(b.x1, x), b.y1 = std::max(b.y1, y);
        }
    }
    return b;
}

TEST_F(Text, EmptyTextMeasuresNothingAndDrawsNothing) {
    SoftwareCanvas c = blank();
    EXPECT_EQ(c.text_extent(DRAWING_20, "").width, 0);
    EXPECT_EQ(c.text_extent(DRAWING_20, "").height, 0);
    c.text_out(DRAWING_20, 5, 5, "", BLACK, false, RED);
    EXPECT_TRUE(painted(c).empty());
}

TEST_F(Text, ExtentIsTheSumOfAdvancesByTheCellHeight) {
    SoftwareCanvas c = blank();
    const Extent ab = c.text_extent(DRAWING_20, "AB");
    const Extent a = c.text_extent(DRAWING_20, "A");
    const Extent b = c.text_extent(DRAWING_20, "B");
    EXPECT_EQ(ab.width, a.width + b.width);
    const TextMetrics m = c.font_metrics(DRAWING_20);
    EXPECT_EQ(ab.height, m.height);
    EXPECT_GT(m.ascent, 0);
    EXPECT_LT(m.ascent, m.height);
    // An em of 20 pixels: the cell is about 1.12 em.
    EXPECT_GE(m.height, 22);
    EXPECT_LE(m.height, 25);
    // Height 0 is the default size: a cell of about 15 pixels.
    const TextMetrics d = c.font_metrics(FontRequest{FontFace::Drawing, 0});
    EXPECT_GE(d.height, 13);
    EXPECT_LE(d.height, 17);
    // A positive height asks for the cell itself.
    EXPECT_NEAR(c.font_metrics(FontRequest{FontFace::Drawing, 40}).height, 40, 1);
}

TEST_F(Text, TransparentTextTouchesOnlyGlyphPixelsInsideItsCells) {
    SoftwareCanvas c(120, 60);
    c.fill_rect(0, 0, 120, 60, GREEN);
    c.text_out(DRAWING_20, 10, 12, "Wax", BLACK, true, RED);
    const Extent e = c.text_extent(DRAWING_20, "Wax");
    const Box ink = ink_box(c, GREEN);
    EXPECT_GE(ink.x0, 10);
    EXPECT_LT(ink.x1, 10 + e.width);
    EXPECT_GE(ink.y0, 12);
    EXPECT_LT(ink.y1, 12 + e.height);
    EXPECT_TRUE(pixels_of(c, RED).empty());
    EXPECT_FALSE(pixels_of(c, BLACK).empty());
    // Glyphs sit on the baseline, ascent rows below the top of the cell.
    const int baseline = 12 + c.font_metrics(DRAWING_20).ascent;
    EXPECT_EQ(ink.y1, baseline - 1);
}

TEST_F(Text, OpaqueTextFillsItsCellsFirst) {
    SoftwareCanvas c(120, 60);
    c.fill_rect(0, 0, 120, 60, GREEN);
    c.text_out(DRAWING_20, 10, 12, "Wax", BLACK, false, WHITE);
    const Extent e = c.text_extent(DRAWING_20, "Wax");
    for (int y = 0; y < 60; ++y) {
        for (int x = 0; x < 120; ++x) {
            const bool cell = x >= 10 && x < 10 + e.width && y >= 12 && y < 12 + e.height;
            EXPECT_EQ(c.pixel(x, y) == GREEN, !cell) << x << "," << y;
        }
    }
}

TEST_F(Text, LatinOneBytesAndMissingGlyphs) {
    SoftwareCanvas e_plain = blank(40, 40), e_acute = blank(40, 40), control = blank(40, 40);
    e_plain.text_out(DRAWING_20, 5, 5, "e", BLACK, true, WHITE);
    e_acute.text_out(DRAWING_20, 5, 5, "\xE9", BLACK, true, WHITE);  // é
    // The accent stands above the plain letter; the bowl is the same.
    EXPECT_LT(ink_box(e_acute, WHITE).y0, ink_box(e_plain, WHITE).y0);
    EXPECT_EQ(ink_box(e_acute, WHITE).y1, ink_box(e_plain, WHITE).y1);
    // U+0081 has no glyph in the face: the face's missing-glyph box is drawn.
    control.text_out(DRAWING_20, 5, 5, "\x81", BLACK, true, WHITE);
    EXPECT_FALSE(painted(control).empty());
    EXPECT_GT(control.text_extent(DRAWING_20, "\x81").width, 0);
}

TEST_F(Text, FixedPitchCellsAreAllOneWidth) {
    SoftwareCanvas c = blank();
    const FontRequest fixed{FontFace::FixedPitch, 0};
    const int w = c.text_extent(fixed, "i").width;
    EXPECT_GT(w, 0);
    EXPECT_EQ(c.text_extent(fixed, "MiW.").width, 4 * w);
    const TextMetrics m = c.font_metrics(fixed);
    EXPECT_GE(m.height, 13);
    EXPECT_LE(m.height, 16);
}

TEST_F(Text, CachedGlyphsDrawTheSameAsFreshOnes) {
    const auto draw = [](int size) {
        SoftwareCanvas c = blank(200, 80);
        c.text_out(FontRequest{FontFace::Drawing, -size}, 3, 4, "Cache me", RED, true, WHITE);
        return picture(c, 0, 0, 200, 80);
    };
    const auto first = draw(31);
    draw(12);
    draw(75);
    EXPECT_EQ(draw(31), first);
}

TEST_F(Text, TextPartlyOutsideTheImageIsClipped) {
    SoftwareCanvas whole = blank(200, 80);
    whole.text_out(DRAWING_20, 50, 30, "Clip", BLACK, false, RED);
    SoftwareCanvas part = blank(60, 30);
    part.text_out(DRAWING_20, 50 - 70, 30 - 40, "Clip", BLACK, false, RED);
    EXPECT_EQ(picture(part, 0, 0, 60, 30), picture(whole, 70, 40, 130, 70));
}

TEST_F(Text, AFaceWithoutAFileDrawsNothing) {
    pin_font_file(FontFace::Menu, "/nonexistent/font.ttf");
    SoftwareCanvas c = blank();
    const FontRequest menu{FontFace::Menu, -12};
    c.text_out(menu, 2, 2, "Run", BLACK, false, RED);
    EXPECT_TRUE(painted(c).empty());
    EXPECT_EQ(c.text_extent(menu, "Run").width, 0);
    EXPECT_EQ(c.font_metrics(menu).height, 0);
    pin_test_fonts();
    c.text_out(menu, 2, 2, "Run", BLACK, false, RED);
    EXPECT_FALSE(painted(c).empty());
}

// The control panel's labels: 12 pixels is drawn aliased and hinted, so only
// the text colour and the background appear; drawing advances by the hinted
// widths while the extent (and the opaque cells) add up the unhinted ones;
// the line is round(ascent) + round(descent) high.
TEST_F(Text, TwelvePixelLabelsAreAliasedWithThePlatformsWidths) {
    const FontRequest label{FontFace::Drawing, -12};
    SoftwareCanvas c(140, 30);
    c.fill_rect(0, 0, 140, 30, GREEN);
    c.text_out(label, 4, 6, "Initialize Monkeys", BLACK, false, WHITE);
    // The opaque cells are as wide as the extent.
    int cells = 0;
    for (int x = 0; x < 140; ++x) cells += c.pixel(x, 6 + 7) != GREEN;
    EXPECT_EQ(cells, 97);
    EXPECT_EQ(c.text_extent(label, "Initialize Monkeys").width, 97);
    // A glyph after the label starts 95 pixels on.
    SoftwareCanvas joined = blank(140, 30), parts = blank(140, 30);
    joined.text_out(label, 4, 6, "Initialize Monkeys|", BLACK, true, WHITE);
    parts.text_out(label, 4, 6, "Initialize Monkeys", BLACK, true, WHITE);
    parts.text_out(label, 4 + 95, 6, "|", BLACK, true, WHITE);
    EXPECT_EQ(picture(joined, 0, 0, 140, 30), picture(parts, 0, 0, 140, 30));
    EXPECT_EQ(c.font_metrics(label).height, 14);
    EXPECT_EQ(c.font_metrics(label).ascent, 11);
    for (int y = 0; y < 30; ++y) {
        for (int x = 0; x < 140; ++x) {
            const Colour p = c.pixel(x, y);
            ASSERT_TRUE(p == GREEN || p == WHITE || p == BLACK) << x << "," << y;
        }
    }
    EXPECT_FALSE(pixels_of(c, BLACK).empty());
}

// At 9 pixels the stem of "i" is thinner than a pixel: the platform keeps the
// pixel the drop-out rule picks in the glyph's box of whole pixels, the
// column the pen stands on, not the one after it.
TEST_F(Text, ThinStemsAtNinePixelsStayWhereThePlatformPutsThem) {
    SoftwareCanvas c = blank(40, 20);
    c.text_out(FontRequest{FontFace::Drawing, -9}, 10, 2, "i", BLACK, true, WHITE);
    std::set<int> columns;
    for (const auto& p : pixels_of(c, BLACK)) columns.insert(p.first);
    EXPECT_EQ(columns, std::set<int>{10});
}

// Below 9 and above 17 pixels the face asks for grey: edges blend, in the
// platform's levels only (black on white shows each level's weight).
TEST_F(Text, SmallAndLargeSizesAreGreyInThePlatformsLevels) {
    const std::set<std::uint32_t> weights = {0,  15, 22, 30, 38,  47,  56,  66, 77,
                                             88, 101, 115, 131, 151, 178, 255};
    for (const int size : {8, 18, 50}) {
        SoftwareCanvas c = blank(300, 80);
        c.text_out(FontRequest{FontFace::Drawing, -size}, 2, 2, "Monkey", BLACK, true, WHITE);
        int grey = 0;
        for (int i = 0; i < 300 * 80; ++i) {
            const std::uint32_t red = c.data()[i] >> 16;
            grey += red != 0 && red != 255;
            ASSERT_TRUE(weights.count(255 - red)) << size << " pixels: " << red;
        }
        EXPECT_GT(grey, 0) << size << " pixels";
    }
}

TEST(GlyphRendering, TheGaspTableChoosesGrey) {
    EXPECT_TRUE(text::rendering_for(-1).grey);           // no table: grey at every size
    EXPECT_FALSE(text::rendering_for(0x01).grey);        // grid-fit only
    EXPECT_TRUE(text::rendering_for(0x02 | 0x08).grey);  // grey, no grid-fit
}

// Whatever the machine prefers, "TOVIK-font" is the platform's sans twin and
// the fixed face its fixed-pitch twin, when they are installed.
TEST(FontMatch, ThePlatformsTwinsComeFirst) {
    const std::string dir = "/usr/share/fonts/truetype/liberation2/";
    if (!std::filesystem::exists(dir + "LiberationSans-Regular.ttf")) {
        GTEST_SKIP() << "the package fonts-liberation2 is needed";
    }
    std::string path;
    int index = -1;
    ASSERT_TRUE(text::match_font_file("TOVIK-font", path, index));
    EXPECT_EQ(std::filesystem::path(path).filename(), "LiberationSans-Regular.ttf");
    EXPECT_EQ(index, 0);
    ASSERT_TRUE(text::match_font_file("monospace", path, index));
    EXPECT_EQ(std::filesystem::path(path).filename(), "LiberationMono-Regular.ttf");
}

// The platform's rule for one channel, written as its GDI states it: the level
// reaches lo over black and hi over white, and d moves towards t on the line
// through them.
unsigned platform_channel(unsigned d, unsigned t, unsigned level) {
    static constexpr unsigned RAMP[17] = {0,   77,  104, 124, 140, 154, 167, 178, 189,
                                          199, 208, 217, 225, 233, 240, 248, 255};
    if (level <= 1) return d;
    const unsigned lo = RAMP[level] * t / 255;
    const unsigned hi = RAMP[16 - level] + (255 - RAMP[16 - level]) * t / 255;
    if (d > t) return t + (d - t) * (hi - t) / (255 - t);
    if (d < t) return t - (t - d) * (t - lo) / t;
    return d;
}

std::uint32_t reference_blend(std::uint32_t p, std::uint32_t c, unsigned level) {
    if (level == 0) return p;
    std::uint32_t out = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        out |= platform_channel((p >> shift) & 255u, (c >> shift) & 255u, level) << shift;
    }
    return out;
}

// A level as glyphs hold them: none, full, or one of the grey ones.
std::uint8_t some_level(std::uint32_t r) {
    return static_cast<std::uint8_t>(r % 3 == 0 ? 0 : r % 3 == 1 ? raster::FULL_LEVEL : 2 + (r >> 2) % 14);
}

// A text colour; now and then one with channels of 1 to 3, whose factors do
// not all fit the vector paths.
std::uint32_t some_colour(std::uint32_t r) {
    return r % 8 == 0 ? (r >> 4) & 0x030303u : r & 0xFFFFFFu;
}

TEST(GlyphBlend, TheFactorsGiveThePlatformsRuleForEveryValue) {
    for (unsigned t = 0; t < 256; ++t) {
        const raster::GlyphShades shades(t * 0x010101u);
        for (unsigned level = 2; level <= raster::FULL_LEVEL; ++level) {
            for (unsigned d = 0; d < 256; ++d) {
                const std::uint32_t got = raster::shade_pixel(d * 0x010101u, level, shades);
                ASSERT_EQ(got, platform_channel(d, t, level) * 0x010101u)
                    << "text " << t << " pixel " << d << " level " << level;
            }
        }
    }
}

TEST(GlyphBlend, EveryPathShadesEachChannelExactly) {
    std::uint32_t seed = 12345;
    const auto next = [&seed] { return seed = seed * 1103515245u + 12345u; };
    for (int n = 0; n < 20; ++n) {
        for (int trial = 0; trial < 50; ++trial) {
            std::vector<std::uint32_t> pixels(static_cast<std::size_t>(n)), fast, portable;
            std::vector<std::uint8_t> coverage(static_cast<std::size_t>(n));
            const std::uint32_t colour = some_colour(next() >> 4);
            for (int i = 0; i < n; ++i) {
                pixels[static_cast<std::size_t>(i)] = (next() >> 4) & 0xFFFFFFu;
                coverage[static_cast<std::size_t>(i)] = some_level(next() >> 16);
            }
            fast = portable = pixels;
            const raster::GlyphShades shades(colour);
            raster::blend_span(fast.data(), coverage.data(), n, shades);
            raster::blend_span_portable(portable.data(), coverage.data(), n, shades);
            for (int i = 0; i < n; ++i) {
                const auto k = static_cast<std::size_t>(i);
                const std::uint32_t want = reference_blend(pixels[k], colour, coverage[k]);
                ASSERT_EQ(fast[k], want) << "n=" << n << " i=" << i;
                ASSERT_EQ(portable[k], want) << "n=" << n << " i=" << i;
            }
        }
    }
}

// Whole glyphs (blended eight pixels at a time where the processor allows):
// the same pixels as the reference, none outside the glyph's box or the image,
// whatever part of the glyph is clipped.  Each is drawn twice, the second time
// partly over itself, on pixels of many colours, of one, or of two in bands
// (where the vector path looks levels up for the colour last met).
TEST(GlyphBlend, GlyphsBlendExactlyAndOnlyInsideTheImage) {
    std::uint32_t seed = 777;
    const auto next = [&seed] { return seed = seed * 1103515245u + 12345u; };
    constexpr int W = 64, H = 30;
    for (int trial = 0; trial < 600; ++trial) {
        text::Glyph g;
        g.width = 1 + static_cast<int>(next() >> 16) % 37;
        g.rows = 1 + static_cast<int>(next() >> 16) % 20;
        g.stride = g.width + text::GLYPH_PAD;
        g.coverage.assign(static_cast<std::size_t>(g.stride) * static_cast<std::size_t>(g.rows), 0);
        g.row_ink.resize(static_cast<std::size_t>(g.rows));
        for (int r = 0; r < g.rows; ++r) {
            text::GlyphRow& ink = g.row_ink[static_cast<std::size_t>(r)];
            for (int c = 0; c < g.width; ++c) {
                const std::uint8_t a = some_level(next() >> 16);
                g.coverage[static_cast<std::size_t>(r * g.stride + c)] = a;
                if (a == 0) continue;
                if (ink.ink++ == 0) ink.first = c;
                ink.last = c + 1;
            }
            g.ink += ink.ink;
        }
        const std::uint32_t colour = some_colour(next() >> 4);
        const std::uint32_t ground[2] = {(next() >> 4) & 0xFFFFFFu, (next() >> 4) & 0xFFFFFFu};
        std::vector<std::uint32_t> image(static_cast<std::size_t>(W * H));
        for (std::size_t i = 0; i < image.size(); ++i) {
            const auto band = i / W / (1 + trial % 5);
            image[i] = trial % 3 == 0 ? (next() >> 4) & 0xFFFFFFu : ground[trial % 3 == 2 ? band % 2 : 0];
        }
        std::vector<std::uint32_t> want = image;
        const raster::GlyphShades shades(colour);
        for (int time = 0; time < 2; ++time) {
            const int x = static_cast<int>(next() >> 16) % (W + 20) - 15;
            const int y = static_cast<int>(next() >> 16) % (H + 10) - 8;
            std::uint64_t covered = 0;
            for (int r = 0; r < g.rows; ++r) {
                for (int c = 0; c < g.width; ++c) {
                    const int px = x + c, py = y + r;
                    const std::uint8_t a = g.coverage[static_cast<std::size_t>(r * g.stride + c)];
                    if (px < 0 || py < 0 || px >= W || py >= H || a == 0) continue;
                    auto& p = want[static_cast<std::size_t>(py * W + px)];
                    p = reference_blend(p, colour, a);
                    ++covered;
                }
            }
            const raster::BlendCount n = raster::blend_glyph(image.data(), W, H, g, x, y, shades);
            ASSERT_EQ(image, want) << "trial " << trial << ": " << g.width << " x " << g.rows
                                   << " at " << x << "," << y;
            EXPECT_EQ(n.pixels, covered) << "trial " << trial;
        }
    }
}

}  // namespace
}  // namespace tovik::test
