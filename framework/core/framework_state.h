// The framework's one process-wide state and the constants that shape it.
//
// Each group of fields belongs to the file named beside it; other files read
// them.  Nothing here is visible to the game.
#pragma once

#include <array>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "canvas.h"
#include "platform.h"

namespace tovik {

constexpr int IMAGE_WIDTH = 601;
constexpr int IMAGE_HEIGHT = 540;
constexpr int GRAPHICS_WINDOW_WIDTH = 601;   // outer size, frame included
constexpr int GRAPHICS_WINDOW_HEIGHT = 540;
constexpr int TEXT_WINDOW_X = 0;
constexpr int TEXT_WINDOW_Y = 550;
constexpr int TEXT_WINDOW_WIDTH = 601;
constexpr unsigned ANIMATION_TIMER_ID = 2;
constexpr unsigned ANIMATION_TIMER_PERIOD_MS = 50;
constexpr int LOG_RING_SIZE = 25;
constexpr int FORMAT_BUFFER_SIZE = 1024;  // message and text formatting, terminator included
constexpr const char* SCRIPT_FILE_NAME = "TOVIK.SCR";
constexpr int NO_EVENT = -1;

constexpr const char* GRAPHICS_CLASS_NAME = "DrawWndClass";
constexpr const char* TEXT_CLASS_NAME = "TextWndClass";
constexpr const char* GRAPHICS_WINDOW_TITLE = "TOVIK Graphics";
constexpr const char* TEXT_WINDOW_TITLE = "TOVIK Text";

// Run menu command ids: the word parameter of a Command message.
enum RunCommand : unsigned {
    CMD_ANIMATE = 1,
    CMD_HALT = 2,
    CMD_STEP = 3,
    CMD_LOGGING = 4,
    CMD_RECORD = 5,
    CMD_PLAYBACK = 6,
    CMD_PLAY_ONE = 7,
    CMD_QUIT = 8,
    CMD_INFO = 9,
};

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using ScriptFile = std::unique_ptr<std::FILE, FileCloser>;

enum class ScriptMode : std::uint8_t { None, Writing, Reading };

// What the writer holds beside the open file: the lines the disc has not
// taken yet, in order, and what it knows of the file's end.
struct UnwrittenLines {
    std::string text;
    std::int64_t events = 0;    // the events those lines stand for
    std::int64_t lost = 0;      // events dropped since writing last worked
    std::int64_t disc_end = 0;  // where the last whole line on disc ends
    bool failing = false;       // the last attempt failed (reported once)
};

struct FrameworkState {
    // Windows and the drawing surface (windows.cpp).
    WindowHandle graphics_window = 0;
    WindowHandle text_window = 0;
    ContextHandle screen_context = 0;
    std::unique_ptr<Canvas> offscreen_image;
    std::int32_t image_changed = 1;
    std::int32_t origin_x = 0;
    std::int32_t origin_y = 0;
    std::int32_t finished = 0;  // TOVIK_finish has run: no more events
    // The program's icon (icon.cpp): icon_size pixels square, or none.
    std::int32_t icon_size = 0;
    std::vector<std::uint32_t> icon_pixels;

    // The event wait and the animation (event_loop.cpp).
    std::int32_t pending_kind = NO_EVENT;
    std::int32_t event_x = 0;
    std::int32_t event_y = 0;
    signed char event_key = 0;
    std::int32_t animating = 0;
    std::int32_t single_step = 0;
    std::int32_t tick_arrived = 0;
    std::int32_t quit_requested = 0;
    std::optional<RunState> told_state;  // what the platform was last told

    // The Run menu and the keys (run_menu.cpp).
    MenuHandle run_menu = 0;
    std::uint8_t logging = 1;
    std::int32_t ctrl_held = 0;

    // The script file (script_file.cpp, script_writer.cpp, script_reader.cpp).
    ScriptFile script_file;
    ScriptMode script_mode = ScriptMode::None;
    std::uint8_t recording = 0;
    std::uint8_t playing_back = 0;
    std::uint8_t play_one_pending = 0;
    std::int32_t periodic_count = 0;
    UnwrittenLines unwritten;
    std::int64_t script_line = 0;  // reader: the file's line the next read starts in

    // The message log (message_log.cpp).
    std::array<std::unique_ptr<char[]>, LOG_RING_SIZE> log_ring;
    std::int32_t log_head = -1;
    std::int32_t log_tail = 0;
    std::unique_ptr<Canvas> text_image;  // the text window's painting, kept for the next
};

extern FrameworkState fw;

// Puts the framework back into its state at process start, releasing what it
// holds.  For tests and tools that run the framework more than once.
void reset_framework();

}  // namespace tovik
