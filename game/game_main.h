// The game's start-up, main loop and end.
#pragma once

#include <functional>

// game_main with the seeding chosen by the caller: the game seeds from the
// clock, the headless tools with a fixed seed.
int run_game(void* instance, void* previous_instance, const char* command_line, int show_mode,
             const std::function<void()>& seed);
