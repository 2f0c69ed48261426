#include "cross_check/draw_cases.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "core/colours.h"

namespace tovik::cross_check {

namespace {

constexpr Colour WHITE = rgb(255, 255, 255);
constexpr Colour BLACK = rgb(0, 0, 0);
constexpr Colour RED = rgb(255, 0, 0);
constexpr Colour NAVY = rgb(0, 0, 128);
constexpr Colour GOLD = rgb(255, 204, 0);
constexpr Colour GREEN = rgb(0, 160, 0);

// As the renderer makes them: filled is a one-pixel pen with a brush of the
// same colour, hollow a pen of some width with the null brush.
Pen thin(Colour c) { return {c, 0}; }
Pen wide(Colour c, std::int64_t w) { return {c, w}; }
Brush solid(Colour c) { return {c, false}; }
constexpr Brush NO_BRUSH{0, true};

constexpr std::int64_t FAR = 200000;     // beyond the GDI canvas's margin
constexpr std::int64_t SANE = 50000;     // far, but inside it

constexpr const char* WIDE_ELLIPSE =
    "the pixel rules give no coverage for wide pens on ellipses (only that the pen is centred "
    "on the outline); Wine strokes the outline's pixels one by one with the round pen, the "
    "software canvas draws the ring between the ellipse grown and shrunk by the pen's reach: "
    "the bands differ by a pixel at their edges";

void triangle(Canvas& c, Point64 a, Point64 b, Point64 d, const Pen& pen, const Brush& brush) {
    const Point64 points[] = {a, b, d};
    c.polygon(points, pen, brush);
}

void circle(Canvas& c, std::int64_t cx, std::int64_t cy, std::int64_t r, const Pen& pen,
            const Brush& brush) {
    c.ellipse(cx - r, cy - r, cx + r + 1, cy + r + 1, pen, brush);
}

// Lines from the centre to points on a circle: every octant, both tie rules.
void fan(Canvas& c, std::int64_t width, int spokes) {
    for (int i = 0; i < spokes; ++i) {
        const double a = 6.283185307179586 * i / spokes;
        const auto x = static_cast<std::int64_t>(std::lround(80 + 55 * std::cos(a)));
        const auto y = static_cast<std::int64_t>(std::lround(60 + 55 * std::sin(a)));
        c.line(80, 60, x, y, wide(NAVY, width));
    }
}

const DrawCase CASES[] = {
    // Lines, one pixel.
    {"line horizontal both ways", Expect::Agree, "", [](Canvas& c) {
         c.line(10, 3, 150, 3, thin(BLACK));
         c.line(150, 13, 10, 13, thin(BLACK));
     }},
    {"line vertical both ways", Expect::Agree, "", [](Canvas& c) {
         c.line(5, 10, 5, 110, thin(BLACK));
         c.line(15, 110, 15, 10, thin(BLACK));
     }},
    {"line x-major, four directions", Expect::Agree, "", [](Canvas& c) {
         c.line(10, 10, 150, 60, thin(BLACK));
         c.line(150, 70, 10, 20, thin(RED));
         c.line(10, 110, 150, 50, thin(NAVY));
         c.line(150, 115, 10, 100, thin(GREEN));
     }},
    {"line y-major and 45 degrees", Expect::Agree, "", [](Canvas& c) {
         c.line(20, 5, 60, 115, thin(BLACK));
         c.line(70, 115, 30, 5, thin(RED));
         c.line(80, 10, 180, 110, thin(NAVY));
         c.line(150, 110, 50, 10, thin(GREEN));
     }},
    {"line fan of 64, one pixel", Expect::Agree, "", [](Canvas& c) { fan(c, 0, 64); }},
    {"line zero length and one pixel", Expect::Agree, "", [](Canvas& c) {
         c.line(40, 40, 40, 40, thin(BLACK));
         c.line(50, 40, 51, 40, thin(BLACK));
         c.line(60, 40, 60, 41, thin(BLACK));
         c.line(70, 40, 71, 41, thin(BLACK));
     }},
    {"line through the image edges", Expect::Agree, "", [](Canvas& c) {
         c.line(-30, -20, 190, 140, thin(BLACK));
         c.line(-5, 60, 170, 61, thin(RED));
     }},
    // Lines, wide pens.
    {"line wide 2 to 7 horizontal", Expect::Agree, "", [](Canvas& c) {
         for (int w = 2; w <= 7; ++w) c.line(20, 10 + 16 * (w - 2), 140, 10 + 16 * (w - 2), wide(NAVY, w));
     }},
    {"line wide 2 to 7 vertical", Expect::Agree, "", [](Canvas& c) {
         for (int w = 2; w <= 7; ++w) c.line(15 + 22 * (w - 2), 10, 15 + 22 * (w - 2), 110, wide(NAVY, w));
     }},
    {"line wide 3 and 8 diagonal", Expect::Agree, "", [](Canvas& c) {
         c.line(10, 10, 150, 60, wide(RED, 3));
         c.line(20, 110, 100, 40, wide(NAVY, 8));
         c.line(120, 110, 110, 70, wide(GREEN, 5));
     }},
    {"line fan of 24, width 4", Expect::Agree, "", [](Canvas& c) { fan(c, 4, 24); }},
    {"line wide zero length", Expect::Differ,
     "the pixel rules say a zero-length line draws nothing; Wine's wide pen still draws its "
     "round end, a dot as wide as the pen",
     [](Canvas& c) {
         c.line(40, 40, 40, 40, wide(NAVY, 7));
         c.line(90, 40, 90, 40, wide(NAVY, 2));
     }},
    {"line far but inside GDI's range", Expect::Agree, "", [](Canvas& c) {
         c.line(-SANE, 30, SANE, 31, thin(BLACK));
         c.line(80, -SANE, 81, SANE, thin(RED));
         c.line(-SANE, -SANE + 7, SANE, SANE, thin(NAVY));
         c.line(-SANE, 90, SANE, 90, wide(GREEN, 5));
     }},
    {"line wide diagonal, far but inside GDI's range", Expect::Agree, "", [](Canvas& c) {
         c.line(-SANE, -SANE + 7, SANE, SANE, wide(NAVY, 3));
     }},
    {"line from beyond GDI's range", Expect::Differ,
     "the GDI canvas clips lines at 65536 pixels around the image: the clipped end moves by up "
     "to half a pixel, which can move the line by a pixel where its rounding is close",
     [](Canvas& c) {
         c.line(-FAR, 30 - FAR / 3, FAR, 30 + FAR / 3 + 1, thin(BLACK));
         c.line(-FAR * 1000, 90, FAR * 1000, 91, thin(RED));
     }},

    // Rectangles.
    {"rectangle filled, tiny ones", Expect::Agree, "", [](Canvas& c) {
         c.rectangle(20, 10, 22, 12, thin(RED), solid(NAVY));
         c.rectangle(30, 10, 33, 13, thin(RED), solid(NAVY));
         c.rectangle(40, 10, 41, 30, thin(RED), solid(NAVY));
         c.rectangle(50, 10, 80, 11, thin(RED), solid(NAVY));
         c.rectangle(90, 10, 90, 30, thin(RED), solid(NAVY));
     }},
    {"rectangle filled, pen and brush apart", Expect::Agree, "", [](Canvas& c) {
         c.rectangle(10, 20, 150, 100, thin(RED), solid(GOLD));
         c.rectangle(100, 90, 30, 40, thin(NAVY), solid(GREEN));
     }},
    {"rectangle hollow, one pixel", Expect::Agree, "", [](Canvas& c) {
         c.rectangle(10, 20, 150, 100, thin(BLACK), NO_BRUSH);
         c.rectangle(20, 30, 25, 34, thin(RED), NO_BRUSH);
     }},
    {"rectangle hollow, widths 2 to 7", Expect::Agree, "", [](Canvas& c) {
         for (int w = 2; w <= 7; ++w) {
             const int o = 8 * (w - 2);
             c.rectangle(10 + o, 10 + o, 150 - o, 110 - o, wide(w % 2 == 0 ? NAVY : RED, w), NO_BRUSH);
         }
     }},
    {"rectangle wide pen on a brush", Expect::Agree, "", [](Canvas& c) {
         c.rectangle(20, 20, 140, 100, wide(NAVY, 6), solid(GOLD));
         c.rectangle(60, 50, 64, 53, wide(RED, 3), solid(GREEN));
     }},
    {"rectangle through the image edges", Expect::Agree, "", [](Canvas& c) {
         c.rectangle(-20, -10, 60, 50, thin(RED), solid(GOLD));
         c.rectangle(100, 80, 200, 300, wide(NAVY, 5), NO_BRUSH);
     }},
    {"rectangle far and huge", Expect::Agree, "", [](Canvas& c) {
         c.rectangle(-SANE, 40, SANE, 60, thin(RED), solid(GOLD));
         c.rectangle(-FAR * 1000, -FAR * 1000, FAR * 1000, 20, thin(NAVY), solid(NAVY));
         c.rectangle(-FAR, -FAR, FAR, FAR, wide(RED, 9), NO_BRUSH);
     }},
    {"clear: white with a black frame", Expect::Agree, "", [](Canvas& c) {
         c.rectangle(0, 0, TILE_WIDTH, TILE_HEIGHT, thin(BLACK), solid(WHITE));
     }},

    // Ellipses.
    {"rectangle 1 x 1 and circle of radius 0", Expect::Differ,
     "a box of one pixel covers that pixel, as the framework requires of a filled rectangle "
     "from (0,0) to (0,0) and a circle of radius 0; GDI draws nothing for it",
     [](Canvas& c) {
         c.rectangle(10, 10, 11, 11, thin(RED), solid(RED));
         circle(c, 30, 10, 0, thin(NAVY), solid(NAVY));
     }},
    {"circle filled, radius 1 to 8", Expect::Agree, "", [](Canvas& c) {
         for (int r = 1; r <= 8; ++r) circle(c, 8 + 19 * (r - 1), 20, r, thin(RED), solid(GOLD));
         for (int r = 1; r <= 8; ++r) circle(c, 8 + 19 * (r - 1), 60, r, thin(NAVY), solid(NAVY));
     }},
    {"circle hollow, radius 1 to 12", Expect::Agree, "", [](Canvas& c) {
         for (int r = 1; r <= 6; ++r) circle(c, 12 + 24 * (r - 1), 20, r, thin(BLACK), NO_BRUSH);
         for (int r = 7; r <= 12; ++r) circle(c, 14 + 26 * (r - 7), 80, r, thin(BLACK), NO_BRUSH);
     }},
    {"ellipse even boxes", Expect::Agree, "", [](Canvas& c) {
         c.ellipse(10, 10, 14, 14, thin(RED), solid(GOLD));
         c.ellipse(20, 10, 26, 18, thin(RED), solid(GOLD));
         c.ellipse(30, 10, 60, 30, thin(RED), solid(GOLD));
         c.ellipse(70, 10, 150, 110, thin(NAVY), NO_BRUSH);
     }},
    {"ellipse large, filled and hollow", Expect::Agree, "", [](Canvas& c) {
         c.ellipse(5, 5, 155, 115, thin(RED), solid(GOLD));
         c.ellipse(30, 30, 130, 90, thin(NAVY), NO_BRUSH);
     }},
    {"ellipse one and two pixels across", Expect::Agree, "", [](Canvas& c) {
         c.ellipse(10, 10, 11, 60, thin(RED), solid(GOLD));
         c.ellipse(20, 10, 22, 60, thin(RED), solid(GOLD));
         c.ellipse(30, 10, 90, 11, thin(RED), solid(GOLD));
         c.ellipse(30, 20, 90, 22, thin(RED), solid(GOLD));
     }},
    {"ellipse flat, three to five high", Expect::Agree, "", [](Canvas& c) {
         c.ellipse(10, 10, 150, 13, thin(RED), solid(GOLD));
         c.ellipse(10, 20, 150, 24, thin(RED), solid(GOLD));
         c.ellipse(10, 30, 150, 35, thin(NAVY), NO_BRUSH);
     }},
    {"ellipse thin and tall, three to five wide", Expect::Differ,
     "Wine's GDI cuts off the ends of thin tall ellipses where its outline walk stops short of "
     "the top row (and here paints whole rows of the image with the brush); the pixel rules "
     "say not to copy that: the software canvas finishes the walk with the middle column up "
     "to the box's edge",
     [](Canvas& c) {
         c.ellipse(10, 5, 13, 115, thin(RED), solid(GOLD));
         c.ellipse(30, 5, 34, 115, thin(RED), solid(GOLD));
         c.ellipse(50, 5, 55, 115, thin(NAVY), NO_BRUSH);
         c.ellipse(70, 20, 75, 60, thin(NAVY), NO_BRUSH);
     }},
    {"ellipse wide pens 2 to 7", Expect::Differ, WIDE_ELLIPSE, [](Canvas& c) {
         for (int w = 2; w <= 7; ++w) {
             const int o = 8 * (w - 2);
             c.ellipse(10 + o, 10 + o, 150 - o, 110 - o, wide(w % 2 == 0 ? NAVY : RED, w), NO_BRUSH);
         }
     }},
    {"ellipse small with wide pens", Expect::Differ, WIDE_ELLIPSE, [](Canvas& c) {
         for (int w = 2; w <= 7; ++w) c.ellipse(10 + 24 * (w - 2), 20, 22 + 24 * (w - 2), 32, wide(NAVY, w), NO_BRUSH);
         for (int w = 2; w <= 7; ++w) c.ellipse(10 + 24 * (w - 2), 60, 16 + 24 * (w - 2), 90, wide(RED, w), NO_BRUSH);
     }},
    {"ellipse through the image edges", Expect::Agree, "", [](Canvas& c) {
         c.ellipse(-40, -30, 60, 50, thin(RED), solid(GOLD));
         c.ellipse(100, 60, 260, 200, thin(NAVY), NO_BRUSH);
     }},
    {"ellipse through the image edges, wide pen", Expect::Differ, WIDE_ELLIPSE, [](Canvas& c) {
         c.ellipse(100, 60, 260, 200, wide(NAVY, 4), NO_BRUSH);
     }},
    {"circle far, radius 30000", Expect::Agree, "", [](Canvas& c) {
         circle(c, 80, 30050, 30000, thin(RED), solid(GOLD));
         circle(c, -29900, 60, 30000, wide(NAVY, 3), NO_BRUSH);
     }},
    {"circle beyond GDI's range, radius 200000", Expect::Differ,
     "the GDI canvas squeezes an ellipse whose box reaches past 65536 pixels around the image "
     "into that margin, so its edge moves",
     [](Canvas& c) {
         circle(c, 80, FAR + 50, FAR, thin(RED), solid(GOLD));
     }},
    {"ellipse around the whole image", Expect::Agree, "", [](Canvas& c) {
         c.ellipse(-SANE, -SANE, SANE, SANE, thin(RED), solid(GOLD));
         c.ellipse(-FAR, -FAR, FAR, FAR, wide(NAVY, 5), NO_BRUSH);
     }},

    // Polygons.
    {"triangle filled, pen and brush apart", Expect::Agree, "", [](Canvas& c) {
         triangle(c, {10, 10}, {150, 30}, {40, 110}, thin(RED), solid(GOLD));
     }},
    {"triangle filled, same colour", Expect::Agree, "", [](Canvas& c) {
         triangle(c, {0, 0}, {4, 0}, {0, 4}, thin(NAVY), solid(NAVY));
         triangle(c, {150, 10}, {20, 50}, {140, 115}, thin(NAVY), solid(NAVY));
     }},
    {"triangle every orientation", Expect::Agree, "", [](Canvas& c) {
         triangle(c, {10, 10}, {40, 12}, {20, 50}, thin(RED), solid(GOLD));
         triangle(c, {90, 10}, {60, 50}, {50, 12}, thin(RED), solid(GOLD));
         triangle(c, {100, 60}, {150, 100}, {105, 115}, thin(NAVY), solid(GREEN));
         triangle(c, {10, 110}, {60, 70}, {70, 112}, thin(NAVY), solid(GREEN));
     }},
    {"triangle slivers", Expect::Agree, "", [](Canvas& c) {
         triangle(c, {5, 10}, {155, 12}, {5, 11}, thin(RED), solid(GOLD));
         triangle(c, {10, 20}, {12, 115}, {11, 20}, thin(RED), solid(GOLD));
         triangle(c, {30, 30}, {150, 110}, {31, 31}, thin(NAVY), solid(NAVY));
     }},
    {"triangle hollow, one pixel", Expect::Agree, "", [](Canvas& c) {
         triangle(c, {10, 10}, {150, 30}, {40, 110}, thin(BLACK), NO_BRUSH);
     }},
    {"triangle hollow, wide pens", Expect::Agree, "", [](Canvas& c) {
         triangle(c, {10, 10}, {150, 30}, {40, 110}, wide(NAVY, 3), NO_BRUSH);
         triangle(c, {60, 50}, {120, 60}, {80, 100}, wide(RED, 8), NO_BRUSH);
     }},
    {"triangle degenerate", Expect::Agree, "", [](Canvas& c) {
         triangle(c, {30, 30}, {30, 30}, {30, 30}, thin(BLACK), solid(BLACK));
         triangle(c, {10, 50}, {60, 50}, {110, 50}, thin(BLACK), solid(BLACK));
         triangle(c, {10, 60}, {110, 110}, {60, 85}, thin(RED), solid(RED));
         triangle(c, {120, 10}, {120, 10}, {150, 40}, thin(NAVY), NO_BRUSH);
     }},
    {"triangle degenerate, wide pen", Expect::Agree, "", [](Canvas& c) {
         triangle(c, {120, 10}, {120, 10}, {150, 40}, wide(NAVY, 4), NO_BRUSH);
         triangle(c, {10, 60}, {110, 60}, {60, 60}, wide(RED, 3), NO_BRUSH);
     }},
    {"polygon star, alternate fill", Expect::Agree, "", [](Canvas& c) {
         const Point64 star[] = {{80, 5}, {112, 110}, {20, 42}, {140, 42}, {48, 110}};
         c.polygon(star, thin(RED), solid(GOLD));
     }},
    {"triangle through the image edges", Expect::Agree, "", [](Canvas& c) {
         triangle(c, {-50, -40}, {200, 30}, {60, 180}, thin(RED), solid(GOLD));
     }},
    {"triangle far but inside GDI's range", Expect::Agree, "", [](Canvas& c) {
         triangle(c, {-SANE, 20}, {SANE, 30}, {80, 100}, thin(RED), solid(GOLD));
         triangle(c, {-SANE, -SANE}, {SANE, -SANE}, {0, SANE}, wide(NAVY, 3), NO_BRUSH);
     }},
    {"triangle beyond GDI's range", Expect::Differ,
     "the GDI canvas clips polygons at 65536 pixels around the image: the new corners are "
     "rounded, which can move an edge by a pixel where its rounding is close",
     [](Canvas& c) {
         triangle(c, {-FAR, 20}, {FAR, 30 + FAR / 7}, {80, 100}, thin(RED), solid(GOLD));
     }},

    // Pixels.
    {"pixels, inside and outside", Expect::Agree, "", [](Canvas& c) {
         for (int i = 0; i < 40; ++i) c.set_pixel(3 * i, 2 * i + 5, i % 2 == 0 ? RED : NAVY);
         c.set_pixel(-1, 5, RED);
         c.set_pixel(TILE_WIDTH, 5, RED);
         c.set_pixel(5, TILE_HEIGHT, RED);
         c.set_pixel(0, 0, GREEN);
         c.set_pixel(TILE_WIDTH - 1, TILE_HEIGHT - 1, GREEN);
     }},

    // Text: the game's own texts at their sizes, in "TOVIK-font" (the platform's
    // default sans face; Liberation Sans on both sides under Wine).  Glyph
    // shapes come from FreeType on both sides there, so they agree exactly.
    {"text 12 pixels, the panel's labels", Expect::Agree, "", [](Canvas& c) {
         c.text_out({FontFace::Drawing, -12}, 4, 10, "Change Colors", BLACK, true, WHITE);
         c.text_out({FontFace::Drawing, -12}, 4, 40, "Initialize Monkeys", BLACK, true, WHITE);
         c.text_out({FontFace::Drawing, -12}, 4, 70, "Initialize Monkeys", RED, false, GOLD);
     }},
    {"text 16 pixels, the error notice", Expect::Agree, "", [](Canvas& c) {
         c.text_out({FontFace::Drawing, -16}, 4, 10, "Program error!", RED, true, WHITE);
     }},
    {"text 75 pixels", Expect::Agree, "", [](Canvas& c) {
         c.text_out({FontFace::Drawing, -75}, 2, 5, "Mo", NAVY, true, WHITE);
     }},
    {"text 50 pixels", Expect::Agree, "", [](Canvas& c) {
         c.text_out({FontFace::Drawing, -50}, 2, 5, "Monk", NAVY, true, WHITE);
     }},
    {"text 28 pixels", Expect::Agree, "", [](Canvas& c) {
         c.text_out({FontFace::Drawing, -28}, 2, 5, "Monkey Bu", NAVY, true, WHITE);
         c.text_out({FontFace::Drawing, -20}, 2, 60, "Monkey Business", NAVY, true, WHITE);
     }},
    {"text 8 pixels", Expect::Agree, "", [](Canvas& c) {
         c.text_out({FontFace::Drawing, -8}, 2, 5, "Monkey Business", NAVY, true, WHITE);
         c.text_out({FontFace::Drawing, -8}, 2, 40, "Initialize Monkeys", RED, false, GOLD);
     }},
    {"text 9 to 15 pixels", Expect::Agree, "", [](Canvas& c) {
         for (int size = 9; size <= 15; ++size) {
             c.text_out({FontFace::Drawing, -size}, 2, 2 + (size - 9) * 16,
                        "size 9 Wg, Monkey Business", BLACK, true, WHITE);
         }
     }},
    {"text 2 pixels", Expect::Agree, "", [](Canvas& c) {
         c.text_out({FontFace::Drawing, -2}, 2, 40, "Monkey Business", NAVY, true, WHITE);
     }},
    {"text 1 pixel", Expect::Agree, "", [](Canvas& c) {
         c.text_out({FontFace::Drawing, -1}, 2, 70, "Monkey Business", NAVY, true, WHITE);
     }},
    {"text fixed pitch, opaque", Expect::Text, "the stock fixed font is another face", [](Canvas& c) {
         c.text_out({FontFace::FixedPitch, 0}, 5, 10, "red circle at (10,20)", BLACK, false, WHITE);
         c.text_out({FontFace::FixedPitch, 0}, 5, 40, "Width of -4 not possible", BLACK, false, GOLD);
     }},
};

// The framework's 24 colours, as backgrounds and as text.
constexpr const std::array<Colour, COLOUR_COUNT>& PALETTE = colour_table;

// Smoothed text over palette colour K: white and black (light on dark and
// dark on light, whichever K is) and another colour of the palette, at the
// grey sizes; `times` 2 draws every line twice on the same spot, as the crawl
// redraws its lines over themselves.
template <std::size_t K, int TIMES>
void text_over_colour(Canvas& c) {
    c.fill_rect(0, 0, TILE_WIDTH, TILE_HEIGHT, PALETTE[K]);
    const Colour other = PALETTE[(K + 7) % PALETTE.size()];
    for (int i = 0; i < TIMES; ++i) {
        c.text_out({FontFace::Drawing, -28}, 2, 2, "Wag", WHITE, true, WHITE);
        c.text_out({FontFace::Drawing, -28}, 70, 2, "Wag", BLACK, true, WHITE);
        c.text_out({FontFace::Drawing, -20}, 2, 36, "Monkey Bu", other, true, WHITE);
        c.text_out({FontFace::Drawing, -8}, 2, 64, "Monkey Business", WHITE, true, WHITE);
        c.text_out({FontFace::Drawing, -8}, 2, 76, "Monkey Business", BLACK, true, WHITE);
        c.text_out({FontFace::Drawing, -8}, 2, 88, "Initialize Monkeys", other, true, WHITE);
        c.text_out({FontFace::Drawing, -50}, 100, 60, "g", other, true, WHITE);
    }
}

template <std::size_t... K>
void add_text_over_colours(std::vector<DrawCase>& cases, std::index_sequence<K...>) {
    (cases.push_back({"", Expect::Agree, "", text_over_colour<K, 1>}), ...);
    (cases.push_back({"", Expect::Agree, "", text_over_colour<K, 2>}), ...);
}

std::vector<DrawCase> all_cases() {
    static std::vector<std::string> names;
    std::vector<DrawCase> cases(std::begin(CASES), std::end(CASES));
    const std::size_t first = cases.size();
    add_text_over_colours(cases, std::make_index_sequence<PALETTE.size()>());
    for (std::size_t i = first; i < cases.size(); ++i) {
        const std::size_t k = (i - first) % PALETTE.size();
        char hex[8];
        std::snprintf(hex, sizeof hex, "%02x%02x%02x", red_of(PALETTE[k]), green_of(PALETTE[k]),
                      blue_of(PALETTE[k]));
        names.push_back("text over colour " + std::to_string(k) + " (" + hex + ")" +
                        (i - first < PALETTE.size() ? "" : ", drawn twice"));
    }
    for (std::size_t i = first; i < cases.size(); ++i) cases[i].name = names[i - first].c_str();
    return cases;
}

}  // namespace

std::span<const DrawCase> draw_cases() {
    static const std::vector<DrawCase> cases = all_cases();
    return cases;
}

void render_case(const DrawCase& draw_case, Canvas& canvas) {
    canvas.fill_rect(0, 0, canvas.width(), canvas.height(), WHITE);
    draw_case.draw(canvas);
}

}  // namespace tovik::cross_check
