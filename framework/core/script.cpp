// Interim: scripts are not written or read yet.  Recording writes nothing and
// playback ends at once.
#include "core/framework_state.h"
#include "core/internal.h"

namespace tovik {

void write_script_event(std::int32_t, std::int32_t, std::int32_t, signed char) {}

int read_script_event() {
    stop_playback();
    return 0;
}

void close_script() {
    fw.script_file.reset();
    fw.script_mode = ScriptMode::None;
}

}  // namespace tovik
