// The two buttons in the top left corner: "Change Colors" above
// "Initialize Monkeys".
#pragma once

#include <cstdint>

#include "game_state.h"

constexpr std::int32_t PANEL_ROW_HEIGHT = 25;

void draw_control_panel();
// 1 when the click falls strictly inside the panel's box, else 0.
int panel_hit(std::int32_t x, std::int32_t y);
// Carries out the button under the click.
void panel_click(std::int32_t x, std::int32_t y, ColourIndex& flower_petal_colour,
                 ColourIndex& flower_centre_colour, MonkeyArray& monkey_x, MonkeyArray& monkey_y,
                 MonkeyArray& monkey_floor, MonkeyArray& monkey_arm, MonkeyArray& monkey_timer);
// "Program error!" in red in the middle of the picture.
void show_program_error();
