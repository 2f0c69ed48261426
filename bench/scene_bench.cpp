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
#include "core/framework_state.h"
#include "frame_compare.h"
#include "game_frames.h"
#include "span_recorder.h"

namespace {

struct Setup {
    std::string font = bench::pin_bench_font();  // before the frames draw any text
    bench::GameFrames frames;
    std::vector<bench::Span> frame_spans;
    std::vector<bench::Span> crawl_spans;
    std::unique_ptr<tovik::Canvas> peer;

    Setup() {
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

    void game_frame() { frames.game_frame(); }
    void crawl_frame() { frames.crawl_frame(); }
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
