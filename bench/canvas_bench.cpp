// The synthetic frame straight on the canvas, against the fill of exactly the
// spans it paints and against cairo drawing the same calls.
#include <benchmark/benchmark.h>

#include <vector>

#include "bench_font.h"
#include "cairo_canvas.h"
#include "canvas/software_canvas.h"
#include "frame_compare.h"
#include "span_recorder.h"
#include "synthetic_frame.h"

namespace {

using bench::draw_synthetic_frame;
using tovik::SoftwareCanvas;
constexpr int W = bench::SYNTHETIC_WIDTH, H = bench::SYNTHETIC_HEIGHT;

struct Synthetic {
    bool text;
    std::vector<bench::Span> spans;
    SoftwareCanvas canvas{W, H};
    bench::CairoCanvas peer;

    explicit Synthetic(bool with_text)
        : text(with_text), peer(W, H, bench::pin_bench_font()) {
        // Loads the faces and glyphs, as the program's first frame does.
        draw_synthetic_frame(canvas, text);
        bench::SpanRecorder recorder(W, H);
        draw_synthetic_frame(recorder, text);
        spans = recorder.take();
    }
};

// The frame with its text lines (argument 1) or without (0).
void CanvasFrame(benchmark::State& state) {
    Synthetic s(state.range(0) != 0);
    bench::compare(state, s.spans, [&s] {
        draw_synthetic_frame(s.canvas, s.text);
        benchmark::DoNotOptimize(s.canvas.data());
    }, [&s] { draw_synthetic_frame(s.peer, s.text); });
}
BENCHMARK(CanvasFrame)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace
