// Giving the fifteen monkeys their start.
#pragma once

#include "game_state.h"

void init_moon(std::int32_t& moon_x, std::int32_t& moon_y);
// A new random start for every monkey: three draws each (x, y, floor), in
// index order.  Touches nothing but the five arrays.
void init_monkeys(MonkeyArray& monkey_x, MonkeyArray& monkey_y, MonkeyArray& monkey_floor,
                  MonkeyArray& monkey_arm, MonkeyArray& monkey_timer);
