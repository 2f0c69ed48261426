// Writing the events of a recording to the script file, one line each.
#include "core/internal.h"
#include "core/script_file.h"
#include "tovik.h"

namespace tovik {

namespace {

// Each line goes to the disc at once: a program that crashes or is killed
// keeps every event the game has already seen.
void end_line(std::FILE* file, int written) {
    if (written < 0 || std::fflush(file) != 0) {
        script_message("Cannot write to script file %s\n");
    }
}

}  // namespace

// Key codes are written as signed bytes (-128 to 127), as scripts always have
// been; the reader takes a key line's minus sign into account.
// A quit has no line, but opens (and so empties) the file like any event.
void write_script_event(std::int32_t kind, std::int32_t x, std::int32_t y, signed char key) {
    std::FILE* file = script_stream(ScriptMode::Writing);
    if (file == nullptr || (kind != TOVIK_MOUSE && kind != TOVIK_KBD)) return;
    end_line(file, kind == TOVIK_MOUSE ? std::fprintf(file, "TOVIK_MOUSE(%d, %d);\n", x, y)
                                       : std::fprintf(file, "TOVIK_KBD(%d);\n", static_cast<int>(key)));
}

void write_pending_periodic(std::int32_t& count) {
    if (count <= 0) return;
    std::FILE* file = script_stream(ScriptMode::Writing);
    if (file != nullptr) end_line(file, std::fprintf(file, "TOVIK_PERIODIC(%d);\n", count));
    count = 0;
}

}  // namespace tovik
