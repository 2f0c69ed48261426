// Playing a script back: the next event from the script file.
//
// What a line yields:
//   - a line ends in LF, CR LF or a lone CR; an empty line (only its line end)
//     is skipped, at most EMPTY_LINES_PER_READ of them in one read: a longer
//     run is passed over one such stretch per handled message, so a file of
//     nothing but line ends cannot hold up painting and input;
//   - a UTF-8 byte-order mark at the very start is skipped; a file that starts
//     with a UTF-16 one is refused;
//   - the seventh character, the one after "TOVIK_", decides the kind: K a key,
//     M a click, P a run of periodic events; the rest of the prefix is not
//     examined;
//   - a key line's number may carry a minus sign (written keys 128 to 255 are
//     negative); the key is the low 8 bits of its value;
//   - numbers beyond the 32-bit range count as the nearest value in range;
//   - any other line, and a line without every number its kind needs (a line
//     of under seven characters, "TOVIK_KBD();", a click with one coordinate),
//     yields no event: the playback ends with "Unrecognised line N ...",
//     saying what was expected, and the next playback goes on after that line;
//   - the end of the file ends the playback and closes the file, so the next
//     playback starts again from the first line.
// Lines longer than the line buffer are read in pieces, each taken as a line.
#include <cerrno>
#include <cinttypes>
#include <cstring>

#include "core/internal.h"
#include "core/script_file.h"
#include "core/script_numbers.h"
#include "tovik.h"

namespace tovik {

namespace {

constexpr std::size_t LINE_BUFFER_SIZE = 512;
constexpr std::size_t KIND_INDEX = 6;  // the character after "TOVIK_"
// About 3 ms of reading in an optimised build: a billion empty lines pass in
// about 13 minutes of playback at 20 messages a second, and the program
// answers throughout.
constexpr int EMPTY_LINES_PER_READ = 65536;

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
    if (ended) ++fw.script_line;
    line[count] = '\0';
    length = std::strlen(line);
    empty = count == 0;
    return LineRead::Line;
}

// A scripted event replaces whatever live one its wait had: none of the live
// one's position or key may show through.
void set_event(std::int32_t kind, std::int32_t x, std::int32_t y, signed char key) {
    fw.pending_kind = kind;
    fw.event_x = x;
    fw.event_y = y;
    fw.event_key = key;
}

// Sets the event that the line describes; otherwise says what was expected.
const char* parse_line(const char* line, std::size_t length) {
    constexpr const char* ANY = "TOVIK_MOUSE, TOVIK_KBD or TOVIK_PERIODIC";
    if (length <= KIND_INDEX) return ANY;
    switch (line[KIND_INDEX]) {
    case 'K': {
        const ScannedNumber key = scan_digits(line, length, KIND_INDEX, true);
        if (!key.found) return "a key code, as in TOVIK_KBD(97);";
        set_event(TOVIK_KBD, 0, 0,
                  static_cast<signed char>(
                      static_cast<unsigned char>(static_cast<std::uint32_t>(key.value) & 0xFFu)));
        return nullptr;
    }
    case 'M': {
        constexpr const char* XY = "two coordinates, as in TOVIK_MOUSE(10, -20);";
        const ScannedNumber x = scan_signed(line, length, KIND_INDEX);
        if (!x.found) return XY;
        const ScannedNumber y = scan_signed(line, length, x.end);
        if (!y.found) return XY;
        set_event(TOVIK_MOUSE, x.value, y.value, 0);
        return nullptr;
    }
    case 'P': {
        const ScannedNumber count = scan_digits(line, length, KIND_INDEX, false);
        if (!count.found) return "a count, as in TOVIK_PERIODIC(3);";
        set_event(TOVIK_PERIODIC, 0, 0, 0);
        // This event is the first of the run; a count of 0 still gives one.
        fw.periodic_count = count.value - 1;  // value >= 0: no overflow
        return nullptr;
    }
    default:
        return ANY;
    }
}

// At the start of a file: skips a UTF-8 byte-order mark, which editors on
// Windows write; false for UTF-16 text, which no line of ours can be.
bool skip_byte_order_mark(std::FILE* file) {
    unsigned char start[3] = {};
    const std::size_t got = std::fread(start, 1, sizeof start, file);
    const bool utf16 = got >= 2 && ((start[0] == 0xFF && start[1] == 0xFE) ||
                                    (start[0] == 0xFE && start[1] == 0xFF));
    if (utf16) {
        return false;
    }
    if (got < 3 || start[0] != 0xEF || start[1] != 0xBB || start[2] != 0xBF) {
        std::clearerr(file);  // a file under three bytes long has met its end
        std::rewind(file);
    }
    return true;
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
        set_event(TOVIK_PERIODIC, 0, 0, 0);
        return 1;
    }
    if (fw.script_line == 0) {
        fw.script_line = 1;
        if (!skip_byte_order_mark(file)) {
            script_message("Cannot play script file %s: it is UTF-16 text; save it as UTF-8 "
                           "or ANSI text and play it again\n");
            stop_playback();
            close_script();
            return 0;
        }
    }

    char line[LINE_BUFFER_SIZE];
    std::size_t length = 0;
    bool empty = false;
    LineRead read = LineRead::Line;
    std::int64_t number = 0;  // a piece of a long line counts as that line
    for (int skipped = 0;; ++skipped) {
        if (skipped == EMPTY_LINES_PER_READ) return SCRIPT_READ_LATER;
        number = fw.script_line;
        read = read_line(file, line, length, empty);
        if (read != LineRead::Line || !empty) break;
    }

    if (read == LineRead::End) {
        script_message("EOF encountered in script file %s\n");
    } else if (read == LineRead::Error) {
        TOVIK_print("Cannot read script file %s: %s\n", SCRIPT_FILE_NAME, std::strerror(errno));
    }
    if (read != LineRead::Line) {
        stop_playback();
        close_script();
        return 0;
    }
    if (const char* expected = parse_line(line, length); expected != nullptr) {
        TOVIK_print("Unrecognised line %" PRId64 " in script file %s: expected %s\n", number,
                    SCRIPT_FILE_NAME, expected);
        stop_playback();
        return 0;
    }
    return 1;
}

}  // namespace tovik
