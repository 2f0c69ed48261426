#include "game_frames.h"

#include "control_panel.h"
#include "core/framework_state.h"
#include "crawl.h"
#include "explosion.h"
#include "main_loop.h"
#include "random.h"
#include "scene.h"

namespace bench {

GameFrames::GameFrames() {
    tovik::reset_framework();
    tovik::set_platform(&platform);
    start_game(game, nullptr, nullptr, "", 1, [] { rng_seed(1); });

    // The crawl after 40 of its periodic events, the rest clicks.
    crawl = game;
    platform.auto_timer = false;
    for (int i = 0; i < 40; ++i) {
        platform.timer();
        platform.timer();
    }
    for (int i = 40; i < CRAWL_EVENT_COUNT; ++i) platform.click(1, 1);
    run_crawl(crawl.crawl_x, crawl.crawl_y, crawl.crawl_size, crawl.moon_x, crawl.moon_y,
              crawl.star1_x, crawl.star1_y, crawl.star1_size, crawl.star1_colour,
              crawl.star2_x, crawl.star2_y, crawl.star2_size, crawl.star2_colour,
              crawl.flower_x, crawl.flower_y, crawl.flower_centre_radius,
              crawl.flower_centre_colour, crawl.flower_radius, crawl.flower_petal_colour,
              crawl.boat_x, crawl.boat_y, crawl.boat_half_length, crawl.boat_sail_height,
              crawl.butterfly_x, crawl.butterfly_y, crawl.butterfly_wing, crawl.landmark_x,
              crawl.landmark_y, crawl.monkey_x, crawl.monkey_y, crawl.monkey_arm);
    for (int tick = 0; tick < 150; ++tick) play_event(game, TOVIK_PERIODIC, 0, 0);
    game.monkey_timer[0] = -100;

    game_frame();
    crawl_frame();
}

void GameFrames::game_frame() {
    draw_scene_of(game);
    draw_control_panel();
    draw_explosion(game.monkey_x[0], game.monkey_y[0], game.explosion_colours);
}

void GameFrames::crawl_frame() {
    draw_scene_of(crawl);
    draw_crawl_text(crawl.crawl_x, crawl.crawl_y, crawl.crawl_size);
}

}  // namespace bench
