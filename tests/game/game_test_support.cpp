#include "game_test_support.h"

#include "core/colours.h"
#include "core/framework_state.h"
#include "game_main.h"
#include "random.h"
#include "tovik.h"

namespace game_test {

using tovik::fw;
using tovik::Point64;

namespace {

Point64 framework_point(std::int64_t column, std::int64_t row) {
    return {column - fw.origin_x, fw.origin_y - row};
}

// A box's right and bottom edges are excluded on the canvas: give back the
// inclusive corners that the primitive was called with.
std::vector<Point64> box_corners(std::int64_t left, std::int64_t top, std::int64_t right,
                                 std::int64_t bottom) {
    return {framework_point(left, top), framework_point(right - 1, bottom - 1)};
}

}  // namespace

void RecordingCanvas::polygon(std::span<const Point64> points, const tovik::Pen& pen,
                              const tovik::Brush& brush) {
    DrawnOp op{DrawnOp::Polygon, pen.colour, {}, {}};
    for (const Point64& p : points) op.points.push_back(framework_point(p.x, p.y));
    ops.push_back(op);
    inner_->polygon(points, pen, brush);
}

void RecordingCanvas::rectangle(std::int64_t left, std::int64_t top, std::int64_t right,
                                std::int64_t bottom, const tovik::Pen& pen,
                                const tovik::Brush& brush) {
    ops.push_back({DrawnOp::Rectangle, pen.colour, box_corners(left, top, right, bottom), {}});
    inner_->rectangle(left, top, right, bottom, pen, brush);
}

void RecordingCanvas::ellipse(std::int64_t left, std::int64_t top, std::int64_t right,
                              std::int64_t bottom, const tovik::Pen& pen,
                              const tovik::Brush& brush) {
    ops.push_back({DrawnOp::Ellipse, pen.colour, box_corners(left, top, right, bottom), {}});
    inner_->ellipse(left, top, right, bottom, pen, brush);
}

void RecordingCanvas::line(std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1,
                           const tovik::Pen& pen) {
    ops.push_back(
        {DrawnOp::Line, pen.colour, {framework_point(x0, y0), framework_point(x1, y1)}, {}});
    inner_->line(x0, y0, x1, y1, pen);
}

void RecordingCanvas::set_pixel(std::int64_t x, std::int64_t y, tovik::Colour colour) {
    ops.push_back({DrawnOp::Other, colour, {framework_point(x, y)}, {}});
    inner_->set_pixel(x, y, colour);
}

void RecordingCanvas::text_out(const tovik::FontRequest& font, std::int64_t x, std::int64_t y,
                               std::string_view text, tovik::Colour foreground, bool transparent,
                               tovik::Colour background) {
    ops.push_back({DrawnOp::Text, foreground, {framework_point(x, y)}, std::string(text)});
    inner_->text_out(font, x, y, text, foreground, transparent, background);
}

tovik::Colour colour_of(ColourIndex index) {
    return tovik::colour_table[static_cast<std::size_t>(index)];
}

void GameTest::SetUp() {
    tovik::reset_framework();
    tovik::set_platform(&platform);
    platform.auto_timer = false;
    rng_seed(1);
}

void GameTest::TearDown() {
    tovik::reset_framework();
    tovik::set_platform(nullptr);
}

void GameTest::open_framework() {
    TOVIK_start(nullptr, nullptr, "", 1);
    record_drawing();
}

GameState GameTest::start_seeded_game() {
    GameState g;
    start_game(g, nullptr, nullptr, "", 1, [] { rng_seed(1); });
    record_drawing();
    return g;
}

void GameTest::record_drawing() {
    auto recording = std::make_unique<RecordingCanvas>(std::move(fw.offscreen_image));
    canvas_ = recording.get();
    fw.offscreen_image = std::move(recording);
}

std::vector<std::string> GameTest::messages() {
    std::vector<std::string> out;
    if (fw.log_head < 0) return out;
    int slot = fw.log_head;
    do {
        std::string message = fw.log_ring[static_cast<std::size_t>(slot)].get();
        if (!message.empty() && message.back() == '\n') message.pop_back();
        out.push_back(message);
        slot = (slot + 1) % tovik::LOG_RING_SIZE;
    } while (slot != fw.log_tail);
    return out;
}

void GameTest::queue_periodic(int count) {
    // The first notification arms the wait, the second ends it.
    for (int i = 0; i < count; ++i) {
        platform.timer();
        platform.timer();
    }
}

void GameTest::queue_click(std::int32_t x, std::int32_t y) {
    platform.click(fw.origin_x + x, fw.origin_y - y);
}

void place_monkey(GameState& g, int i, std::int32_t x, std::int32_t y, std::int32_t floor) {
    g.monkey_x[static_cast<std::size_t>(i)] = x;
    g.monkey_y[static_cast<std::size_t>(i)] = y;
    g.monkey_floor[static_cast<std::size_t>(i)] = floor;
    g.monkey_arm[static_cast<std::size_t>(i)] = 0;
    g.monkey_timer[static_cast<std::size_t>(i)] = 0;
}

void clear_monkeys(GameState& g) {
    for (int i = 0; i < MONKEY_COUNT; ++i) place_monkey(g, i, 250, -350, -200);
}

}  // namespace game_test
