// Running the game against the fake platform: a fixture with the framework
// reset, a canvas that records what is drawn, and helpers for scripted input.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "canvas.h"
#include "fake/fake_platform.h"
#include "game_state.h"

namespace game_test {

// One canvas call, its points turned back into framework coordinates.
struct DrawnOp {
    enum Kind { Polygon, Rectangle, Ellipse, Line, Text, Other } kind = Other;
    tovik::Colour colour = 0;
    std::vector<tovik::Point64> points;  // rectangle and ellipse: their two corners, inclusive
    std::string text;
};

// Passes every call on to the real canvas and keeps a list of the drawing calls.
class RecordingCanvas final : public tovik::Canvas {
public:
    explicit RecordingCanvas(std::unique_ptr<tovik::Canvas> inner) : inner_(std::move(inner)) {}

    std::vector<DrawnOp> ops;

    int width() const override { return inner_->width(); }
    int height() const override { return inner_->height(); }
    void polygon(std::span<const tovik::Point64> points, const tovik::Pen& pen,
                 const tovik::Brush& brush) override;
    void rectangle(std::int64_t left, std::int64_t top, std::int64_t right, std::int64_t bottom,
                   const tovik::Pen& pen, const tovik::Brush& brush) override;
    void ellipse(std::int64_t left, std::int64_t top, std::int64_t right, std::int64_t bottom,
                 const tovik::Pen& pen, const tovik::Brush& brush) override;
    void line(std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1,
              const tovik::Pen& pen) override;
    void set_pixel(std::int64_t x, std::int64_t y, tovik::Colour colour) override;
    void fill_rect(int left, int top, int right, int bottom, tovik::Colour colour) override {
        inner_->fill_rect(left, top, right, bottom, colour);
    }
    void scroll_up(int dy) override { inner_->scroll_up(dy); }
    tovik::TextMetrics font_metrics(const tovik::FontRequest& font) override {
        return inner_->font_metrics(font);
    }
    tovik::Extent text_extent(const tovik::FontRequest& font, std::string_view text) override {
        return inner_->text_extent(font, text);
    }
    void text_out(const tovik::FontRequest& font, std::int64_t x, std::int64_t y,
                  std::string_view text, tovik::Colour foreground, bool transparent,
                  tovik::Colour background) override;
    tovik::Colour pixel(int x, int y) const override { return inner_->pixel(x, y); }

private:
    std::unique_ptr<tovik::Canvas> inner_;
};

// The framework's colour of a colour index, as the canvas receives it.
tovik::Colour colour_of(ColourIndex index);

class GameTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // TOVIK_start on the fake platform, then the recording canvas in place.
    void open_framework();
    // The game's start-up with seed 1 up to its first picture, then the
    // recording canvas in place with nothing recorded yet.
    GameState start_seeded_game();
    // Puts the recording canvas in place of the framework's image.
    void record_drawing();
    std::vector<DrawnOp>& ops() { return canvas_->ops; }
    // The text window's messages, oldest first, without their newlines.
    static std::vector<std::string> messages();

    // Input as the platform delivers it while the animation runs.
    void queue_periodic(int count = 1);
    void queue_click(std::int32_t x, std::int32_t y);

    tovik::FakePlatform platform;

private:
    RecordingCanvas* canvas_ = nullptr;
};

// Monkeys placed by hand, every other one far out of the way.
void place_monkey(GameState& g, int i, std::int32_t x, std::int32_t y, std::int32_t floor);
void clear_monkeys(GameState& g);

}  // namespace game_test
