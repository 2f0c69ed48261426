// Opening and closing the script file.
#include "core/script_file.h"

#include <cstdlib>

#include "core/internal.h"
#include "core/regular_file.h"
#include "tovik.h"

namespace tovik {

namespace {

// Closes the stream.  A periodic count belongs to the stream it was counted
// for, so it goes too: a playback stopped within a periodic run does not
// replay the rest of that run at the start of the next one.
void release_script_file() {
    if (fw.script_file && fw.script_mode == ScriptMode::Writing) {
        finish_writing(fw.script_file.get());
    }
    fw.script_file.reset();
    fw.script_line = 0;
    fw.script_mode = ScriptMode::None;
    fw.periodic_count = 0;
}

// A program that ends through exit() rather than its quit path (Xlib ends it
// so when the display is lost) still keeps the run that was pending.
void close_at_exit() { close_script(); }

}  // namespace

void script_message(const char* format) { TOVIK_print(format, SCRIPT_FILE_NAME); }

std::FILE* script_stream(ScriptMode mode) {
    if (fw.script_file && fw.script_mode == mode) return fw.script_file.get();
    if (fw.script_file) release_script_file();

    // Text mode: the platform's own line ends.
    const bool writing = mode == ScriptMode::Writing;
    std::FILE* file = nullptr;
    const OpenResult opened = open_regular_file(SCRIPT_FILE_NAME, writing, file);
    fw.script_file.reset(file);
    if (opened == OpenResult::NotRegular) {
        script_message("Cannot use script file %s: it is not a regular file\n");
        // Trying again at every event would only repeat the message.
        if (writing) stop_recording_without_writing();
        return nullptr;
    }
    if (opened != OpenResult::Opened) {
        script_message(writing ? "Cannot open script file %s for writing\n"
                               : "Cannot open script file %s for reading\n");
        return nullptr;
    }
    fw.script_mode = mode;
    return fw.script_file.get();
}

void close_script_at_exit() {
    static const bool registered = (std::atexit(close_at_exit), true);
    (void)registered;
}

void close_script() {
    // A recording that ends with the program keeps its last periodic run.
    if (fw.recording != 0 && fw.script_mode != ScriptMode::Reading) {
        write_pending_periodic(fw.periodic_count);
    }
    release_script_file();
}

}  // namespace tovik
