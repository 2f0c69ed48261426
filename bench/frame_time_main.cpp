// frame_time: the benchmark's game frame timed on its own, without Google
// Benchmark, so that one program gives the figure natively and compiled to
// WebAssembly in a browser, like for like.  Prints the best of 15 rounds of
// 100 frames as microseconds per frame, and a digest of the frame's pixels,
// which a change of compiler options (SIMD) must leave as it is.
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <limits>

#include "core/framework_state.h"

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
        const std::chrono::duration<double, std::micro> took =
            std::chrono::steady_clock::now() - start;
        best = std::min(best, took.count() / 100);
    }
    // FNV-1a over every pixel.
    std::uint32_t digest = 2166136261u;
    const tovik::Canvas& image = *tovik::fw.offscreen_image;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) digest = (digest ^ image.pixel(x, y)) * 16777619u;
    }
    std::printf("frame_us %.1f pixels %08x\n", best, static_cast<unsigned>(digest));
    return 0;
}
