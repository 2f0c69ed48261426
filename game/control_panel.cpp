#include "control_panel.h"

#include "monkeys.h"
#include "rules.h"
#include "tovik.h"

namespace {

constexpr std::int32_t PANEL_LEFT = -295;
constexpr std::int32_t PANEL_RIGHT = -195;
constexpr std::int32_t PANEL_TOP = 245;
constexpr std::int32_t PANEL_BOTTOM = 195;
constexpr std::int32_t LABEL_X = -285;
constexpr std::int32_t LABEL_SIZE = 12;
// The first label's anchor row, half its size below 233; the second a row lower.
constexpr std::int32_t FIRST_LABEL_Y = 233 - LABEL_SIZE / 2;
constexpr std::int32_t ROW_CHANGE_COLOURS = 0;
constexpr std::int32_t ROW_INIT_MONKEYS = 1;

}  // namespace

void draw_control_panel() {
    for (std::int32_t i = 0; i < 2; ++i) {
        TOVIK_draw_rectangle(COLOUR_OLIVE, PANEL_LEFT, PANEL_TOP - PANEL_ROW_HEIGHT * i,
                             PANEL_RIGHT, PANEL_TOP - PANEL_ROW_HEIGHT * (i + 1), 0);
    }
    TOVIK_draw_text(COLOUR_BLACK, LABEL_X, FIRST_LABEL_Y, LABEL_SIZE, "Change Colors");
    TOVIK_draw_text(COLOUR_BLACK, LABEL_X, FIRST_LABEL_Y - PANEL_ROW_HEIGHT, LABEL_SIZE,
                    "Initialize Monkeys");
}

int panel_hit(std::int32_t x, std::int32_t y) {
    return PANEL_LEFT < x && x < PANEL_RIGHT && PANEL_BOTTOM < y && y < PANEL_TOP ? 1 : 0;
}

void panel_click(std::int32_t x, std::int32_t y, ColourIndex& flower_petal_colour,
                 ColourIndex& flower_centre_colour, MonkeyArray& monkey_x, MonkeyArray& monkey_y,
                 MonkeyArray& monkey_floor, MonkeyArray& monkey_arm, MonkeyArray& monkey_timer) {
    if (x < PANEL_LEFT || x > PANEL_RIGHT) {
        show_program_error();
        return;
    }
    // Formed in 64 bits: any y must give a row, the far ones the error.
    const std::int64_t row = (std::int64_t{PANEL_TOP} - y) / PANEL_ROW_HEIGHT;
    if (row == ROW_CHANGE_COLOURS) {
        change_colours(flower_petal_colour, flower_centre_colour);
    } else if (row == ROW_INIT_MONKEYS) {
        init_monkeys(monkey_x, monkey_y, monkey_floor, monkey_arm, monkey_timer);
    } else {
        TOVIK_set_animation(ANIM_HALT);
        show_program_error();
    }
}

void show_program_error() { TOVIK_draw_text(COLOUR_RED, 0, 0, 16, "Program error!"); }
