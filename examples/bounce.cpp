// A ball that bounces inside a box, one step per periodic event.  The Run
// menu drives it: Ctrl+H halts the ball, Ctrl+F advances it one frame,
// Ctrl+A lets it run again, Ctrl+Q quits.
#include <cstdint>
#include <cstdio>

#include "tovik.h"

namespace {

constexpr std::int32_t HALF_WIDTH = 250;
constexpr std::int32_t HALF_HEIGHT = 180;
constexpr std::int32_t RADIUS = 18;

struct Ball {
    std::int32_t x = -120, y = 60;
    std::int32_t dx = 7, dy = -5;
};

void step(Ball& ball) {
    ball.x += ball.dx;
    ball.y += ball.dy;
    if (ball.x < -HALF_WIDTH + RADIUS || ball.x > HALF_WIDTH - RADIUS) ball.dx = -ball.dx;
    if (ball.y < -HALF_HEIGHT + RADIUS || ball.y > HALF_HEIGHT - RADIUS) ball.dy = -ball.dy;
}

void draw(const Ball& ball) {
    TOVIK_clear();
    TOVIK_draw_rectangle(COLOUR_NAVY_BLUE, -HALF_WIDTH, HALF_HEIGHT, HALF_WIDTH, -HALF_HEIGHT, 0);
    TOVIK_draw_rectangle(COLOUR_GOLD, -HALF_WIDTH, HALF_HEIGHT, HALF_WIDTH, -HALF_HEIGHT, 3);
    TOVIK_draw_triangle(COLOUR_FOREST_GREEN, -200, -HALF_HEIGHT, -140, -90, -80, -HALF_HEIGHT, 0);
    TOVIK_draw_oval(COLOUR_ICE_BLUE, 90, 150, 210, 110, 2);
    TOVIK_draw_line(COLOUR_GRAY_50, -HALF_WIDTH, -HALF_HEIGHT + 30, HALF_WIDTH, -HALF_HEIGHT + 30, 1);
    TOVIK_draw_circle(COLOUR_ORANGE, ball.x, ball.y, RADIUS);
    TOVIK_draw_text(COLOUR_BLACK, -240, -200, 12, "Ctrl+H halts, Ctrl+F steps, Ctrl+A runs");
}

}  // namespace

int game_main(void* instance, void* previous_instance, const char* command_line, int show_mode) {
    TOVIK_start(instance, previous_instance, command_line, show_mode);
    Ball ball;
    draw(ball);
    TOVIK_set_animation(ANIM_RUN);
    std::puts("bounce: running; Ctrl+H halts the ball, Ctrl+Q quits");
    std::fflush(stdout);
    for (;;) {
        const EventKind event = TOVIK_wait_event(nullptr, nullptr, nullptr);
        if (event == TOVIK_QUIT) break;
        if (event == TOVIK_PERIODIC) {
            step(ball);
            draw(ball);
        }
    }
    TOVIK_finish();
    return 0;
}
