// The core's operations that its files call on each other.  Not for the game.
#pragma once

#include <cstdint>
#include <cstdio>

#include "platform.h"

namespace tovik {

// windows.cpp
void present_image();
std::intptr_t graphics_window_proc(WindowHandle window, MsgKind kind, std::uintptr_t wparam,
                                   std::intptr_t lparam);
std::intptr_t text_window_proc(WindowHandle window, MsgKind kind, std::uintptr_t wparam,
                               std::intptr_t lparam);

// icon.cpp: the program's icon on a window, if the program has given one
void give_icon(WindowHandle window);

// event_loop.cpp
void pump_message();

// run_menu.cpp
void build_run_menu(WindowHandle window);
void run_command(unsigned id);
void handle_key_down(std::uintptr_t key);
void handle_key_up(std::uintptr_t key);
void handle_focus_lost();
// Stops playing back; the script file stays as it is.
void stop_playback();
// Stops recording without writing anything: the file could not be had.
void stop_recording_without_writing();

// script_writer.cpp: a mouse or key line (a quit has none)
void write_script_event(std::int32_t kind, std::int32_t x, std::int32_t y, signed char key);
// The line of a pending run of `count` periodic events, if it holds any; count is 0 after.
void write_pending_periodic(std::int32_t& count);
// One last try at the lines the disc has refused; says how many events are lost.
void finish_writing(std::FILE* file);

// script_reader.cpp: 1 with the next event set, 0 with the playback ended, or
// SCRIPT_READ_LATER: no event yet (a long run of empty lines is being passed
// over), the playback goes on at the next handled message.
constexpr int SCRIPT_READ_LATER = 2;
int read_script_event();

// script_file.cpp
void close_script();
void close_script_at_exit();  // from now on, once for the process

// message_log.cpp
void paint_text_window(WindowHandle window);

}  // namespace tovik
