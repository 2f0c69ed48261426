#include "game_main.h"

#include "control_panel.h"
#include "crawl.h"
#include "main_loop.h"
#include "monkeys.h"
#include "scene.h"
#include "tovik.h"

void start_game(GameState& g, void* instance, void* previous_instance, const char* command_line,
                int show_mode, const std::function<void()>& seed) {
    // Every start begins from the fixed values: the fire palette, the stars,
    // flower, boat, butterfly and statue stand where GameState puts them.
    g = GameState{};
    seed();
    init_crawl(g.crawl_x, g.crawl_y, g.crawl_size);
    TOVIK_start(instance, previous_instance, command_line, show_mode);
    TOVIK_set_logging(0);
    TOVIK_clear();
    TOVIK_set_animation(ANIM_RUN);
    init_moon(g.moon_x, g.moon_y);
    init_monkeys(g.monkey_x, g.monkey_y, g.monkey_floor, g.monkey_arm, g.monkey_timer);
    g.splash_clock = 0;
    draw_scene_of(g);
    draw_control_panel();
}

int run_game(void* instance, void* previous_instance, const char* command_line, int show_mode,
             const std::function<void()>& seed) {
    GameState g;
    start_game(g, instance, previous_instance, command_line, show_mode, seed);
    const CrawlEnd crawl =
        run_crawl(g.crawl_x, g.crawl_y, g.crawl_size, g.moon_x, g.moon_y, g.star1_x, g.star1_y,
                  g.star1_size, g.star1_colour, g.star2_x, g.star2_y, g.star2_size,
                  g.star2_colour, g.flower_x, g.flower_y, g.flower_centre_radius,
                  g.flower_centre_colour, g.flower_radius, g.flower_petal_colour, g.boat_x,
                  g.boat_y, g.boat_half_length, g.boat_sail_height, g.butterfly_x, g.butterfly_y,
                  g.butterfly_wing, g.landmark_x, g.landmark_y, g.monkey_x, g.monkey_y,
                  g.monkey_arm);
    // A quit during the crawl ends the program at once.
    if (crawl == CrawlEnd::Finished) run_main_loop(g);
    TOVIK_finish();
    return 0;
}
