// One synthetic frame of about 200 shapes in a 601 x 540 image, against the
// physical limit: writing the same number of pixels with plain span fills.
//
// CanvasFrameAgainstFill reports, from the same run, the frame's time, the
// fill bound's time and their ratio (the distance from that limit), measured
// in processor time so that other processes on the machine count less.  The
// argument 0 leaves out the frame's text lines, 1 draws them: anti-aliased
// text blends every glyph pixel, far more work than a fill.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <ctime>
#include <filesystem>
#include <vector>

#include "canvas/fonts.h"
#include "canvas/software_canvas.h"

namespace {

using tovik::Brush;
using tovik::Colour;
using tovik::Pen;
using tovik::Point64;
using tovik::rgb;
using tovik::SoftwareCanvas;

constexpr int W = 601, H = 540;

void pin_fonts() {
    const char* sans = "/usr/share/fonts/truetype/liberation2/LiberationSans-Regular.ttf";
    if (std::filesystem::exists(sans)) tovik::pin_font_file(tovik::FontFace::Drawing, sans);
}

void filled_circle(SoftwareCanvas& c, std::int64_t x, std::int64_t y, std::int64_t r, Colour col) {
    c.ellipse(x - r, y - r, x + r + 1, y + r + 1, Pen{col, 0}, Brush{col, false});
}

void filled_box(SoftwareCanvas& c, std::int64_t l, std::int64_t t, std::int64_t r, std::int64_t b,
                Colour col) {
    c.rectangle(l, t, r, b, Pen{col, 0}, Brush{col, false});
}

// About 200 shapes in the proportions of a game frame.
void draw_frame(SoftwareCanvas& c, bool text = true) {
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

// Pixels the frame writes (each shape's coverage, repeats included).
std::uint64_t frame_pixels(bool text = true) {
    SoftwareCanvas c(W, H);
    draw_frame(c, text);
    c.reset_counters();
    draw_frame(c, text);
    return c.counters().pixel_writes;
}

// The same number of pixels as whole-row span fills.  Kept out of line, so
// that where the benchmark's own code lands does not move the bound.
[[gnu::noinline]] void fill_bound(std::vector<std::uint32_t>& image, std::uint64_t pixels) {
    std::uint32_t value = 0x123456;
    std::size_t at = 0;
    while (pixels > 0) {
        const std::size_t n = static_cast<std::size_t>(std::min<std::uint64_t>(pixels, W));
        if (at + n > image.size()) at = 0;
        std::fill_n(image.begin() + static_cast<std::ptrdiff_t>(at), n, value++);
        at += W;
        pixels -= n;
    }
    benchmark::DoNotOptimize(image.data());
}

void CanvasFrame(benchmark::State& state) {
    pin_fonts();
    SoftwareCanvas c(W, H);
    draw_frame(c);  // loads the faces and glyphs, as the program's first frame does
    for (auto _ : state) {
        draw_frame(c);
        benchmark::DoNotOptimize(c.data());
    }
    state.counters["pixels"] = static_cast<double>(frame_pixels());
}
BENCHMARK(CanvasFrame)->Unit(benchmark::kMicrosecond);

void CanvasFillBound(benchmark::State& state) {
    pin_fonts();
    const std::uint64_t pixels = frame_pixels();
    std::vector<std::uint32_t> image(static_cast<std::size_t>(W) * H);
    for (auto _ : state) fill_bound(image, pixels);
    state.counters["pixels"] = static_cast<double>(pixels);
}
BENCHMARK(CanvasFillBound)->Unit(benchmark::kMicrosecond);

// Both in one loop, so that the ratio compares like with like.
void CanvasFrameAgainstFill(benchmark::State& state) {
    pin_fonts();
    const bool text = state.range(0) != 0;
    SoftwareCanvas c(W, H);
    draw_frame(c, text);
    const std::uint64_t pixels = frame_pixels(text);
    std::vector<std::uint32_t> image(static_cast<std::size_t>(W) * H);
    std::clock_t frame = 0, fill = 0;
    for (auto _ : state) {
        const std::clock_t t0 = std::clock();
        draw_frame(c, text);
        benchmark::DoNotOptimize(c.data());
        const std::clock_t t1 = std::clock();
        fill_bound(image, pixels);
        const std::clock_t t2 = std::clock();
        frame += t1 - t0;
        fill += t2 - t1;
    }
    const double us_per_tick = 1e6 / CLOCKS_PER_SEC / static_cast<double>(state.iterations());
    const double frame_us = static_cast<double>(frame) * us_per_tick;
    const double fill_us = static_cast<double>(fill) * us_per_tick;
    state.counters["frame_us"] = frame_us;
    state.counters["fill_us"] = fill_us;
    state.counters["ratio"] = fill_us > 0 ? frame_us / fill_us : 0;
    state.counters["pixels"] = static_cast<double>(pixels);
}
BENCHMARK(CanvasFrameAgainstFill)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace
