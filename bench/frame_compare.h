// A frame against its bound and its peer in alternating rounds, so that all
// three meet the same load; the fastest round of each stands for it, in
// processor time, which a busy machine disturbs less than the wall clock.
#pragma once

#include <benchmark/benchmark.h>

#include <algorithm>
#include <ctime>
#include <vector>

#include "span_fill.h"

namespace bench {

constexpr int IMAGE_W = 601, IMAGE_H = 540;  // the program's image

inline double cpu_ns() { return static_cast<double>(std::clock()) * (1e9 / CLOCKS_PER_SEC); }

template <typename Draw>
double time_round(int n, Draw draw) {
    const double start = cpu_ns();
    for (int i = 0; i < n; ++i) {
        draw();
        benchmark::ClobberMemory();
    }
    return (cpu_ns() - start) / n;
}

// Reports frame_us, bound_us, ratio (frame over bound), cairo_us and
// cairo_ratio (cairo over frame), then times the frame alone as the
// benchmark's own figure.
template <typename Frame, typename Peer>
void compare(benchmark::State& state, const std::vector<Span>& spans, Frame frame, Peer peer) {
    std::vector<std::uint32_t> image(static_cast<std::size_t>(IMAGE_W) * IMAGE_H);
    constexpr int rounds = 15;
    constexpr int per_round = 20;
    double best_frame = 1e300, best_bound = 1e300, best_peer = 1e300;
    for (int r = 0; r < rounds; ++r) {
        best_frame = std::min(best_frame, time_round(per_round, frame));
        best_bound = std::min(best_bound, time_round(per_round, [&] {
                                  fill_spans(image.data(), IMAGE_W, spans);
                                  benchmark::DoNotOptimize(image.data());
                              }));
        best_peer = std::min(best_peer, time_round(per_round, peer));
    }
    long long pixels = 0;
    for (const Span& s : spans) pixels += s.x1 - s.x0;
    state.counters["pixels"] = static_cast<double>(pixels);
    state.counters["spans"] = static_cast<double>(spans.size());
    state.counters["frame_us"] = best_frame / 1000;
    state.counters["bound_us"] = best_bound / 1000;
    state.counters["ratio"] = best_frame / best_bound;
    state.counters["cairo_us"] = best_peer / 1000;
    state.counters["cairo_ratio"] = best_peer / best_frame;
    for (auto _ : state) {
        frame();
        benchmark::ClobberMemory();
    }
}

}  // namespace bench
