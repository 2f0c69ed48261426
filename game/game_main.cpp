#include "game_main.h"

#include "game_state.h"
#include "monkeys.h"
#include "random.h"
#include "tovik.h"

namespace {

void start_up(GameState& g, void* instance, void* previous_instance, const char* command_line,
              int show_mode, const std::function<void()>& seed) {
    g.fire_palette = {COLOUR_RED, COLOUR_YELLOW, COLOUR_ORANGE,
                      COLOUR_PINK, COLOUR_MAGENTA, COLOUR_PURPLE};
    seed();
    TOVIK_start(instance, previous_instance, command_line, show_mode);
    TOVIK_set_logging(0);
    TOVIK_clear();
    TOVIK_set_animation(ANIM_RUN);
    init_moon(g.moon_x, g.moon_y);
    init_monkeys(g.monkey_x, g.monkey_y, g.monkey_floor, g.monkey_arm, g.monkey_timer);
    g.splash_clock = 0;
}

}  // namespace

int run_game(void* instance, void* previous_instance, const char* command_line, int show_mode,
             const std::function<void()>& seed) {
    GameState g;
    start_up(g, instance, previous_instance, command_line, show_mode, seed);

    bool quit = false;
    while (!quit) {
        std::int32_t x = 0;
        std::int32_t y = 0;
        signed char key = 0;
        if (TOVIK_wait_event(&x, &y, &key) == TOVIK_QUIT) quit = true;
    }

    TOVIK_finish();
    return 0;
}

int game_main(void* instance, void* previous_instance, const char* command_line, int show_mode) {
    return run_game(instance, previous_instance, command_line, show_mode, seed_from_clock);
}
