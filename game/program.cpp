// The game as a program: the framework's entry calls game_main.
#include <cstdio>

#include "command_line.h"
#include "game_main.h"
#include "random.h"
#include "tovik.h"
#ifdef TOVIK_PROGRAM_ICON
#include "program_icon.h"
#endif

int game_main(void* instance, void* previous_instance, const char* command_line, int show_mode) {
    if (const auto answered = answer_command_line(command_line, stdout)) return *answered;
#ifdef TOVIK_PROGRAM_ICON
    TOVIK_set_icon(program_icon_size, program_icon_pixels);
#endif
    return run_game(instance, previous_instance, command_line, show_mode, seed_from_clock);
}
