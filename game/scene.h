// The night landscape, painted whole from the sky forward: 203 drawing
// operations that replace whatever the picture held before.
#pragma once

#include <cstdint>

#include "game_state.h"

void draw_scene(std::int32_t moon_x, std::int32_t moon_y, std::int32_t star1_x,
                std::int32_t star1_y, std::int32_t star1_size, ColourIndex star1_colour,
                std::int32_t star2_x, std::int32_t star2_y, std::int32_t star2_size,
                ColourIndex star2_colour, std::int32_t flower_x, std::int32_t flower_y,
                std::int32_t flower_centre_radius, ColourIndex flower_centre_colour,
                std::int32_t flower_radius, ColourIndex flower_petal_colour, std::int32_t boat_x,
                std::int32_t boat_y, std::int32_t boat_half_length, std::int32_t boat_sail_height,
                std::int32_t butterfly_x, std::int32_t butterfly_y, std::int32_t butterfly_wing,
                std::int32_t landmark_x, std::int32_t landmark_y, const MonkeyArray& monkey_x,
                const MonkeyArray& monkey_y, const MonkeyArray& monkey_arm);

// The scene of the game's current state.
void draw_scene_of(const GameState& g);

// How far a star of the given size reaches sideways and down from its centre:
// size * 0.87 and size / 2, worked out in floating point and truncated.
std::int32_t star_reach(std::int32_t size);
std::int32_t star_drop(std::int32_t size);
