// The benchmark's three frames behind one C function, built into a shared
// library once for each of two revisions, which compare_frames loads side by
// side (see tools/compare-frames.sh).
#include <chrono>
#include <string>

#include "bench_font.h"
#include "canvas/software_canvas.h"
#include "game_frames.h"
#include "synthetic_frame.h"

namespace {

struct Frames {
    std::string font = bench::pin_bench_font();  // before any frame draws text
    tovik::SoftwareCanvas canvas{bench::SYNTHETIC_WIDTH, bench::SYNTHETIC_HEIGHT};
    bench::GameFrames game;
};

}  // namespace

// Draws frame `which` (0: the synthetic frame with its text, 1: the game
// frame, 2: the crawl frame) n times; returns the microseconds a frame took.
extern "C" [[gnu::visibility("default")]] double tovik_frames(int which, int n) {
    static Frames frames;
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < n; ++i) {
        if (which == 0) bench::draw_synthetic_frame(frames.canvas);
        else if (which == 1) frames.game.game_frame();
        else frames.game.crawl_frame();
    }
    const std::chrono::duration<double, std::micro> took = std::chrono::steady_clock::now() - start;
    return took.count() / n;
}
