#include "span_recorder.h"

#include "canvas/pixel_format.h"

namespace bench {

namespace {
// No drawing of the program or the benchmarks uses this colour.
constexpr tovik::Colour UNUSED = tovik::rgb(1, 2, 3);
constexpr std::uint32_t UNPAINTED = tovik::raster::to_pixel(UNUSED);
}  // namespace

SpanRecorder::SpanRecorder(int width, int height) : image_(width, height) {
    image_.fill_rect(0, 0, width, height, UNUSED);
}

long long SpanRecorder::pixels(const std::vector<Span>& spans) const {
    long long n = 0;
    for (const Span& s : spans) n += s.x1 - s.x0;
    return n;
}

void SpanRecorder::harvest() {
    // The image is written through data() only here, to put the sentinel back.
    auto* pixels = const_cast<std::uint32_t*>(image_.data());
    const int w = image_.width();
    for (int y = 0; y < image_.height(); ++y) {
        std::uint32_t* row = pixels + static_cast<std::ptrdiff_t>(y) * image_.stride();
        for (int x = 0; x < w;) {
            if (row[x] == UNPAINTED) {
                ++x;
                continue;
            }
            const int x0 = x;
            const std::uint32_t value = row[x];
            for (; x < w && row[x] != UNPAINTED; ++x) row[x] = UNPAINTED;
            spans_.push_back({y, x0, x, value});
        }
    }
}

void SpanRecorder::polygon(std::span<const tovik::Point64> points, const tovik::Pen& pen,
                           const tovik::Brush& brush) {
    image_.polygon(points, pen, brush);
    harvest();
}
void SpanRecorder::rectangle(std::int64_t l, std::int64_t t, std::int64_t r, std::int64_t b,
                             const tovik::Pen& pen, const tovik::Brush& brush) {
    image_.rectangle(l, t, r, b, pen, brush);
    harvest();
}
void SpanRecorder::ellipse(std::int64_t l, std::int64_t t, std::int64_t r, std::int64_t b,
                           const tovik::Pen& pen, const tovik::Brush& brush) {
    image_.ellipse(l, t, r, b, pen, brush);
    harvest();
}
void SpanRecorder::line(std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1,
                        const tovik::Pen& pen) {
    image_.line(x0, y0, x1, y1, pen);
    harvest();
}
void SpanRecorder::set_pixel(std::int64_t x, std::int64_t y, tovik::Colour colour) {
    image_.set_pixel(x, y, colour);
    harvest();
}
void SpanRecorder::fill_rect(int l, int t, int r, int b, tovik::Colour colour) {
    image_.fill_rect(l, t, r, b, colour);
    harvest();
}
// Every pixel is unpainted between calls, so a scroll paints nothing.
void SpanRecorder::scroll_up(int) {}
tovik::TextMetrics SpanRecorder::font_metrics(const tovik::FontRequest& font) {
    return image_.font_metrics(font);
}
tovik::Extent SpanRecorder::text_extent(const tovik::FontRequest& font, std::string_view text) {
    return image_.text_extent(font, text);
}
void SpanRecorder::text_out(const tovik::FontRequest& font, std::int64_t x, std::int64_t y,
                            std::string_view text, tovik::Colour fg, bool transparent,
                            tovik::Colour bg) {
    image_.text_out(font, x, y, text, fg, transparent, bg);
    harvest();
}

}  // namespace bench
