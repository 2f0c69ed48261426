#include "tick.h"

#include "random.h"
#include "rules.h"

namespace {

constexpr std::int32_t LAKE_FLOOR_LOW = -60;
constexpr std::int32_t LAKE_FLOOR_HIGH = -50;
constexpr std::int32_t LAKE_LEFT = -299;
constexpr std::int32_t LAKE_RIGHT = 100;
constexpr std::int32_t FALL_STEP = 2;
constexpr std::int32_t SPLASH_START = -10;
constexpr std::int32_t REMOVAL_FIRST = -89;
constexpr std::int32_t REMOVAL_LAST = -1;

void move_monkey(GameState& g, int i) {
    std::int32_t& y = g.monkey_y[i];
    const std::int32_t floor = g.monkey_floor[i];
    const std::int32_t x = g.monkey_x[i];

    if (y > floor) {
        y -= FALL_STEP;
        g.monkey_arm[i] = swing_arm(g.monkey_arm[i]);
    }
    const bool at_floor = floor - 1 <= y && y <= floor + 1;
    const bool over_lake = LAKE_FLOOR_LOW <= floor && floor <= LAKE_FLOOR_HIGH &&
                           LAKE_LEFT <= x && x <= LAKE_RIGHT;
    if (at_floor && over_lake) {
        y = sink_monkey(y);
        g.splash_clock = SPLASH_START;
        g.splash_monkey = i;
    }
    // Ten ticks after a click the exploded monkey leaves the picture.
    if (REMOVAL_FIRST <= g.monkey_timer[i] && g.monkey_timer[i] <= REMOVAL_LAST) {
        y = sink_monkey(y);
    }
}

}  // namespace

void run_tick(GameState& g) {
    g.splash_clock = count_up(g.splash_clock);
    move_moon(g.moon_x, g.moon_y);
    twinkle_star(g.star1_size, g.star1_colour);
    twinkle_star(g.star2_size, g.star2_colour);
    flutter_butterfly(g.butterfly_x, g.butterfly_y, g.butterfly_wing);
    for (std::int32_t& timer : g.monkey_timer) timer = count_up(timer);
    for (int i = 0; i < MONKEY_COUNT; ++i) move_monkey(g, i);
    for (ColourIndex& colour : g.explosion_colours) {
        colour = g.fire_palette[static_cast<std::size_t>(rng_next() % FIRE_COLOUR_COUNT)];
    }
}
