// The 24 framework colours: their platform values and the names log lines print.
#pragma once

#include <array>

#include "canvas.h"
#include "tovik.h"

namespace tovik {

extern const std::array<Colour, COLOUR_COUNT> colour_table;
extern const std::array<const char*, COLOUR_COUNT> colour_names;

// A valid index unchanged; anything else is reported and becomes red.
ColourIndex check_colour(ColourIndex colour);

}  // namespace tovik
