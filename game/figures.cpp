#include "figures.h"

#include "tovik.h"

namespace {
constexpr std::int32_t FILLED = 0;
constexpr std::int32_t FEELER_WIDTH = 2;
}  // namespace

void draw_butterfly(std::int32_t x, std::int32_t y, std::int32_t w) {
    TOVIK_draw_triangle(COLOUR_MAGENTA, x, y, x - w, y + w, x - w, y - w, FILLED);
    TOVIK_draw_triangle(COLOUR_MAGENTA, x, y, x + w, y + w, x + w, y - w, FILLED);
    TOVIK_draw_line(COLOUR_BLACK, x, y, x - 3, y + 7, FEELER_WIDTH);
    TOVIK_draw_line(COLOUR_BLACK, x, y, x + 3, y + 7, FEELER_WIDTH);
}

void draw_monkey(std::int32_t x, std::int32_t y, std::int32_t a) {
    TOVIK_draw_rectangle(COLOUR_BROWN, x - 10, y + 12, x + 10, y - 12, FILLED);  // body
    TOVIK_draw_circle(COLOUR_BROWN, x, y + 22, 10);                               // head
    TOVIK_draw_circle(COLOUR_OLIVE, x, y + 17, 3);                                // muzzle
    TOVIK_draw_circle(COLOUR_BROWN, x + 10, y + 24, 3);                           // ears
    TOVIK_draw_circle(COLOUR_BROWN, x - 10, y + 24, 3);
    TOVIK_draw_circle(COLOUR_BLACK, x + 5, y + 24, 1);                            // eyes
    TOVIK_draw_circle(COLOUR_BLACK, x - 5, y + 24, 1);
    // The left leg is two units shorter than the right one.
    TOVIK_draw_rectangle(COLOUR_BROWN, x + 10, y - 9, x + 15, y - 29, FILLED);
    TOVIK_draw_rectangle(COLOUR_BROWN, x - 10, y - 9, x - 15, y - 27, FILLED);
    TOVIK_draw_triangle(COLOUR_BROWN, x - 10, y + 9, x - 10, y + 4, x - 30, y + a, FILLED);
    TOVIK_draw_triangle(COLOUR_BROWN, x + 10, y + 9, x + 10, y + 4, x + 30, y + a, FILLED);
}

void draw_landmark(std::int32_t x, std::int32_t y) {
    // The raised arm with the torch and its three flames.
    TOVIK_draw_triangle(COLOUR_GRAY_50, x - 12, y, x - 22, y, x - 26, y + 25, FILLED);
    TOVIK_draw_triangle(COLOUR_BLACK, x - 25, y + 20, x - 28, y + 33, x - 22, y + 33, FILLED);
    TOVIK_draw_rectangle(COLOUR_GRAY_50, x - 28, y + 23, x - 22, y + 28, FILLED);
    TOVIK_draw_triangle(COLOUR_ORANGE, x - 26, y + 33, x - 24, y + 33, x - 25, y + 42, FILLED);
    TOVIK_draw_triangle(COLOUR_RED, x - 28, y + 33, x - 26, y + 38, x - 25, y + 33, FILLED);
    TOVIK_draw_triangle(COLOUR_RED, x - 22, y + 33, x - 23, y + 38, x - 24, y + 33, FILLED);
    // The head, half under water, and its four spikes.
    TOVIK_draw_circle(COLOUR_GRAY_20, x + 5, y, 8);
    TOVIK_draw_rectangle(COLOUR_BLUE, x - 5, y, x + 15, y - 8, FILLED);
    TOVIK_draw_triangle(COLOUR_GRAY_50, x, y, x - 5, y, x - 3, y + 7, FILLED);
    TOVIK_draw_triangle(COLOUR_GRAY_50, x, y, x + 5, y, x + 3, y + 7, FILLED);
    TOVIK_draw_triangle(COLOUR_GRAY_50, x + 5, y, x + 10, y, x + 8, y + 7, FILLED);
    TOVIK_draw_triangle(COLOUR_GRAY_50, x + 10, y, x + 15, y, x + 13, y + 7, FILLED);
}

void draw_boat(std::int32_t x, std::int32_t y, std::int32_t l, std::int32_t h) {
    TOVIK_draw_rectangle(COLOUR_BLACK, x - l, y, x + l, y - 4, FILLED);
    // The sail's outer corner at two thirds of its height, doubled before the division.
    TOVIK_draw_triangle(COLOUR_CYAN, x, y, x, y + h, x + h, y + (2 * h) / 3, FILLED);
}

void draw_splash(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2,
                 std::int32_t x3, std::int32_t y3) {
    TOVIK_draw_triangle(COLOUR_BLUE, x1, y1, x2, y2, x3, y3, FILLED);
}
