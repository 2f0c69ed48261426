// The game's main loop: wait for an event, apply the rules, redraw everything.
#pragma once

#include <cstdint>

#include "game_state.h"

// One pass without its wait: the event's rules, then the whole picture.
// Returns false once the event was the quit.
bool play_event(GameState& g, EventKind kind, std::int32_t x, std::int32_t y);
// Passes until the quit event has had its own.
void run_main_loop(GameState& g);
