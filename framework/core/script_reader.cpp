// Playing a script back: the next event from the script file.
//
// What a line yields:
//   - a line ends in LF, CR LF or a lone CR; an empty line (only its line end)
//     is skipped;
//   - the seventh character, the one after "TOVIK_", decides the kind: K a key,
//     M a click, P a run of periodic events; the rest of the prefix is not
//     examined;
//   - a key line's number may carry a minus sign (written keys 128 to 255 are
//     negative); the key is the low 8 bits of its value;
//   - numbers beyond the 32-bit range count as the nearest value in range;
//   - any other line, and a line without every number its kind needs (a line
//     of under seven characters, "TOVIK_KBD();", a click with one coordinate),
//     yields no event: the playback ends with "Unrecognised line ...", and the
//     next playback goes on after that line;
//   - the end of the file ends the playback and closes the file, so the next
//     playback starts again from the first line.
// Lines longer than the line buffer are read in pieces, each taken as a line.
#include <cstring>

#include "core/internal.h"
#include "core/script_file.h"
#include "core/script_numbers.h"
#include "tovik.h"

namespace tovik {

namespace {

constexpr std::size_t LINE_BUFFER_SIZE = 512;
constexpr std::size_t KIND_INDEX = 6;  // the character after "TOVIK_"

enum class LineRead : std::uint8_t { Line, End, Error };

// One line without its line end, or the next 511 characters of a longer one.
// A line ends in LF, CR LF or a lone CR (files from old Macs); the last line
// of a file counts even without its line end.  `empty` says that the line was
// its line end alone; `length` stops at a NUL, as a C string's does.
LineRead read_line(std::FILE* file, char (&line)[LINE_BUFFER_SIZE], std::size_t& length,
                   bool& empty) {
    std::size_t count = 0;
    bool ended = false;
    while (count < LINE_BUFFER_SIZE - 1) {
        const int c = std::getc(file);
        if (c == EOF) break;
        if (c == '\n' || c == '\r') {
            if (c == '\r') {
                if (const int next = std::getc(file); next != '\n' && next != EOF) {
                    std::ungetc(next, file);
                }
            }
            ended = true;
            break;
        }
        line[count++] = static_cast<char>(c);
    }
    if (count == 0 && !ended) return std::ferror(file) != 0 ? LineRead::Error : LineRead::End;
    line[count] = '\0';
    length = std::strlen(line);
    empty = count == 0;
    return LineRead::Line;
}

// Sets the event that the line describes; false if it describes none.
bool parse_line(const char* line, std::size_t length) {
    if (length <= KIND_INDEX) return false;
    switch (line[KIND_INDEX]) {
    case 'K': {
        const ScannedNumber key = scan_digits(line, length, KIND_INDEX, true);
        if (!key.found) return false;
        fw.pending_kind = TOVIK_KBD;
        fw.event_key = static_cast<signed char>(
            static_cast<unsigned char>(static_cast<std::uint32_t>(key.value) & 0xFFu));
        return true;
    }
    case 'M': {
        const ScannedNumber x = scan_signed(line, length, KIND_INDEX);
        if (!x.found) return false;
        const ScannedNumber y = scan_signed(line, length, x.end);
        if (!y.found) return false;
        fw.pending_kind = TOVIK_MOUSE;
        fw.event_x = x.value;
        fw.event_y = y.value;
        return true;
    }
    case 'P': {
        const ScannedNumber count = scan_digits(line, length, KIND_INDEX, false);
        if (!count.found) return false;
        fw.pending_kind = TOVIK_PERIODIC;
        // This event is the first of the run; a count of 0 still gives one.
        fw.periodic_count = count.value - 1;  // value >= 0: no overflow
        return true;
    }
    default:
        return false;
    }
}

}  // namespace

int read_script_event() {
    std::FILE* file = script_stream(ScriptMode::Reading);
    if (file == nullptr) {
        stop_playback();
        return 0;
    }
    if (fw.periodic_count > 0) {
        --fw.periodic_count;
        fw.pending_kind = TOVIK_PERIODIC;
        return 1;
    }

    char line[LINE_BUFFER_SIZE];
    std::size_t length = 0;
    bool empty = false;
    LineRead read = LineRead::Line;
    do {
        read = read_line(file, line, length, empty);
    } while (read == LineRead::Line && empty);

    if (read != LineRead::Line) {
        script_message(read == LineRead::End ? "EOF encountered in script file %s\n"
                                             : "Cannot read script file %s\n");
        stop_playback();
        close_script();
        return 0;
    }
    if (!parse_line(line, length)) {
        script_message("Unrecognised line in script file %s\n");
        stop_playback();
        return 0;
    }
    return 1;
}

}  // namespace tovik
