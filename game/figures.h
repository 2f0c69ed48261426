// The compound figures of the picture, each a fixed list of primitives around
// an anchor point.  Later primitives cover earlier ones.
#pragma once

#include <cstdint>

// Two magenta wings meeting at (x, y), w wide and 2w high each, and two feelers.
void draw_butterfly(std::int32_t x, std::int32_t y, std::int32_t wing);
// A monkey whose body is centred on (x, y); both hands stand `arm` above the body's centre.
void draw_monkey(std::int32_t x, std::int32_t y, std::int32_t arm);
// The sunken statue: (x, y) is on the water line, 5 left of the head's centre.
void draw_landmark(std::int32_t x, std::int32_t y);
// A black hull 2 * half_length long with its top at y, and a cyan sail from (x, y).
void draw_boat(std::int32_t x, std::int32_t y, std::int32_t half_length, std::int32_t sail_height);
// The blue fan that a monkey raises when it falls into the lake.
void draw_splash(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2,
                 std::int32_t x3, std::int32_t y3);
