// The Run menu, its commands, the Ctrl shortcuts and the logging switch.
#include <cctype>

#include "core/framework_state.h"
#include "core/internal.h"
#include "tovik.h"

namespace tovik {

namespace {

struct MenuEntry {
    std::uint32_t flags;
    unsigned id;
    const char* label;
};

constexpr MenuEntry RUN_MENU_ENTRIES[] = {
    {MENU_STRING, CMD_ANIMATE, "&Animate\tCtrl+A"},
    {MENU_STRING, CMD_HALT, "&Halt animation\tCtrl+H"},
    {MENU_STRING, CMD_STEP, "Advance one &frame\tCtrl+F"},
    {MENU_SEPARATOR, 0, nullptr},
    {MENU_CHECKED, CMD_LOGGING, "&Logging\tCtrl+L"},
    {MENU_SEPARATOR, 0, nullptr},
    {MENU_STRING, CMD_RECORD, "&Record Script\tCtrl+R"},
    {MENU_STRING, CMD_PLAYBACK, "&Playback Script\tCtrl+P"},
    {MENU_STRING, CMD_PLAY_ONE, "Play &One Script\tCtrl+O"},
    {MENU_SEPARATOR, 0, nullptr},
    {MENU_STRING, CMD_QUIT, "&Quit\tCtrl+Q"},
    {MENU_SEPARATOR, 0, nullptr},
    {MENU_GRAYED, CMD_INFO, "Questions and reports:"},
    {MENU_GRAYED, CMD_INFO, "MAC: mac@tovik.example"},
    {MENU_GRAYED, CMD_INFO, "WINDOWS: windows@tovik.example"},
    {MENU_GRAYED, CMD_INFO, "UPDATES: updates@tovik.example"},
};

void check(unsigned id, bool checked) { platform().check_menu_item(fw.run_menu, id, checked); }

void toggle_logging() {
    fw.logging = fw.logging == 1 ? 0 : 1;
    check(CMD_LOGGING, fw.logging == 1);
}

// Recording and playback never share the script file: starting one ends the
// other first, as its own stop command would.
void stop_recording_and_write_out() {
    fw.recording = 0;
    check(CMD_RECORD, false);
    write_pending_periodic(fw.periodic_count);
    close_script();
}

void stop_playback_and_close() {
    fw.playing_back = 0;
    fw.play_one_pending = 0;
    check(CMD_PLAYBACK, false);
    close_script();
}

void toggle_recording() {
    if (fw.recording == 1) {
        stop_recording_and_write_out();
        return;
    }
    // The file may still be open for reading after a playback that ended on
    // an unrecognised line.
    if (fw.playing_back == 1 || fw.play_one_pending == 1 || fw.script_file) {
        stop_playback_and_close();
    }
    fw.recording = 1;
    check(CMD_RECORD, true);
}

void toggle_playback() {
    if (fw.playing_back == 1) {
        stop_playback_and_close();
        return;
    }
    if (fw.recording == 1) stop_recording_and_write_out();
    fw.animating = 0;
    fw.single_step = 0;
    fw.playing_back = 1;
    check(CMD_PLAYBACK, true);
}

void play_one() {
    if (fw.recording == 1) stop_recording_and_write_out();
    fw.play_one_pending = 1;
    fw.animating = 0;
    fw.single_step = 0;
}

// The command of a Ctrl shortcut, or 0.
unsigned shortcut_command(std::uintptr_t key) {
    if (key > 0x7F) return 0;
    switch (std::toupper(static_cast<int>(key))) {
    case 'A': return CMD_ANIMATE;
    case 'H': return CMD_HALT;
    case 'F': return CMD_STEP;
    case 'L': return CMD_LOGGING;
    case 'R': return CMD_RECORD;
    case 'P': return CMD_PLAYBACK;
    case 'O': return CMD_PLAY_ONE;
    case 'Q': return CMD_QUIT;
    default: return 0;
    }
}

}  // namespace

void build_run_menu(WindowHandle window) {
    Platform& p = platform();
    const MenuHandle bar = p.create_menu();
    fw.run_menu = p.create_popup_menu();
    for (const MenuEntry& entry : RUN_MENU_ENTRIES) {
        p.append_menu(fw.run_menu, entry.flags, entry.id, entry.label);
    }
    p.append_menu(bar, MENU_POPUP, fw.run_menu, "&Run");
    p.set_menu(window, bar);
    p.draw_menu_bar(window);
}

void run_command(unsigned id) {
    switch (id) {
    case CMD_ANIMATE:
        fw.animating = 1;
        break;
    case CMD_HALT:
        fw.animating = 0;
        break;
    case CMD_STEP:
        fw.animating = 0;
        fw.single_step = 1;
        break;
    case CMD_LOGGING:
        toggle_logging();
        break;
    case CMD_RECORD:
        toggle_recording();
        break;
    case CMD_PLAYBACK:
        toggle_playback();
        break;
    case CMD_PLAY_ONE:
        play_one();
        break;
    case CMD_QUIT:
        platform().post_quit(0);
        break;
    default:
        break;  // the information lines and unknown ids
    }
}

void handle_key_down(std::uintptr_t key) {
    if (key == VKEY_CONTROL) fw.ctrl_held = 1;
    if (fw.ctrl_held != 1) return;
    if (const unsigned command = shortcut_command(key); command != 0) run_command(command);
}

void handle_key_up(std::uintptr_t key) {
    if (key == VKEY_CONTROL) fw.ctrl_held = 0;
}

// A Ctrl released while another window has the focus never reaches us; without
// this, plain letters would go on acting as shortcuts (q would quit).
void handle_focus_lost() { fw.ctrl_held = 0; }

}  // namespace tovik

using namespace tovik;

int TOVIK_set_logging(std::int32_t flag) {
    if (fw.graphics_window == 0) return 0;
    fw.logging = flag != 0 ? 1 : 0;
    check(CMD_LOGGING, fw.logging == 1);
    if (fw.logging == 1) TOVIK_show_text_window(1);
    return 1;
}

namespace tovik {

void stop_recording_without_writing() {
    fw.recording = 0;
    fw.periodic_count = 0;
    check(CMD_RECORD, false);
}

void stop_playback() {
    fw.playing_back = 0;
    fw.play_one_pending = 0;
    check(CMD_PLAYBACK, false);
}

}  // namespace tovik
