// Writing the events of a recording to the script file, one line each.
//
// Each line goes to the disc at once, so a program that crashes or is killed
// keeps every event the game has already seen.  A line is on disc whole or not
// at all: lines the disc refuses (full, over quota, failing) wait in memory,
// in order, and go with the next event once it takes them again.
#include <cinttypes>
#include <cstring>

#include "core/internal.h"
#include "core/script_file.h"
#include "core/whole_lines.h"
#include "tovik.h"

namespace tovik {

namespace {

// 1 MiB: at least 26,000 events (a line is at most 40 characters), hours of
// steady clicking and typing, while a disc that never frees cannot make the
// recording eat memory.
constexpr std::size_t UNWRITTEN_LIMIT = std::size_t{1} << 20;

// Puts the waiting lines on disc; false if they still wait.  A failure is
// reported once, with the system's reason, and so is the recovery.
bool write_out(std::FILE* file) {
    UnwrittenLines& w = fw.unwritten;
    if (w.text.empty()) return true;
    if (const int error = append_whole_lines(file, w.text, w.disc_end); error != 0) {
        if (!w.failing) {
            TOVIK_print("Cannot write to script file %s: %s\n", SCRIPT_FILE_NAME,
                        std::strerror(error));
        }
        w.failing = true;
        return false;
    }
    w.text.clear();
    w.events = 0;
    if (w.failing) {
        if (w.lost == 0) {
            TOVIK_print("Writing to script file %s works again: no event lost\n", SCRIPT_FILE_NAME);
        } else {
            TOVIK_print("Writing to script file %s works again: %" PRId64 " events lost\n",
                        SCRIPT_FILE_NAME, w.lost);
        }
        w.failing = false;
        w.lost = 0;
    }
    return true;
}

void write_line(std::FILE* file, const char* line, std::int64_t events) {
    UnwrittenLines& w = fw.unwritten;
    if (w.text.size() + std::strlen(line) > UNWRITTEN_LIMIT) {
        if (w.lost == 0) {
            TOVIK_print("Script file %s: no room left to keep events until the disc takes "
                        "them; events are being lost\n",
                        SCRIPT_FILE_NAME);
        }
        w.lost += events;
    } else {
        w.text += line;
        w.events += events;
    }
    write_out(file);
}

}  // namespace

// Key codes are written as signed bytes (-128 to 127), as scripts always have
// been; the reader takes a key line's minus sign into account.
// A quit has no line, but opens (and so empties) the file like any event.
void write_script_event(std::int32_t kind, std::int32_t x, std::int32_t y, signed char key) {
    std::FILE* file = script_stream(ScriptMode::Writing);
    if (file == nullptr || (kind != TOVIK_MOUSE && kind != TOVIK_KBD)) return;
    char line[64];
    if (kind == TOVIK_MOUSE) {
        std::snprintf(line, sizeof line, "TOVIK_MOUSE(%d, %d);\n", x, y);
    } else {
        std::snprintf(line, sizeof line, "TOVIK_KBD(%d);\n", static_cast<int>(key));
    }
    write_line(file, line, 1);
}

void write_pending_periodic(std::int32_t& count) {
    if (count <= 0) return;
    if (std::FILE* file = script_stream(ScriptMode::Writing); file != nullptr) {
        char line[64];
        std::snprintf(line, sizeof line, "TOVIK_PERIODIC(%d);\n", count);
        write_line(file, line, count);
    }
    count = 0;
}

void finish_writing(std::FILE* file) {
    UnwrittenLines& w = fw.unwritten;
    if (!write_out(file)) w.lost += w.events;
    if (w.lost > 0) {
        TOVIK_print("%" PRId64 " events could not be written to script file %s and are lost\n",
                    w.lost, SCRIPT_FILE_NAME);
    }
    w = UnwrittenLines{};
}

}  // namespace tovik
