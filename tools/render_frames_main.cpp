// render_frames: runs the real game without a display and writes chosen
// frames of the graphics window as PNG images.
//
// The game runs on the fake platform with a fixed seed.  Its input comes from
// a script in the TOVIK.SCR format, turned into the messages a user would
// cause; when the script is used up the graphics window is closed, which ends
// the game.  A frame is one copy of the off-screen image to the graphics
// window, cut to the window's client area.
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "canvas/fonts.h"
#include "canvas/software_canvas.h"
#include "fake/fake_platform.h"
#include "game_main.h"
#include "png_io.h"
#include "random.h"

namespace {

// The graphics window's client area, the part of the image that the screen
// shows, and the framework's origin at its centre.
constexpr int CLIENT_WIDTH = 595;
constexpr int CLIENT_HEIGHT = 491;
constexpr int ORIGIN_X = CLIENT_WIDTH / 2;
constexpr int ORIGIN_Y = CLIENT_HEIGHT / 2;

constexpr const char* USAGE = R"(usage: render_frames [options] SCRIPT

Runs the game headless with the events of SCRIPT and writes frames of the
graphics window as PNG images (595 x 491, the window's client area).

SCRIPT holds one event per line in the format of TOVIK.SCR:
  TOVIK_MOUSE(x, y);   a left click at framework point (x, y), that is client
                       pixel (297 + x, 245 - y); it must lie in the window
  TOVIK_KBD(k);        a typed character, code k (-128..255)
  TOVIK_PERIODIC(n);   n periodic events (0 counts as 1, as in playback)
Empty lines are skipped.  The first 75 events go to the opening crawl.  After
the last event the graphics window is closed, which ends the game.  Periodic
events assume the animation runs, as it does unless the game halts it.

A frame is one copy of the picture to the graphics window, numbered from 1.
Frame 1 is the picture of the start-up; frame k + 1 the picture drawn after
the script's event k, counting a TOVIK_PERIODIC(n) line as n events (a picture
reaches the window with the first message of the next wait).  The last frame
shows the picture after the last event.

Options:
  --seed N         seed of the random generator (default 1)
  --out DIR        directory for the images (default: the current one);
                   it must exist
  --prefix NAME    file name prefix (default "frame"): NAME_00012.png
  --every N        write every Nth frame: N, 2N, 3N, ...
  --frames A,B,C   write the frames with these numbers
  --last           write the last frame
  --font FILE      draw the game's text from this font file rather than from
                   the one fontconfig chooses, so that images do not depend on
                   the machine's fonts
  --help           show this text
Without --every, --frames or --last, the last frame is written.
)";

struct Options {
    std::uint32_t seed = 1;
    std::string out_dir = ".";
    std::string prefix = "frame";
    long long every = 0;
    std::set<long long> frames;
    bool last = false;
    std::string font;
    std::string script_path;
};

struct ScriptEvent {
    enum Kind { Mouse, Key, Periodic } kind = Periodic;
    std::int32_t x = 0;
    std::int32_t y = 0;
    long long count = 1;  // periodic events; the key code for a key
};

[[noreturn]] void fail(const std::string& message) {
    std::fprintf(stderr, "render_frames: %s\n", message.c_str());
    std::exit(1);
}

// A whole decimal number within [low, high], or nothing.
std::optional<long long> parse_number(std::string_view text, long long low, long long high) {
    if (text.empty() || text.size() > 20) return std::nullopt;
    const std::string copy(text);
    char* end = nullptr;
    errno = 0;
    const long long value = std::strtoll(copy.c_str(), &end, 10);
    if (errno != 0 || end != copy.c_str() + copy.size() || value < low || value > high) {
        return std::nullopt;
    }
    return value;
}

long long number_option(const char* name, const char* text, long long low, long long high) {
    const auto value = parse_number(text != nullptr ? text : "", low, high);
    if (!value) {
        fail(std::string(name) + " needs a whole number from " + std::to_string(low) + " to " +
             std::to_string(high));
    }
    return *value;
}

