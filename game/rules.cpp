#include "rules.h"

#include <limits>

#include "figures.h"
#include "random.h"

namespace {

constexpr std::int32_t MOON_LEFT_END = -330;
constexpr std::int32_t MOON_RIGHT_START = 331;
// The moon's shadow reaches 20 below its centre: the moon sinks no lower than
// that can be drawn.  It takes more than 10^12 ticks to get there.
constexpr std::int32_t MOON_LOWEST = std::numeric_limits<std::int32_t>::min() + 20;
// The butterfly's figure reaches 9 to either side; its walk stays where that
// can be drawn.  Like the moon's bound it lies years of ticks away.
constexpr std::int32_t BUTTERFLY_REACH = 9;
constexpr std::int32_t ARM_LIMIT = 4;
constexpr std::int32_t GONE_Y = -350;
constexpr std::int32_t SINK_DEPTH = 3000;

std::int32_t step_within(std::int32_t value, std::int32_t step) {
    constexpr std::int32_t lowest = std::numeric_limits<std::int32_t>::min() + BUTTERFLY_REACH;
    constexpr std::int32_t highest = std::numeric_limits<std::int32_t>::max() - BUTTERFLY_REACH;
    if (step < 0 && value <= lowest) return value;
    if (step > 0 && value >= highest) return value;
    return value + step;
}

// The step is formed in 64 bits so that no colour value can overflow it.
ColourIndex next_colour(ColourIndex colour) {
    return static_cast<ColourIndex>((std::int64_t{colour} + 1) % COLOUR_COUNT);
}

}  // namespace

void move_moon(std::int32_t& moon_x, std::int32_t& moon_y) {
    --moon_x;
    if (moon_x < MOON_LEFT_END) {
        moon_x = MOON_RIGHT_START;
        if (moon_y > MOON_LOWEST) --moon_y;
    }
}

void twinkle_star(std::int32_t& size, ColourIndex& colour) {
    size = rng_next() % 4 + 1;
    colour = rng_next() % COLOUR_COUNT;
}

void flutter_butterfly(std::int32_t& x, std::int32_t& y, std::int32_t& wing) {
    x = step_within(x, rng_next() % 3 - 1);
    y = step_within(y, rng_next() % 3 - 1);
    wing = rng_next() % 10 / 2 + 5;
    draw_butterfly(x, y, wing);
}

std::int32_t swing_arm(std::int32_t arm) {
    // Any arm value is taken: the sum is formed in 64 bits.
    const std::int64_t moved = std::int64_t{arm} + rng_next() % 3 - 1;
    if (moved > ARM_LIMIT) return ARM_LIMIT - 1;
    if (moved < -ARM_LIMIT) return -ARM_LIMIT + 1;
    return static_cast<std::int32_t>(moved);
}

std::int32_t sink_monkey(std::int32_t y) {
    return y >= GONE_Y + SINK_DEPTH ? y - SINK_DEPTH : GONE_Y;
}

void change_colours(ColourIndex& flower_petal_colour, ColourIndex& flower_centre_colour) {
    flower_petal_colour = next_colour(flower_petal_colour);
    flower_centre_colour = next_colour(flower_centre_colour);
}

std::int32_t count_up(std::int32_t count) {
    return count < std::numeric_limits<std::int32_t>::max() ? count + 1 : count;
}
