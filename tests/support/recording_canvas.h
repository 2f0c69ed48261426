// A canvas that records the calls it receives, so tests can check what the
// core asks of a canvas without depending on pixels.
#pragma once

#include <string>
#include <vector>

#include "canvas.h"

namespace tovik::testing {

struct CanvasCall {
    std::string op;  // polygon, rectangle, ellipse, line, pixel, fill, scroll, text
    std::vector<std::int64_t> args;
    Pen pen;
    Brush brush;
    std::string text;
    FontRequest font;
    bool transparent = false;
};

class RecordingCanvas final : public Canvas {
public:
    RecordingCanvas(int width, int height, std::vector<CanvasCall>* calls)
        : width_(width), height_(height), calls_(calls) {}

    int width() const override { return width_; }
    int height() const override { return height_; }
    void polygon(std::span<const Point64> points, const Pen& pen, const Brush& brush) override {
        CanvasCall c{"polygon", {}, pen, brush, {}, {}, false};
        for (const Point64& p : points) {
            c.args.push_back(p.x);
            c.args.push_back(p.y);
        }
        calls_->push_back(c);
    }
    void rectangle(std::int64_t l, std::int64_t t, std::int64_t r, std::int64_t b, const Pen& pen,
                   const Brush& brush) override {
        calls_->push_back({"rectangle", {l, t, r, b}, pen, brush, {}, {}, false});
    }
    void ellipse(std::int64_t l, std::int64_t t, std::int64_t r, std::int64_t b, const Pen& pen,
                 const Brush& brush) override {
        calls_->push_back({"ellipse", {l, t, r, b}, pen, brush, {}, {}, false});
    }
    void line(std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1,
              const Pen& pen) override {
        calls_->push_back({"line", {x0, y0, x1, y1}, pen, {}, {}, {}, false});
    }
    void set_pixel(std::int64_t x, std::int64_t y, Colour colour) override {
        calls_->push_back({"pixel", {x, y}, Pen{colour, 0}, {}, {}, {}, false});
    }
    void fill_rect(int l, int t, int r, int b, Colour colour) override {
        calls_->push_back({"fill", {l, t, r, b}, {}, Brush{colour, false}, {}, {}, false});
    }
    void scroll_up(int dy) override { calls_->push_back({"scroll", {dy}, {}, {}, {}, {}, false}); }
    TextMetrics font_metrics(const FontRequest&) override { return {LINE, 11, LEADING}; }
    Extent text_extent(const FontRequest&, std::string_view text) override {
        return text.empty() ? Extent{} : Extent{static_cast<int>(text.size()) * 7, LINE};
    }
    void text_out(const FontRequest& font, std::int64_t x, std::int64_t y, std::string_view text,
                  Colour foreground, bool transparent, Colour background) override {
        calls_->push_back({"text", {x, y}, Pen{foreground, 0}, Brush{background, false},
                           std::string(text), font, transparent});
    }
    Colour pixel(int, int) const override { return 0; }

    static constexpr int LINE = 14;     // cell height of every font
    static constexpr int LEADING = 2;  // external leading of every font

private:
    int width_;
    int height_;
    std::vector<CanvasCall>* calls_;
};

}  // namespace tovik::testing
