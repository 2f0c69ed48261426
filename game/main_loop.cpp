#include "main_loop.h"

#include "control_panel.h"
#include "explosion.h"
#include "figures.h"
#include "scene.h"
#include "tick.h"
#include "tovik.h"

namespace {

constexpr std::int32_t HIT_HALF_WIDTH = 10;
constexpr std::int32_t HIT_HALF_HEIGHT = 12;
constexpr std::int32_t EXPLOSION_START = -100;
constexpr std::int32_t EXPLOSION_LAST = -90;
constexpr std::int32_t SPLASH_FIRST = -10;
constexpr std::int32_t SPLASH_LAST = -1;

void handle_click(GameState& g, std::int32_t x, std::int32_t y) {
    if (panel_hit(x, y) != 0) {
        panel_click(x, y, g.flower_petal_colour, g.flower_centre_colour, g.monkey_x, g.monkey_y,
                    g.monkey_floor, g.monkey_arm, g.monkey_timer);
        return;
    }
    // Every monkey under the point explodes, not only the first one found.
    for (int i = 0; i < MONKEY_COUNT; ++i) {
        const std::int32_t mx = g.monkey_x[i];
        const std::int32_t my = g.monkey_y[i];
        if (mx - HIT_HALF_WIDTH <= x && x <= mx + HIT_HALF_WIDTH && my - HIT_HALF_HEIGHT <= y &&
            y <= my + HIT_HALF_HEIGHT) {
            g.monkey_timer[i] = EXPLOSION_START;
        }
    }
}

void redraw(const GameState& g) {
    draw_scene_of(g);
    draw_control_panel();
    if (SPLASH_FIRST <= g.splash_clock && g.splash_clock <= SPLASH_LAST) {
        const std::int32_t x = g.monkey_x[static_cast<std::size_t>(g.splash_monkey)];
        draw_splash(x, -100, x - 75, 0, x + 75, 0);
    }
    for (int i = 0; i < MONKEY_COUNT; ++i) {
        if (EXPLOSION_START <= g.monkey_timer[i] && g.monkey_timer[i] <= EXPLOSION_LAST) {
            draw_explosion(g.monkey_x[i], g.monkey_y[i], g.explosion_colours);
        }
    }
}

}  // namespace

bool play_event(GameState& g, EventKind kind, std::int32_t x, std::int32_t y) {
    bool go_on = true;
    switch (kind) {
    case TOVIK_MOUSE:
        handle_click(g, x, y);
        break;
    case TOVIK_PERIODIC:
        run_tick(g);
        break;
    case TOVIK_QUIT:
        go_on = false;
        break;
    case TOVIK_KBD:  // keys have no meaning in the game
    default:
        break;
    }
    redraw(g);  // after every event, the quit included
    return go_on;
}

void run_main_loop(GameState& g) {
    bool go_on = true;
    while (go_on) {
        std::int32_t x = 0;
        std::int32_t y = 0;
        signed char key = 0;
        const EventKind kind = TOVIK_wait_event(&x, &y, &key);
        go_on = play_event(g, kind, x, y);
    }
}
