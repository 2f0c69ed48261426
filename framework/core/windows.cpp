// Opening and closing the framework, its two windows, the off-screen image and
// its copy to the screen, and the framework's coordinates.
#include <cstdio>
#include <cstdlib>

#include "core/colours.h"
#include "core/framework_state.h"
#include "core/internal.h"
#include "tovik.h"

namespace tovik {

namespace {

// The start-up has no way to report a failure to the game, and the game cannot
// run without its windows: say why on stderr and end, rather than wait for
// events that cannot come.
[[noreturn]] void fail_start(const char* what) {
    std::fprintf(stderr, "tovik: cannot start: %s: %s\n", what, platform().last_error().c_str());
    std::exit(1);
}

void register_window_class(const char* name, WindowProc proc) {
    WindowClassInfo info;
    info.name = name;
    info.proc = proc;
    info.style = CLASS_HREDRAW | CLASS_VREDRAW;
    info.background = colour_table[COLOUR_WHITE];
    info.menu_name = "generic";
    platform().register_class(info);
}

void copy_whole_image() {
    if (fw.offscreen_image) {
        platform().copy_image(fw.graphics_window, fw.screen_context, *fw.offscreen_image,
                              IMAGE_WIDTH, IMAGE_HEIGHT);
    }
}

void set_origin(WindowHandle window) {
    const Rect r = platform().client_rect(window);
    fw.origin_x = r.left + (r.right - r.left) / 2;
    fw.origin_y = r.top + (r.bottom - r.top) / 2;
}

void mouse_event(std::intptr_t lparam) {
    const PackedPoint client = unpack_point(lparam);
    fw.pending_kind = TOVIK_MOUSE;
    fw.event_x = client.x - fw.origin_x;
    fw.event_y = fw.origin_y - client.y;
}

void char_event(std::uintptr_t code) {
    if (fw.ctrl_held == 1) return;  // Ctrl+letter is a command, never a key event
    fw.pending_kind = TOVIK_KBD;
    fw.event_key = static_cast<signed char>(static_cast<unsigned char>(code & 0xFFu));
}

}  // namespace

}  // namespace tovik

using namespace tovik;

int TOVIK_start(void* /*instance*/, void* previous_instance, const char* /*command_line*/,
                int show_mode) {
    Platform& p = platform();
    close_script_at_exit();
    if (previous_instance == nullptr) {
        register_window_class(GRAPHICS_CLASS_NAME, graphics_window_proc);
        register_window_class(TEXT_CLASS_NAME, text_window_proc);
    }
    const int screen_height = p.screen_height();
    fw.animating = 0;
    fw.single_step = 0;
    fw.finished = 0;

    WindowInfo graphics;
    graphics.class_name = GRAPHICS_CLASS_NAME;
    graphics.title = GRAPHICS_WINDOW_TITLE;
    graphics.style = WindowStyle::Fixed;
    graphics.outer_width = GRAPHICS_WINDOW_WIDTH;
    graphics.outer_height = GRAPHICS_WINDOW_HEIGHT;
    const WindowHandle graphics_window = p.create_window(graphics);
    if (graphics_window == 0) fail_start("the window \"TOVIK Graphics\" cannot be created");

    WindowInfo text;
    text.class_name = TEXT_CLASS_NAME;
    text.title = TEXT_WINDOW_TITLE;
    text.style = WindowStyle::Resizable;
    text.x = TEXT_WINDOW_X;
    text.y = TEXT_WINDOW_Y;
    text.outer_width = TEXT_WINDOW_WIDTH;
    text.outer_height = screen_height / 3;
    const WindowHandle text_window = p.create_window(text);
    if (text_window == 0) fail_start("the window \"TOVIK Text\" cannot be created");

    fw.graphics_window = graphics_window;
    fw.text_window = text_window;
    fw.screen_context = p.get_dc(graphics_window);
    fw.offscreen_image = p.create_image(IMAGE_WIDTH, IMAGE_HEIGHT);
    if (!fw.offscreen_image) fail_start("the 601 x 540 off-screen image cannot be created");

    // Before they are shown, so that the desktop never sees them without it.
    give_icon(graphics_window);
    give_icon(text_window);
    p.show_window(text_window, show_mode != 0);
    p.show_window(graphics_window, show_mode != 0);
    p.set_timer(graphics_window, ANIMATION_TIMER_ID, ANIMATION_TIMER_PERIOD_MS);
    return 1;
}


int TOVIK_finish() {
    fw.finished = 1;
    if (fw.screen_context != 0) {
        platform().release_dc(fw.graphics_window, fw.screen_context);
        fw.screen_context = 0;
    }
    close_script();
    return 1;
}


int TOVIK_show_text_window(std::int32_t flag) {
    if (fw.text_window == 0) return 0;
    return platform().show_window(fw.text_window, flag != 0) ? 1 : 0;
}

namespace tovik {

void present_image() {
    if (fw.image_changed == 0) return;
    copy_whole_image();
    fw.image_changed = 0;
}

std::intptr_t graphics_window_proc(WindowHandle window, MsgKind kind, std::uintptr_t wparam,
                                   std::intptr_t lparam) {
    switch (kind) {
    case MsgKind::Create:
        build_run_menu(window);
        return 0;
    case MsgKind::Destroy:
        platform().kill_timer(window, ANIMATION_TIMER_ID);
        platform().post_quit(0);
        return 0;
    case MsgKind::Size:
        set_origin(window);
        return 0;
    case MsgKind::Paint:
        platform().begin_paint(window);
        copy_whole_image();
        platform().end_paint(window);
        fw.image_changed = 0;
        return 0;
    case MsgKind::KeyDown:
        handle_key_down(wparam);
        return 0;
    case MsgKind::KeyUp:
        handle_key_up(wparam);
        return 0;
    case MsgKind::Char:
        char_event(wparam);
        return 0;
    case MsgKind::Command:
        run_command(static_cast<unsigned>(wparam));
        return 0;
    case MsgKind::Timer:
        fw.tick_arrived = 1;
        return 0;
    case MsgKind::LButtonDown:
        mouse_event(lparam);
        return 0;
    case MsgKind::KillFocus:
        handle_focus_lost();
        return 0;
    case MsgKind::EndSession:
        // Nothing may come after: the recording's pending run goes to disc now.
        if (wparam != 0) TOVIK_finish();
        return 0;
    case MsgKind::Other:
        break;
    }
    return platform().default_proc(window, kind, wparam, lparam);
}

std::intptr_t text_window_proc(WindowHandle window, MsgKind kind, std::uintptr_t wparam,
                               std::intptr_t lparam) {
    switch (kind) {
    case MsgKind::Paint:
        paint_text_window(window);
        return 0;
    case MsgKind::KeyDown:
    case MsgKind::KeyUp:
        // Keys typed here act as if typed in the graphics window.
        platform().post_message({fw.graphics_window, kind, wparam, lparam});
        return 0;
    case MsgKind::KillFocus:
        handle_focus_lost();
        return 0;
    default:
        return platform().default_proc(window, kind, wparam, lparam);
    }
}

}  // namespace tovik
