// Compiled, never run: tovik.h on its own, as a program of one's own includes
// it, must need no other header and raise no warning.
#include "tovik.h"

int game_main(void* instance, void* previous_instance, const char* command_line, int show_mode) {
    TOVIK_start(instance, previous_instance, command_line, show_mode);
    std::int32_t x = 0;
    std::int32_t y = 0;
    signed char key = 0;
    while (TOVIK_wait_event(&x, &y, &key) != TOVIK_QUIT) {
        TOVIK_draw_text(COLOUR_BLACK, x, y, 12, "%d %d %c", x, y, key);
    }
    return TOVIK_finish() - 1;
}
