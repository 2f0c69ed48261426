// One whole frame of the game, as the main loop and the opening crawl draw it,
// through the framework's primitives on the fake platform, against the fill
// of exactly the spans it paints and against cairo drawing the same calls.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "bench_font.h"
#include "cairo_canvas.h"
#include "canvas/software_canvas.h"
#include "control_panel.h"
#include "core/framework_state.h"
#include "crawl.h"
#include "explosion.h"
#include "fake/fake_platform.h"
#include "frame_compare.h"
#include "game_main.h"
#include "main_loop.h"
#include "random.h"
#include "scene.h"
#include "span_recorder.h"

namespace {

// The game on the fake platform, some way into play: monkeys in the sky and
// on the ground, one of them exploding; and the crawl halfway up.
struct Setup {
    tovik::FakePlatform platform;
    GameState game;
    GameState crawl;
    std::vector<bench::Span> frame_spans;
    std::vector<bench::Span> crawl_spans;
    std::unique_ptr<tovik::Canvas> peer;

    Setup() {
        const std::string font = bench::pin_bench_font();
        tovik::reset_framework();
        tovik::set_platform(&platform);
        start_game(game, nullptr, nullptr, "", 1, [] { rng_seed(1); });

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

        // The first frames load the faces and glyphs, as the program's first ones do.
        game_frame();
        crawl_frame();
        auto recorder = std::make_unique<bench::SpanRecorder>(tovik::IMAGE_WIDTH,
                                                              tovik::IMAGE_HEIGHT);
        bench::SpanRecorder& spans = *recorder;
        std::unique_ptr<tovik::Canvas> image =
            std::exchange(tovik::fw.offscreen_image, std::move(recorder));
        game_frame();
        frame_spans = spans.take();
        crawl_frame();
        crawl_spans = spans.take();
        tovik::fw.offscreen_image = std::move(image);
        peer = std::make_unique<bench::CairoCanvas>(tovik::IMAGE_WIDTH, tovik::IMAGE_HEIGHT, font);
    }

    // Draws `frame` on the peer instead of the program's image.
    template <typename Frame>
    void on_peer(Frame frame) {
        std::swap(tovik::fw.offscreen_image, peer);
        frame();
        std::swap(tovik::fw.offscreen_image, peer);
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

void BM_GameFrame(benchmark::State& state) {
    Setup& s = setup();
    bench::compare(state, s.frame_spans, [&s] { s.game_frame(); },
                   [&s] { s.on_peer([&s] { s.game_frame(); }); });
}
BENCHMARK(BM_GameFrame)->Unit(benchmark::kMicrosecond);

void BM_CrawlFrame(benchmark::State& state) {
    Setup& s = setup();
    bench::compare(state, s.crawl_spans, [&s] { s.crawl_frame(); },
                   [&s] { s.on_peer([&s] { s.crawl_frame(); }); });
}
BENCHMARK(BM_CrawlFrame)->Unit(benchmark::kMicrosecond);

}  // namespace
