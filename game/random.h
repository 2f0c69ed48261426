// The game's one random generator: a 32-bit linear congruential state whose
// draws are 0..32767.  Every random choice of the game takes its draws from it,
// in a fixed order.
#pragma once

#include <cstdint>

void rng_seed(std::uint32_t seed);
std::int32_t rng_next();
// Seeds with the calendar time in whole seconds since 1970.
void seed_from_clock();
