// The TOVIK graphics-and-event framework: the one header a program includes.
//
// A program defines game_main (at the end of this file) instead of main: the
// framework's entry calls game_main with the four entry values (the command
// line holds the program's arguments) and ends the program with its result;
// the display is opened when the program starts the framework.  game_main
// passes those values to TOVIK_start, waits for events until TOVIK_QUIT, calls
// TOVIK_finish and returns 0.
//
// Coordinates are whole pixels with (0, 0) at the centre of the graphics
// window's client area, x to the right and y upward.  Every operation runs on
// the thread that called TOVIK_start.
//
// Before TOVIK_start and after TOVIK_finish there is no window to show or to
// send events: drawing returns as usual and shows nothing, messages are kept
// for the text window, TOVIK_set_animation and TOVIK_set_logging return 0 before
// the start, and TOVIK_wait_event returns TOVIK_QUIT at once.
#pragma once

#include <cstdint>

// What TOVIK_wait_event returns.
enum EventKind : std::int32_t {
    TOVIK_MOUSE = 1,
    TOVIK_KBD = 2,
    TOVIK_PERIODIC = 3,
    TOVIK_QUIT = 4,
};

// The argument of TOVIK_set_animation.  Other values are accepted and ignored.
enum AnimationMode : std::int32_t {
    ANIM_HALT = 0,
    ANIM_STEP = 1,
    ANIM_RUN = 2,
    ANIM_QUIT = 5,
};

// One of the 24 framework colours, 0 (black) to 23 (20% gray).  Anything else
// is reported and drawn in red.
using ColourIndex = std::int32_t;

enum : ColourIndex {
    COLOUR_BLACK = 0,
    COLOUR_WHITE = 1,
    COLOUR_RED = 2,
    COLOUR_GREEN = 3,
    COLOUR_BLUE = 4,
    COLOUR_YELLOW = 5,
    COLOUR_MAGENTA = 6,
    COLOUR_CYAN = 7,
    COLOUR_PURPLE = 8,
    COLOUR_NAVY_BLUE = 9,
    COLOUR_DUSTY_PLUM = 10,
    COLOUR_ICE_BLUE = 11,
    COLOUR_TURQUOISE = 12,
    COLOUR_ORANGE = 13,
    COLOUR_BROWN = 14,
    COLOUR_PINK = 15,
    COLOUR_CHALK = 16,
    COLOUR_GOLD = 17,
    COLOUR_PEACH = 18,
    COLOUR_FOREST_GREEN = 19,
    COLOUR_SEA_GREEN = 20,
    COLOUR_OLIVE = 21,
    COLOUR_GRAY_50 = 22,
    COLOUR_GRAY_20 = 23,
    COLOUR_COUNT = 24,
};

// Opening and closing.  The four values are those of the program's entry;
// none of them is read.
int TOVIK_start(void* instance, void* previous_instance, const char* command_line, int show_mode);
int TOVIK_finish();

// Events.  Blocks until the next event, stores its data (0 where the event has
// none) and returns its kind.
EventKind TOVIK_wait_event(std::int32_t* x, std::int32_t* y, signed char* key);
int TOVIK_set_animation(std::int32_t mode);

// The log of drawing operations in the text window.
int TOVIK_set_logging(std::int32_t flag);
int TOVIK_show_text_window(std::int32_t flag);
// printf-style message to the text window; returns the formatted length.
int TOVIK_print(const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;

// Drawing.  A width of 0 asks for a filled shape; circles are always filled.
int TOVIK_draw_circle(ColourIndex colour, std::int32_t x, std::int32_t y, std::int32_t radius);
int TOVIK_draw_triangle(ColourIndex colour, std::int32_t x1, std::int32_t y1, std::int32_t x2,
                        std::int32_t y2, std::int32_t x3, std::int32_t y3, std::int32_t width);
int TOVIK_draw_rectangle(ColourIndex colour, std::int32_t x1, std::int32_t y1, std::int32_t x2,
                         std::int32_t y2, std::int32_t width);
int TOVIK_draw_oval(ColourIndex colour, std::int32_t x1, std::int32_t y1, std::int32_t x2,
                    std::int32_t y2, std::int32_t width);
int TOVIK_draw_line(ColourIndex colour, std::int32_t x1, std::int32_t y1, std::int32_t x2,
                    std::int32_t y2, std::int32_t width);
// Formats like printf; the text stands above its anchor row.  Returns the
// formatted length.
int TOVIK_draw_text(ColourIndex colour, std::int32_t x, std::int32_t y, std::int32_t point_size,
                    const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 5, 6)))
#endif
    ;
int TOVIK_clear();

// The picture that stands for the program in task bars, docks and window
// switchers: `size` pixels square (1 to TOVIK_MAX_ICON_SIZE), row by row from
// the top, each pixel 0x00RRGGBB.  The framework keeps a copy and gives it to
// both windows, those open and those TOVIK_start opens.  Returns 1, or 0 and
// keeps the icon it had for a size out of range or no pixels.
constexpr std::int32_t TOVIK_MAX_ICON_SIZE = 1024;
int TOVIK_set_icon(std::int32_t size, const std::uint32_t* pixels);

// Provided by the program: the platform's entry calls it with its four values
// and exits with its result.
int game_main(void* instance, void* previous_instance, const char* command_line, int show_mode);
