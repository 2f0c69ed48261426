// One whole frame of the game, as the main loop and the opening crawl draw it,
// through the framework's primitives on the fake platform; and, as the bound
// to compare with, plain span fills of as many pixels as the frame paints.
//
// The frame benchmarks also report `ratio`: the frame's processor time over
// the fill bound's, measured side by side in the same run.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <ctime>
#include <memory>
#include <utility>

#include "canvas/software_canvas.h"
#include "control_panel.h"
#include "core/framework_state.h"
#include "crawl.h"
#include "explosion.h"
#include "fake/fake_platform.h"
#include "game_main.h"
#include "main_loop.h"
#include "random.h"
#include "scene.h"

namespace {

using tovik::Canvas;
using tovik::SoftwareCanvas;

// Passes every call on and, while `measuring`, counts the pixels each drawing
// call paints: the call is repeated on a scratch image of an unused colour.
class CoverageCanvas final : public Canvas {
public:
    explicit CoverageCanvas(std::unique_ptr<Canvas> inner)
        : inner_(std::move(inner)), scratch_(inner_->width(), inner_->height()) {
        scratch_.fill_rect(0, 0, scratch_.width(), scratch_.height(), SENTINEL);
    }

    bool measuring = false;
    long long pixels = 0;

    int width() const override { return inner_->width(); }
    int height() const override { return inner_->height(); }
    void polygon(std::span<const tovik::Point64> points, const tovik::Pen& pen,
                 const tovik::Brush& brush) override {
        inner_->polygon(points, pen, brush);
        if (measuring) count([&](Canvas& c) { c.polygon(points, pen, brush); });
    }
    void rectangle(std::int64_t l, std::int64_t t, std::int64_t r, std::int64_t b,
                   const tovik::Pen& pen, const tovik::Brush& brush) override {
        inner_->rectangle(l, t, r, b, pen, brush);
        if (measuring) count([&](Canvas& c) { c.rectangle(l, t, r, b, pen, brush); });
    }
    void ellipse(std::int64_t l, std::int64_t t, std::int64_t r, std::int64_t b,
                 const tovik::Pen& pen, const tovik::Brush& brush) override {
        inner_->ellipse(l, t, r, b, pen, brush);
        if (measuring) count([&](Canvas& c) { c.ellipse(l, t, r, b, pen, brush); });
    }
    void line(std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1,
              const tovik::Pen& pen) override {
        inner_->line(x0, y0, x1, y1, pen);
        if (measuring) count([&](Canvas& c) { c.line(x0, y0, x1, y1, pen); });
    }
    void set_pixel(std::int64_t x, std::int64_t y, tovik::Colour colour) override {
        inner_->set_pixel(x, y, colour);
    }
    void fill_rect(int l, int t, int r, int b, tovik::Colour colour) override {
        inner_->fill_rect(l, t, r, b, colour);
    }
    void scroll_up(int dy) override { inner_->scroll_up(dy); }
    tovik::TextMetrics font_metrics(const tovik::FontRequest& font) override {
        return inner_->font_metrics(font);
    }
    tovik::Extent text_extent(const tovik::FontRequest& font, std::string_view text) override {
        return inner_->text_extent(font, text);
    }
    void text_out(const tovik::FontRequest& font, std::int64_t x, std::int64_t y,
                  std::string_view text, tovik::Colour fg, bool transparent,
                  tovik::Colour bg) override {
        inner_->text_out(font, x, y, text, fg, transparent, bg);
        if (measuring) {
            count([&](Canvas& c) { c.text_out(font, x, y, text, fg, transparent, bg); });
        }
    }
    tovik::Colour pixel(int x, int y) const override { return inner_->pixel(x, y); }

private:
    static constexpr tovik::Colour SENTINEL = tovik::rgb(1, 2, 3);

    template <typename Draw>
    void count(Draw draw) {
        draw(scratch_);
        for (int y = 0; y < scratch_.height(); ++y) {
            for (int x = 0; x < scratch_.width(); ++x) {
                if (scratch_.pixel(x, y) != SENTINEL) {
                    ++pixels;
                    scratch_.set_pixel(x, y, SENTINEL);
                }
            }
        }
    }

    std::unique_ptr<Canvas> inner_;
    SoftwareCanvas scratch_;
};

// The game on the fake platform, some way into play: monkeys in the sky and
// on the ground, one of them exploding; and the crawl halfway up.
struct Setup {
    tovik::FakePlatform platform;
    GameState game;
    GameState crawl;
    CoverageCanvas* canvas = nullptr;
    long long frame_pixels = 0;
    long long crawl_pixels = 0;

