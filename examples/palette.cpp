// The 24 colours as swatches with their names, and text in several point
// sizes, one line and several.
#include <cstdint>
#include <cstdio>

#include "tovik.h"

namespace {

constexpr const char* NAMES[COLOUR_COUNT] = {
    "black",     "white",      "red",        "green",     "blue",         "yellow",
    "magenta",   "cyan",       "purple",     "navy blue", "dusty plum",   "ice blue",
    "turquoise", "orange",     "brown",      "pink",      "chalk",        "gold",
    "peach",     "forest green", "sea green", "olive",    "50% gray",     "20% gray"};

void draw_swatches() {
    for (ColourIndex colour = 0; colour < COLOUR_COUNT; ++colour) {
        const std::int32_t left = -280 + (colour % 4) * 142;
        const std::int32_t top = 200 - (colour / 4) * 46;
        TOVIK_draw_rectangle(colour, left, top, left + 36, top - 36, 0);
        TOVIK_draw_rectangle(COLOUR_BLACK, left, top, left + 36, top - 36, 1);
        TOVIK_draw_text(COLOUR_BLACK, left + 42, top - 26, 9, "%d %s", colour, NAMES[colour]);
    }
}

void draw_sizes() {
    constexpr std::int32_t SIZES[] = {8, 12, 18, 26};
    std::int32_t y = -110;
    for (const std::int32_t size : SIZES) {
        TOVIK_draw_text(COLOUR_NAVY_BLUE, -280, y, size, "%d points", size);
        y -= size + 8;
    }
    TOVIK_draw_text(COLOUR_BROWN, 20, -110, 12, "Several lines:\nthe first stands above\nits anchor, the rest below");
}

}  // namespace

int game_main(void* instance, void* previous_instance, const char* command_line, int show_mode) {
    TOVIK_start(instance, previous_instance, command_line, show_mode);
    TOVIK_clear();
    draw_swatches();
    draw_sizes();
    std::puts("palette: 24 colours and four point sizes; Ctrl+Q quits");
    std::fflush(stdout);
    while (TOVIK_wait_event(nullptr, nullptr, nullptr) != TOVIK_QUIT) {
    }
    TOVIK_finish();
    return 0;
}
