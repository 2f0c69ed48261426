// What one periodic event does to the game: the rules of the tick.
#pragma once

#include "game_state.h"

void run_tick(GameState& g);
