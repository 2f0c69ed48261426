#include "explosion.h"

#include "random.h"
#include "tovik.h"

namespace {
constexpr std::int32_t FILLED = 0;
constexpr std::int32_t SPARK_WIDTH = 3;

// One draw modulo n.  Each stroke takes its draws into named values one
// statement at a time: the order of the draws decides the shape.
std::int32_t draw_mod(std::int32_t n) { return rng_next() % n; }
}  // namespace

void draw_explosion(std::int32_t x, std::int32_t y, const FireColours& colours) {
    const std::int32_t outer_radius = draw_mod(10) + 8;
    TOVIK_draw_circle(colours[0], x, y, outer_radius);
    const std::int32_t inner_radius = draw_mod(8);
    TOVIK_draw_circle(colours[1], x, y, inner_radius);

    // Each stroke fills its coordinates from the last to the first.
    {  // up and to the right
        const std::int32_t y3 = y + draw_mod(10) + 4;
        const std::int32_t x3 = x + draw_mod(10) + 4;
        const std::int32_t y2 = y + draw_mod(6);
        const std::int32_t x2 = x + draw_mod(6);
        TOVIK_draw_triangle(colours[2], x, y, x2, y2, x3, y3, FILLED);
    }
    {  // down and to the left
        const std::int32_t y3 = y - draw_mod(18);
        const std::int32_t x3 = x - draw_mod(20);
        const std::int32_t y2 = y - draw_mod(15);
        const std::int32_t x2 = x - draw_mod(10);
        TOVIK_draw_triangle(colours[3], x, y, x2, y2, x3, y3, FILLED);
    }
    {  // a spark down and to the right
        const std::int32_t y2 = y - draw_mod(18);
        const std::int32_t x2 = x + draw_mod(18);
        TOVIK_draw_line(colours[4], x, y, x2, y2, SPARK_WIDTH);
    }
    {  // a spark up and to the left
        const std::int32_t y2 = y + draw_mod(18);
        const std::int32_t x2 = x - draw_mod(18);
        TOVIK_draw_line(colours[5], x, y, x2, y2, SPARK_WIDTH);
    }
}
