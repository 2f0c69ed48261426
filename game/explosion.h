// The explosion of a clicked monkey: six strokes in the six given colours,
// shaped anew by 14 draws from the generator every time it is drawn.
#pragma once

#include <cstdint>

#include "game_state.h"

void draw_explosion(std::int32_t x, std::int32_t y, const FireColours& colours);
