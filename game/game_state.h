// Everything the game knows: the sky and ground figures, the fifteen monkeys,
// the splash and explosion bookkeeping, and the lines of the opening crawl.
#pragma once

#include <array>
#include <cstdint>

#include "tovik.h"

constexpr int MONKEY_COUNT = 15;
constexpr int FIRE_COLOUR_COUNT = 6;
constexpr int CRAWL_LINE_COUNT = 20;

using MonkeyArray = std::array<std::int32_t, MONKEY_COUNT>;
using FireColours = std::array<ColourIndex, FIRE_COLOUR_COUNT>;
using CrawlArray = std::array<std::int32_t, CRAWL_LINE_COUNT>;

struct GameState {
    // Sky.
    std::int32_t moon_x = 250;
    std::int32_t moon_y = 215;
    std::int32_t star1_x = 100;
    std::int32_t star1_y = 160;
    std::int32_t star1_size = 3;
    ColourIndex star1_colour = COLOUR_WHITE;
    std::int32_t star2_x = -150;
    std::int32_t star2_y = 170;
    std::int32_t star2_size = 2;
    ColourIndex star2_colour = COLOUR_YELLOW;

    // Ground.
    std::int32_t flower_x = 100;
    std::int32_t flower_y = -210;
    std::int32_t flower_centre_radius = 2;
    ColourIndex flower_centre_colour = COLOUR_YELLOW;
    std::int32_t flower_radius = 8;
    ColourIndex flower_petal_colour = COLOUR_RED;
    std::int32_t boat_x = 80;
    std::int32_t boat_y = -75;
    std::int32_t boat_half_length = 25;
    std::int32_t boat_sail_height = 40;
    std::int32_t butterfly_x = 100 + 20;  // beside the flower
    std::int32_t butterfly_y = -210 + 30;
    std::int32_t butterfly_wing = 5;
    std::int32_t landmark_x = -20;
    std::int32_t landmark_y = -75;

    // Monkeys.
    MonkeyArray monkey_x{};
    MonkeyArray monkey_y{};
    MonkeyArray monkey_floor{};
    MonkeyArray monkey_arm{};
    MonkeyArray monkey_timer{};

    // Splash and explosions.  Until the first landing no splash is drawn, so
    // splash_monkey only has to name a real monkey.
    std::int32_t splash_clock = 0;
    std::int32_t splash_monkey = 0;
    FireColours fire_palette{COLOUR_RED, COLOUR_YELLOW, COLOUR_ORANGE,
                             COLOUR_PINK, COLOUR_MAGENTA, COLOUR_PURPLE};
    // Every entry must be a fire colour even before the first tick chooses them:
    // a click may come first.
    FireColours explosion_colours{COLOUR_RED, COLOUR_YELLOW, COLOUR_ORANGE,
                                  COLOUR_PINK, COLOUR_MAGENTA, COLOUR_PURPLE};

    // Opening crawl.
    CrawlArray crawl_x{};
    CrawlArray crawl_y{};
    CrawlArray crawl_size{};

    bool operator==(const GameState&) const = default;
};
