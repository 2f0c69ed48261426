#include "synthetic_frame.h"

#include <cstdint>

namespace bench {

using tovik::Brush;
using tovik::Canvas;
using tovik::Colour;
using tovik::Pen;
using tovik::Point64;
using tovik::rgb;

namespace {

void filled_circle(Canvas& c, std::int64_t x, std::int64_t y, std::int64_t r, Colour col) {
    c.ellipse(x - r, y - r, x + r + 1, y + r + 1, Pen{col, 0}, Brush{col, false});
}

void filled_box(Canvas& c, std::int64_t l, std::int64_t t, std::int64_t r, std::int64_t b,
                Colour col) {
    c.rectangle(l, t, r, b, Pen{col, 0}, Brush{col, false});
}

}  // namespace

void draw_synthetic_frame(Canvas& c, bool text) {
    constexpr int W = SYNTHETIC_WIDTH, H = SYNTHETIC_HEIGHT;
    const Colour white = rgb(255, 255, 255), black = rgb(0, 0, 0), navy = rgb(0, 0x33, 0x99);
    const Colour green = rgb(0, 0x66, 0x33), brown = rgb(0x99, 0x66, 0x33),
                 grey = rgb(0x80, 0x80, 0x80);
    const Colour blue = rgb(0, 0, 255), olive = rgb(0x99, 0x99, 0x33),
                 chalk = rgb(0xFF, 0xFF, 0x99);

    c.rectangle(0, 0, W, H, Pen{black, 0}, Brush{white, false});  // 1 full-image rectangle
    filled_box(c, 3, 3, 598, 300, navy);
    filled_box(c, 3, 300, 598, 537, green);
    // 6 large triangles: mountains
    for (int i = 0; i < 6; ++i) {
        const Point64 t[] = {
            {i * 100 - 40, 300}, {i * 100 + 50, 140 + (i % 3) * 30}, {i * 100 + 140, 300}};
        c.polygon(t, Pen{grey, 0}, Brush{grey, false});
    }
    c.ellipse(-100, 330, 400, 380, Pen{blue, 0}, Brush{blue, false});  // lake
    filled_circle(c, 480, 60, 20, chalk);                              // moon
    c.ellipse(480, 40, 531, 81, Pen{navy, 0}, Brush{navy, false});
    // 15 figures: body, legs, arms (small rectangles and triangles), and
    // circles for two of the heads in three
    int circles = 0;
    for (int m = 0; m < 15; ++m) {
        const int x = 30 + m * 37, y = 100 + (m * 53) % 300;
        filled_box(c, x - 10, y - 12, x + 11, y + 13, brown);
        filled_box(c, x + 10, y + 9, x + 16, y + 30, brown);
        filled_box(c, x - 15, y + 9, x - 9, y + 28, brown);
        const Point64 left[] = {{x - 10, y - 9}, {x - 10, y - 4}, {x - 30, y - 12}};
        const Point64 right[] = {{x + 10, y - 9}, {x + 10, y - 4}, {x + 30, y - 12}};
        c.polygon(left, Pen{brown, 0}, Brush{brown, false});
        c.polygon(right, Pen{brown, 0}, Brush{brown, false});
        if (m % 3 != 2) {
            filled_circle(c, x, y - 22, 10, brown);
            filled_circle(c, x, y - 17, 3, olive);
            ++circles;
        }
    }
    // 8 more circles: stars, flower, tree crown
    for (; circles < 30; ++circles)
        filled_circle(c, 20 + circles * 19, 20 + (circles * 31) % 80, 2 + circles % 9, chalk);
    // ~110 small rectangles: the panel, fences, windows
    for (int i = 0; i < 110; ++i) {
        const int x = 5 + (i * 47) % 580, y = 310 + (i * 29) % 210;
        filled_box(c, x, y, x + 8 + i % 7, y + 6 + i % 5, i % 2 ? olive : brown);
    }
    // 6 wide lines
    for (int i = 0; i < 6; ++i) {
        c.line(100 + i * 70, 420, 118 + i * 70, 402 - i * 3, Pen{black, 2 + i % 2});
    }
    // 20 text lines from 12 to 75 pixels
    for (int k = 0; k < 20 && text; ++k) {
        const int size = 12 + k * 63 / 19;
        c.text_out(tovik::FontRequest{tovik::FontFace::Drawing, -size}, 40, 20 + k * 24,
                   "Monkeys fall from the night sky", chalk, true, 0);
    }
}

}  // namespace bench
