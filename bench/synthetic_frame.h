// One synthetic frame: about 200 shapes in the proportions of a game frame
// (sky, ground, mountains, a lake, figures, stars, small boxes, wide lines) and,
// with `text`, 20 lines of smoothed text from 12 to 75 pixels overlapping one
// another, in a SYNTHETIC_WIDTH x SYNTHETIC_HEIGHT image.
#pragma once

#include "canvas.h"

namespace bench {

constexpr int SYNTHETIC_WIDTH = 601, SYNTHETIC_HEIGHT = 540;

void draw_synthetic_frame(tovik::Canvas& c, bool text = true);

}  // namespace bench
