#include "core/colours.h"

namespace tovik {

const std::array<const char*, COLOUR_COUNT> colour_names = {
    "black",     "white",      "red",       "green",        "blue",      "yellow",
    "magenta",   "cyan",       "purple",    "navy blue",    "dusty plum", "ice blue",
    "turquoise", "orange",     "brown",     "pink",         "chalk",     "gold",
    "peach",     "forest green", "sea green", "olive",      "50% gray",  "20% gray",
};

ColourIndex check_colour(ColourIndex colour) {
    if (colour >= 0 && colour < COLOUR_COUNT) return colour;
    TOVIK_print("Illegal color %d; using RED.\n", colour);
    return COLOUR_RED;
}

}  // namespace tovik
