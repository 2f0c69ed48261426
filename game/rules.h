// The rules that move the sky, the butterfly and the monkeys, one step each.
#pragma once

#include <cstdint>

#include "tovik.h"

// The moon moves one unit left; past x -330 it comes back at 331, one unit lower.
void move_moon(std::int32_t& moon_x, std::int32_t& moon_y);
// A new size 1..4, then a new colour 0..23: two draws.
void twinkle_star(std::int32_t& size, ColourIndex& colour);
// One step of the butterfly's random walk and a new wing size 5..9 (three
// draws), then the butterfly drawn at its new place.
void flutter_butterfly(std::int32_t& x, std::int32_t& y, std::int32_t& wing);
// One step of an arm's walk (one draw); a step past -4 or 4 springs back by two.
std::int32_t swing_arm(std::int32_t arm);
// Sends a monkey below the picture: y - 3000, but not below -350.
std::int32_t sink_monkey(std::int32_t y);
// Both flower colours one step on through the 24 colours.
void change_colours(ColourIndex& flower_petal_colour, ColourIndex& flower_centre_colour);
// One up, for the counters that run for as long as the game does.  They stop at
// the largest value: every rule only asks whether a counter lies in a range of
// negative values, which a count that has reached the top has long left.
std::int32_t count_up(std::int32_t count);
