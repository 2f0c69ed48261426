#include "random.h"

#include <ctime>

namespace {
std::uint32_t rng_state = 1;
}  // namespace

void rng_seed(std::uint32_t seed) { rng_state = seed; }

std::int32_t rng_next() {
    rng_state = rng_state * 214013u + 2531011u;  // unsigned: wraps modulo 2^32
    return static_cast<std::int32_t>((rng_state >> 16) & 0x7FFFu);
}

void seed_from_clock() { rng_seed(static_cast<std::uint32_t>(std::time(nullptr))); }