    Setup() {
        tovik::reset_framework();
        tovik::set_platform(&platform);
        start_game(game, nullptr, nullptr, "", 1, [] { rng_seed(1); });
        auto coverage = std::make_unique<CoverageCanvas>(std::move(tovik::fw.offscreen_image));
        canvas = coverage.get();
        tovik::fw.offscreen_image = std::move(coverage);

        // The crawl after 40 of its periodic events, the rest clicks.
        crawl = game;
        platform.auto_timer = false;
        for (int i = 0; i < 40; ++i) {
            platform.timer();
            platform.timer();
        }
        for (int i = 40; i < CRAWL_EVENT_COUNT; ++i) platform.click(1, 1);
        run_crawl(crawl.crawl_x, crawl.crawl_y, crawl.crawl_size, crawl.moon_x, crawl.moon_y,
                  crawl.star1_x, crawl.star1_y, crawl.star1_size, crawl.star1_colour,
                  crawl.star2_x, crawl.star2_y, crawl.star2_size, crawl.star2_colour,
                  crawl.flower_x, crawl.flower_y, crawl.flower_centre_radius,
                  crawl.flower_centre_colour, crawl.flower_radius, crawl.flower_petal_colour,
                  crawl.boat_x, crawl.boat_y, crawl.boat_half_length, crawl.boat_sail_height,
                  crawl.butterfly_x, crawl.butterfly_y, crawl.butterfly_wing, crawl.landmark_x,
                  crawl.landmark_y, crawl.monkey_x, crawl.monkey_y, crawl.monkey_arm);
        for (int tick = 0; tick < 150; ++tick) play_event(game, TOVIK_PERIODIC, 0, 0);
        game.monkey_timer[0] = -100;

        canvas->measuring = true;
        game_frame();
        frame_pixels = std::exchange(canvas->pixels, 0);
        crawl_frame();
        crawl_pixels = std::exchange(canvas->pixels, 0);
        canvas->measuring = false;
    }

    // What the main loop draws after an event with one explosion running.
    void game_frame() {
        draw_scene_of(game);
        draw_control_panel();
        draw_explosion(game.monkey_x[0], game.monkey_y[0], game.explosion_colours);
    }

    // What the crawl draws after a periodic event.
    void crawl_frame() {
        draw_scene_of(crawl);
        draw_crawl_text(crawl.crawl_x, crawl.crawl_y, crawl.crawl_size);
    }
};

Setup& setup() {
    static Setup instance;
    return instance;
}

// Plain span fills of `pixels` pixels in the image's full rows.
void fill_spans(SoftwareCanvas& image, long long pixels, tovik::Colour colour) {
    const int width = image.width();
    const int height = image.height();
    const long long whole = static_cast<long long>(width) * height;
    for (; pixels >= whole; pixels -= whole) image.fill_rect(0, 0, width, height, colour);
    const int rows = static_cast<int>(pixels / width);
    image.fill_rect(0, 0, width, rows, colour);
    image.fill_rect(0, rows, static_cast<int>(pixels % width), rows + 1, colour);
}

// Processor time in nanoseconds: on a busy machine it is steadier than the clock on the wall.
double cpu_ns() { return static_cast<double>(std::clock()) * (1e9 / CLOCKS_PER_SEC); }

// The frame against the fill bound in alternating batches, so that both meet
// the same load; the fastest batch of each stands for it.
template <typename Frame>
void compare_with_fills(benchmark::State& state, long long pixels, Frame frame) {
    SoftwareCanvas image(tovik::IMAGE_WIDTH, tovik::IMAGE_HEIGHT);
    constexpr int batches = 15;
    constexpr int per_batch = 20;
    double best_frame = 1e300;
    double best_fill = 1e300;
    for (int b = 0; b < batches; ++b) {
        double start = cpu_ns();
        for (int i = 0; i < per_batch; ++i) {
            frame();
            benchmark::ClobberMemory();
        }
        best_frame = std::min(best_frame, (cpu_ns() - start) / per_batch);
        start = cpu_ns();
        for (int i = 0; i < per_batch; ++i) {
            fill_spans(image, pixels, tovik::rgb(static_cast<unsigned>(i), 0, 0));
            benchmark::ClobberMemory();
        }
        best_fill = std::min(best_fill, (cpu_ns() - start) / per_batch);
    }
    state.counters["pixels"] = static_cast<double>(pixels);
    state.counters["frame_us"] = best_frame / 1000;
    state.counters["fill_us"] = best_fill / 1000;
    state.counters["ratio"] = best_frame / best_fill;
}

template <typename Frame>
void run_frame(benchmark::State& state, long long pixels, Frame frame) {
    compare_with_fills(state, pixels, frame);
    for (auto _ : state) {
        frame();
        benchmark::ClobberMemory();
    }
}

void BM_GameFrame(benchmark::State& state) {
    Setup& s = setup();
    run_frame(state, s.frame_pixels, [&s] { s.game_frame(); });
}
BENCHMARK(BM_GameFrame)->Unit(benchmark::kMicrosecond);

void BM_GameFrameFillBound(benchmark::State& state) {
    SoftwareCanvas image(tovik::IMAGE_WIDTH, tovik::IMAGE_HEIGHT);
    const long long pixels = setup().frame_pixels;
    for (auto _ : state) {
        fill_spans(image, pixels, tovik::rgb(9, 9, 9));
        benchmark::ClobberMemory();
    }
    state.counters["pixels"] = static_cast<double>(pixels);
}
BENCHMARK(BM_GameFrameFillBound)->Unit(benchmark::kMicrosecond);

void BM_CrawlFrame(benchmark::State& state) {
    Setup& s = setup();
    run_frame(state, s.crawl_pixels, [&s] { s.crawl_frame(); });
}
BENCHMARK(BM_CrawlFrame)->Unit(benchmark::kMicrosecond);

void BM_CrawlFrameFillBound(benchmark::State& state) {
    SoftwareCanvas image(tovik::IMAGE_WIDTH, tovik::IMAGE_HEIGHT);
    const long long pixels = setup().crawl_pixels;
    for (auto _ : state) {
        fill_spans(image, pixels, tovik::rgb(9, 9, 9));
        benchmark::ClobberMemory();
    }
    state.counters["pixels"] = static_cast<double>(pixels);
}
BENCHMARK(BM_CrawlFrameFillBound)->Unit(benchmark::kMicrosecond);

}  // namespace
