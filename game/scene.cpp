#include "scene.h"

#include "figures.h"
#include "tovik.h"

namespace {

constexpr std::int32_t FILLED = 0;
constexpr std::int32_t HORIZON = -50;
constexpr std::int32_t MOON_RADIUS = 20;
constexpr std::int32_t FLOWER_LINE_WIDTH = 2;

// A six-pointed star: a triangle pointing up over one pointing down.
void draw_star(std::int32_t x, std::int32_t y, std::int32_t s, ColourIndex colour) {
    const std::int32_t r = star_reach(s);
    const std::int32_t d = star_drop(s);
    TOVIK_draw_triangle(colour, x, y + s, x + r, y - d, x - r, y - d, FILLED);
    TOVIK_draw_triangle(colour, x, y - s, x - r, y + d, x + r, y + d, FILLED);
}

void draw_mountains() {
    // The three that span the whole width first; the olive and green ones in front.
    TOVIK_draw_triangle(COLOUR_GRAY_20, -300, HORIZON, 300, HORIZON, -37, 208, FILLED);
    TOVIK_draw_triangle(COLOUR_GRAY_50, -300, HORIZON, 300, HORIZON, -100, 187, FILLED);
    TOVIK_draw_triangle(COLOUR_CHALK, -300, HORIZON, 300, HORIZON, 75, 166, FILLED);
    TOVIK_draw_triangle(COLOUR_OLIVE, -375, HORIZON, 100, HORIZON, -225, 166, FILLED);
    TOVIK_draw_triangle(COLOUR_FOREST_GREEN, -100, HORIZON, 300, HORIZON, 300, 166, FILLED);
}

void draw_flower(std::int32_t x, std::int32_t y, std::int32_t centre_radius,
                 ColourIndex centre_colour, std::int32_t radius, ColourIndex petal_colour) {
    TOVIK_draw_circle(petal_colour, x, y, radius);
    TOVIK_draw_circle(centre_colour, x, y, centre_radius);
    const std::int32_t b = y - radius;  // the bottom of the petals
    TOVIK_draw_line(COLOUR_FOREST_GREEN, x, b, x, b - 15, FLOWER_LINE_WIDTH);      // stem
    TOVIK_draw_line(COLOUR_FOREST_GREEN, x, b - 10, x + 5, b - 3, FLOWER_LINE_WIDTH);  // leaf
}

}  // namespace

std::int32_t star_reach(std::int32_t size) {
    return static_cast<std::int32_t>(static_cast<double>(size) * 0.87);
}

std::int32_t star_drop(std::int32_t size) {
    return static_cast<std::int32_t>(static_cast<double>(size) / 2.0);
}

void draw_scene(std::int32_t moon_x, std::int32_t moon_y, std::int32_t star1_x,
                std::int32_t star1_y, std::int32_t star1_size, ColourIndex star1_colour,
                std::int32_t star2_x, std::int32_t star2_y, std::int32_t star2_size,
                ColourIndex star2_colour, std::int32_t flower_x, std::int32_t flower_y,
                std::int32_t flower_centre_radius, ColourIndex flower_centre_colour,
                std::int32_t flower_radius, ColourIndex flower_petal_colour, std::int32_t boat_x,
                std::int32_t boat_y, std::int32_t boat_half_length, std::int32_t boat_sail_height,
                std::int32_t butterfly_x, std::int32_t butterfly_y, std::int32_t butterfly_wing,
                std::int32_t landmark_x, std::int32_t landmark_y, const MonkeyArray& monkey_x,
                const MonkeyArray& monkey_y, const MonkeyArray& monkey_arm) {
    // The sky covers the whole picture, so nothing of the last one survives.
    TOVIK_draw_rectangle(COLOUR_NAVY_BLUE, -300, -250, 300, 250, FILLED);
    // A crescent lit on the left: the sky's colour hides the disc from its centre rightward.
    TOVIK_draw_circle(COLOUR_WHITE, moon_x, moon_y, MOON_RADIUS);
    TOVIK_draw_oval(COLOUR_NAVY_BLUE, moon_x, moon_y - MOON_RADIUS, moon_x + 50,
                    moon_y + MOON_RADIUS, FILLED);
    draw_star(star1_x, star1_y, star1_size, star1_colour);
    draw_star(star2_x, star2_y, star2_size, star2_colour);
    draw_mountains();
    TOVIK_draw_rectangle(COLOUR_SEA_GREEN, -300, -250, 300, HORIZON, FILLED);  // ground
    TOVIK_draw_oval(COLOUR_BLUE, -400, HORIZON, 100, -100, FILLED);           // lake
    draw_flower(flower_x, flower_y, flower_centre_radius, flower_centre_colour, flower_radius,
                flower_petal_colour);
    TOVIK_draw_rectangle(COLOUR_BROWN, -250, -200, -240, -150, FILLED);  // tree trunk
    TOVIK_draw_circle(COLOUR_FOREST_GREEN, -245, -140, 30);              // and crown
    draw_boat(boat_x, boat_y, boat_half_length, boat_sail_height);
    draw_landmark(landmark_x, landmark_y);
    draw_butterfly(butterfly_x, butterfly_y, butterfly_wing);
    // Later monkeys stand in front of earlier ones.
    for (int i = 0; i < MONKEY_COUNT; ++i) draw_monkey(monkey_x[i], monkey_y[i], monkey_arm[i]);
}

void draw_scene_of(const GameState& g) {
    draw_scene(g.moon_x, g.moon_y, g.star1_x, g.star1_y, g.star1_size, g.star1_colour, g.star2_x,
               g.star2_y, g.star2_size, g.star2_colour, g.flower_x, g.flower_y,
               g.flower_centre_radius, g.flower_centre_colour, g.flower_radius,
               g.flower_petal_colour, g.boat_x, g.boat_y, g.boat_half_length, g.boat_sail_height,
               g.butterfly_x, g.butterfly_y, g.butterfly_wing, g.landmark_x, g.landmark_y,
               g.monkey_x, g.monkey_y, g.monkey_arm);
}
