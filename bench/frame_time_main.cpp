// frame_time: the benchmark's game frame timed on its own, without Google
// Benchmark, so that one program gives the figure natively and compiled to
// WebAssembly in a browser, like for like.  Prints the best of 15 rounds of
// 100 frames as microseconds per frame.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <limits>

#include "bench_font.h"
#include "game_frames.h"

int main() {
    if (bench::pin_bench_font().empty()) {
        std::fprintf(stderr, "frame_time: %s is missing\n", bench::FONT_FILE);
        return 1;
    }
    bench::GameFrames frames;
    double best = std::numeric_limits<double>::infinity();
    for (int round = 0; round < 15; ++round) {
        const auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < 100; ++i) frames.game_frame();
        const std::chrono::duration<double, std::micro> took = std::chrono::steady_clock::now() - start;
        best = std::min(best, took.count() / 100);
    }
    std::printf("frame_us %.1f\n", best);
    return 0;
}