Options parse_options(int argc, char** argv) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
        if (arg == "--help" || arg == "-h") {
            std::fputs(USAGE, stdout);
            std::exit(0);
        } else if (arg == "--seed") {
            options.seed = static_cast<std::uint32_t>(number_option("--seed", value, 0, UINT32_MAX));
            ++i;
        } else if (arg == "--out" || arg == "--prefix" || arg == "--font") {
            if (value == nullptr || *value == '\0') fail(std::string(arg) + " needs a value");
            (arg == "--out" ? options.out_dir : arg == "--prefix" ? options.prefix : options.font) =
                value;
            ++i;
        } else if (arg == "--every") {
            options.every = number_option("--every", value, 1, INT32_MAX);
            ++i;
        } else if (arg == "--frames") {
            if (value == nullptr) fail("--frames needs a list of frame numbers");
            std::string_view list = value;
            while (!list.empty()) {
                const std::size_t comma = list.find(',');
                const std::string item(list.substr(0, comma));
                options.frames.insert(number_option("--frames", item.c_str(), 1, INT64_MAX));
                list = comma == std::string_view::npos ? std::string_view{} : list.substr(comma + 1);
            }
            ++i;
        } else if (arg == "--last") {
            options.last = true;
        } else if (arg.starts_with("-")) {
            fail("unknown option " + std::string(arg) + " (see --help)");
        } else if (options.script_path.empty()) {
            options.script_path = arg;
        } else {
            fail("only one script can be given (see --help)");
        }
    }
    if (options.script_path.empty()) fail("no script given (see --help)");
    if (options.every == 0 && options.frames.empty()) options.last = true;
    return options;
}

// The text between `open` and `close` of "NAME(...);", trimmed of blanks.
std::optional<std::string_view> arguments_of(std::string_view line, std::string_view name) {
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t')) {
        line.remove_suffix(1);
    }
    if (!line.starts_with(name) || !line.ends_with(");")) return std::nullopt;
    line.remove_prefix(name.size());
    line.remove_suffix(2);
    if (!line.starts_with("(")) return std::nullopt;
    line.remove_prefix(1);
    return line;
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return text;
}

std::optional<ScriptEvent> parse_line(std::string_view line) {
    constexpr long long INT32_LOW = INT32_MIN;
    constexpr long long INT32_HIGH = INT32_MAX;
    if (const auto args = arguments_of(line, "TOVIK_MOUSE")) {
        const std::size_t comma = args->find(',');
        if (comma == std::string_view::npos) return std::nullopt;
        const auto x = parse_number(trimmed(args->substr(0, comma)), INT32_LOW, INT32_HIGH);
        const auto y = parse_number(trimmed(args->substr(comma + 1)), INT32_LOW, INT32_HIGH);
        if (!x || !y) return std::nullopt;
        if (ORIGIN_X + *x < 0 || ORIGIN_X + *x >= CLIENT_WIDTH || ORIGIN_Y - *y < 0 ||
            ORIGIN_Y - *y >= CLIENT_HEIGHT) {
            return std::nullopt;  // no click can come from outside the window
        }
        return ScriptEvent{ScriptEvent::Mouse, static_cast<std::int32_t>(*x),
                           static_cast<std::int32_t>(*y), 0};
    }
    if (const auto args = arguments_of(line, "TOVIK_KBD")) {
        const auto key = parse_number(trimmed(*args), -128, 255);
        if (!key) return std::nullopt;
        return ScriptEvent{ScriptEvent::Key, 0, 0, *key};
    }
    if (const auto args = arguments_of(line, "TOVIK_PERIODIC")) {
        const auto count = parse_number(trimmed(*args), 0, INT32_HIGH);
        if (!count) return std::nullopt;
        return ScriptEvent{ScriptEvent::Periodic, 0, 0, *count == 0 ? 1 : *count};
    }
    return std::nullopt;
}

std::vector<ScriptEvent> read_script(const std::string& path) {
    std::ifstream file(path);
    if (!file) fail("cannot open the script " + path + ": " + std::strerror(errno));
    std::vector<ScriptEvent> events;
    std::string line;
    for (long long number = 1; std::getline(file, line); ++number) {
        if (line.empty() || line == "\r") continue;
        const auto event = parse_line(line);
        if (!event) {
            fail(path + ":" + std::to_string(number) +
                 ": not a script event, or a click outside the window: \"" + line + "\"");
        }
        events.push_back(*event);
    }
    if (file.bad()) fail("cannot read the script " + path);
    return events;
}

// Feeds the script to the fake platform one event at a time, whenever the
// game has taken everything queued before, and closes the window at its end.
class ScriptFeeder {
public:
    ScriptFeeder(tovik::FakePlatform& platform, std::vector<ScriptEvent> events)
        : platform_(platform), events_(std::move(events)) {}

