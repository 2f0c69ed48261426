#include "monkeys.h"

#include "random.h"

void init_moon(std::int32_t& moon_x, std::int32_t& moon_y) {
    moon_x = 250;
    moon_y = 215;
}

void init_monkeys(MonkeyArray& monkey_x, MonkeyArray& monkey_y, MonkeyArray& monkey_floor,
                  MonkeyArray& monkey_arm, MonkeyArray& monkey_timer) {
    for (int i = 0; i < MONKEY_COUNT; ++i) {
        monkey_x[i] = 300 - rng_next() % 600;
        monkey_y[i] = rng_next() % 250 + 250;
        const std::int32_t floor = -rng_next() % 225;
        monkey_floor[i] = floor > -50 ? -50 : floor;
        monkey_timer[i] = 0;
        monkey_arm[i] = 0;
    }
}
