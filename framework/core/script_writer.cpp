// Writing the events of a recording to the script file, one line each.
#include "core/internal.h"
#include "core/script_file.h"
#include "tovik.h"

namespace tovik {

// Key codes are written as signed bytes (-128 to 127), as scripts always have
// been; the reader takes a key line's minus sign into account.
void write_script_event(std::int32_t kind, std::int32_t x, std::int32_t y, signed char key) {
    std::FILE* file = script_stream(ScriptMode::Writing);
    if (file == nullptr) return;

    int written = 0;
    switch (kind) {
    case TOVIK_MOUSE:
        written = std::fprintf(file, "TOVIK_MOUSE(%d, %d);\n", x, y);
        break;
    case TOVIK_KBD:
        written = std::fprintf(file, "TOVIK_KBD(%d);\n", static_cast<int>(key));
        break;
    case TOVIK_PERIODIC:
        written = std::fprintf(file, "TOVIK_PERIODIC(%d);\n", fw.periodic_count);
        break;
    default:
        return;  // a quit has no line
    }
    // Each line goes to the disc at once: a program that crashes or is killed
    // keeps every event the game has already seen.
    if (written < 0 || std::fflush(file) != 0) {
        script_message("Cannot write to script file %s\n");
    }
}

}  // namespace tovik
