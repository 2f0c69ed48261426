// The game as a program: the framework's entry calls game_main.
#include "game_main.h"
#include "random.h"
#include "tovik.h"

int game_main(void* instance, void* previous_instance, const char* command_line, int show_mode) {
    return run_game(instance, previous_instance, command_line, show_mode, seed_from_clock);
}
