// The game's start-up, main loop and end.
#pragma once

#include <functional>

#include "game_state.h"

// The start-up up to the first picture: the framework opened, the state
// filled (the generator seeded by `seed`), the scene and the control panel drawn.
void start_game(GameState& g, void* instance, void* previous_instance, const char* command_line,
                int show_mode, const std::function<void()>& seed);

// game_main with the seeding chosen by the caller: the game seeds from the
// clock, the headless tools with a fixed seed.
int run_game(void* instance, void* previous_instance, const char* command_line, int show_mode,
             const std::function<void()>& seed);