    void feed() {
        const tovik::WindowHandle window = platform_.graphics_window();
        if (next_ >= events_.size()) {
            if (!shown_last_) {
                // A message that is no event brings the last picture to the window.
                shown_last_ = true;
                platform_.queue({window, tovik::MsgKind::Other, 0, 0});
            } else if (!closed_) {
                closed_ = true;
                platform_.close_window(window);
            } else {
                platform_.post_quit(0);  // the game is done with its windows
            }
            return;
        }
        ScriptEvent& event = events_[next_];
        switch (event.kind) {
        case ScriptEvent::Mouse:
            // The button's message itself: a recorded click may lie outside the window.
            platform_.queue({window, tovik::MsgKind::LButtonDown, 0,
                             tovik::pack_point(ORIGIN_X + event.x, ORIGIN_Y - event.y)});
            ++next_;
            break;
        case ScriptEvent::Key:
            platform_.type_char(static_cast<unsigned char>(event.count & 0xFF));
            ++next_;
            break;
        case ScriptEvent::Periodic:
            // The first notification arms the wait, the second ends it.
            platform_.timer();
            platform_.timer();
            if (--event.count == 0) ++next_;
            break;
        }
    }

private:
    tovik::FakePlatform& platform_;
    std::vector<ScriptEvent> events_;
    std::size_t next_ = 0;
    bool shown_last_ = false;
    bool closed_ = false;
};

// Takes every copy to the graphics window, cut to its client area.
class FrameWriter {
public:
    explicit FrameWriter(const Options& options) : options_(options) {}

    void take(const tovik::Canvas& image, int width, int height) {
        ++frame_;
        const bool wanted = (options_.every > 0 && frame_ % options_.every == 0) ||
                            options_.frames.count(frame_) != 0;
        if (!wanted && !options_.last) return;
        copy_pixels(image, width, height);
        if (wanted) write(frame_);
    }

    // The last frame, if asked for and not written already.
    void finish() {
        if (options_.last && frame_ > 0 && written_last_ != frame_) write(frame_);
        std::printf("%lld frames, %lld written\n", frame_, written_);
    }

    bool failed() const { return !error_.empty(); }
    const std::string& error() const { return error_; }

private:
    void copy_pixels(const tovik::Canvas& image, int width, int height) {
        width_ = std::min({width, image.width(), CLIENT_WIDTH});
        height_ = std::min({height, image.height(), CLIENT_HEIGHT});
        pixels_.resize(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_));
        const auto* software = dynamic_cast<const tovik::SoftwareCanvas*>(&image);
        for (int y = 0; y < height_; ++y) {
            for (int x = 0; x < width_; ++x) {
                std::uint32_t xrgb = 0;
                if (software != nullptr) {
                    xrgb = software->data()[static_cast<std::size_t>(y) *
                                                static_cast<std::size_t>(software->stride()) +
                                            static_cast<std::size_t>(x)];
                } else {
                    const tovik::Colour c = image.pixel(x, y);
                    xrgb = (tovik::red_of(c) << 16) | (tovik::green_of(c) << 8) | tovik::blue_of(c);
                }
                pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
                        static_cast<std::size_t>(x)] = xrgb;
            }
        }
    }

    void write(long long frame) {
        if (failed()) return;
        char name[32];
        std::snprintf(name, sizeof name, "_%05lld.png", frame);
        const std::string path = options_.out_dir + "/" + options_.prefix + name;
        std::string error;
        if (!tovik::write_png(path, pixels_.data(), width_, height_, width_, &error)) {
            error_ = error;
            return;
        }
        ++written_;
        written_last_ = frame;
        std::printf("wrote %s\n", path.c_str());
    }

    const Options& options_;
    long long frame_ = 0;
    long long written_ = 0;
    long long written_last_ = 0;
    int width_ = 0;
    int height_ = 0;
    std::vector<std::uint32_t> pixels_;
    std::string error_;
};

}  // namespace

int main(int argc, char** argv) {
    const Options options = parse_options(argc, argv);
    tovik::FakePlatform platform;
    platform.auto_timer = false;  // every tick comes from the script
    ScriptFeeder feeder(platform, read_script(options.script_path));
    FrameWriter frames(options);
    platform.on_idle = [&feeder] { feeder.feed(); };
    platform.on_copy_image = [&](tovik::WindowHandle window, const tovik::Canvas& image,
                                 int width, int height) {
        if (window != platform.graphics_window()) return;
        const tovik::Rect client = platform.client_rect(window);
        if (client.right - client.left != CLIENT_WIDTH || client.bottom - client.top != CLIENT_HEIGHT) {
            fail("the graphics window's client area is not 595 x 491: clicks would miss");
        }
        frames.take(image, width, height);
    };
    tovik::set_platform(&platform);
    if (!options.font.empty()) {
        // A file the canvas cannot load would draw no text at all: say so instead.
        if (!std::ifstream(options.font)) fail("cannot read the font file " + options.font);
        tovik::pin_font_file(tovik::FontFace::Drawing, options.font);
    }

    const std::uint32_t seed = options.seed;
    run_game(nullptr, nullptr, "", 1, [seed] { rng_seed(seed); });
    frames.finish();
    if (frames.failed()) {
        std::fprintf(stderr, "render_frames: %s\n", frames.error().c_str());
        return 1;
    }
    return 0;
}
