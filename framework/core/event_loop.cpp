// The wait for the game's next event, and the animation mode that decides
// whether periodic events flow.
#include <limits>

#include "core/framework_state.h"
#include "core/internal.h"
#include "tovik.h"

namespace tovik {

namespace {

bool wait_is_over() {
    if (fw.pending_kind == NO_EVENT) return false;
    return !(fw.pending_kind == TOVIK_PERIODIC && fw.tick_arrived == 0);
}

void record_event() {
    if (fw.pending_kind == TOVIK_PERIODIC) {
        // A run longer than the counter can hold is written in pieces.
        if (fw.periodic_count == std::numeric_limits<std::int32_t>::max()) {
            write_pending_periodic(fw.periodic_count);
        }
        ++fw.periodic_count;
        return;
    }
    write_pending_periodic(fw.periodic_count);
    write_script_event(fw.pending_kind, fw.event_x, fw.event_y, fw.event_key);
}

// Before each wait, so that what a page shows is true while the program waits.
void tell_run_state(Platform& p) {
    const RunState state{fw.animating != 0, fw.recording != 0, fw.playing_back != 0};
    if (fw.told_state == state) return;
    fw.told_state = state;
    p.run_state_changed(state);
}

}  // namespace

void pump_message() {
    Platform& p = platform();
    tell_run_state(p);
    Message message;
    if (!p.get_message(message)) {
        fw.pending_kind = TOVIK_QUIT;
        return;
    }
    p.translate_message(message);
    p.dispatch_message(message);
    present_image();
}

}  // namespace tovik

using namespace tovik;

EventKind TOVIK_wait_event(std::int32_t* x, std::int32_t* y, signed char* key) {
    fw.pending_kind = NO_EVENT;
    fw.event_key = 0;
    fw.event_y = 0;
    fw.event_x = 0;

    // Without open windows no event can come: waiting would never end.
    if (fw.graphics_window == 0 || fw.finished != 0) {
        if (x != nullptr) *x = 0;
        if (y != nullptr) *y = 0;
        if (key != nullptr) *key = 0;
        return TOVIK_QUIT;
    }

    while (!wait_is_over()) {
        pump_message();
        if (fw.pending_kind == TOVIK_QUIT) break;

        if (fw.play_one_pending != 0 || fw.playing_back != 0) {
            const std::uint8_t play_one = fw.play_one_pending;
            fw.play_one_pending = 0;
            const int read = read_script_event();
            if (read == 1) break;
            if (read == SCRIPT_READ_LATER) {
                fw.play_one_pending = play_one;  // still owed its event
            } else {
                fw.play_one_pending = 0;
                fw.playing_back = 0;
            }
        }

        if ((fw.single_step != 0 || fw.animating != 0) && fw.pending_kind == NO_EVENT) {
            fw.pending_kind = TOVIK_PERIODIC;
            fw.tick_arrived = 0;
            fw.single_step = 0;
        }
    }

    if (fw.recording != 0) record_event();

    if (x != nullptr) *x = fw.event_x;
    if (y != nullptr) *y = fw.event_y;
    if (key != nullptr) *key = fw.event_key;
    return fw.quit_requested != 0 ? TOVIK_QUIT : static_cast<EventKind>(fw.pending_kind);
}


int TOVIK_set_animation(std::int32_t mode) {
    if (fw.graphics_window == 0) return 0;
    switch (static_cast<std::uint32_t>(mode)) {
    case ANIM_HALT:
        fw.animating = 0;
        fw.single_step = 0;
        break;
    case ANIM_STEP:
        fw.single_step = 1;
        break;
    case ANIM_RUN:
        fw.animating = 1;
        break;
    case ANIM_QUIT:
        fw.quit_requested = 1;
        break;
    default:
        break;
    }
    return 1;
}

