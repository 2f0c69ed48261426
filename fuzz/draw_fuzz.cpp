// Feeds arbitrary argument values to every drawing operation: whatever they
// are, nothing may crash, overflow or write outside the image, and a shape may
// not cost more than the pixels it covers (a slow input is a fuzzer timeout).
//
// Values at the edges of the 32-bit range and of the image are chosen on
// purpose, not left to chance.  Text goes through a fixed set of formats that
// read only the arguments given, with widths long enough to reach the cut of
// formatted text; runs of long messages are painted in the text window.  The
// drawing font is pinned to one file, so that runs do not depend on the
// machine's font choice.
#include <climits>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <string>

#include "canvas/fonts.h"
#include "core/colours.h"
#include "core/draw_command.h"
#include "core/framework_state.h"
#include "core/internal.h"
#include "fake/fake_platform.h"
#include "tovik.h"

namespace {

using namespace tovik;

constexpr std::size_t ARGUMENT_COUNT = 8;
constexpr const char* DRAWING_FONT = "/usr/share/fonts/truetype/liberation2/LiberationSans-Regular.ttf";
constexpr std::int32_t EXTREMES[] = {
    INT_MIN, INT_MIN + 1, INT_MIN + 2, -2, -1, 0, 1, 2, INT_MAX - 2, INT_MAX - 1, INT_MAX,
    IMAGE_WIDTH, IMAGE_WIDTH - 1, IMAGE_HEIGHT, IMAGE_HEIGHT - 1, -IMAGE_WIDTH, -IMAGE_HEIGHT,
};
constexpr std::size_t EXTREME_COUNT = sizeof EXTREMES / sizeof EXTREMES[0];
// A width beyond the formatted text's 1023-character cut, not beyond reason.
constexpr std::int32_t MOST_FIELD_WIDTH = 2048;

}  // namespace

// Before the first input, so that what is loaded once for the process is not
// counted against an input.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
    if (std::filesystem::exists(DRAWING_FONT)) pin_font_file(FontFace::Drawing, DRAWING_FONT);
    static FakePlatform fake;
    set_platform(&fake);
    TOVIK_start(nullptr, nullptr, "", 1);
    // Fontconfig keeps what it loads on first use for the life of the process:
    // load it here, so that it is not taken for a leak of the first input.
    for (const FontFace face : {FontFace::Drawing, FontFace::FixedPitch, FontFace::Menu}) {
        (void)font_file(face);
    }
    return 0;
}

namespace {

class Input {
public:
    Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    bool empty() const { return size_ == 0; }

    std::uint8_t byte() {
        if (size_ == 0) return 0;
        --size_;
        return *data_++;
    }

    // One byte in four picks a raw 32-bit value; the others an edge value.
    std::int32_t value() {
        const std::uint8_t pick = byte();
        if (pick % 4 != 0) return EXTREMES[(pick / 4) % EXTREME_COUNT];
        std::uint32_t raw = 0;
        for (int i = 0; i < 4; ++i) raw |= std::uint32_t{byte()} << (8 * i);
        return static_cast<std::int32_t>(raw);
    }

    std::int32_t field_width() {
        return static_cast<std::int32_t>(static_cast<std::uint32_t>(value()) %
                                         (2 * MOST_FIELD_WIDTH + 1)) - MOST_FIELD_WIDTH;
    }

    // Up to 64 bytes of the input as text.
    std::string text() {
        const std::size_t length = byte() % 65;
        std::string out;
        for (std::size_t i = 0; i < length && !empty(); ++i) out += static_cast<char>(byte());
        return out;
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
};

// Formats `format_choice`'s format with values from the input, through `emit`,
// which is TOVIK_draw_text or TOVIK_print with their leading arguments bound.
template <typename Emit>
void formatted(Input& in, Emit emit) {
    const std::string text = in.text();
    const char* s = text.c_str();
    const std::int32_t n = in.value();
    const std::int32_t width = in.field_width();
    switch (in.byte() % 8) {
    case 0: emit("%s", s); break;
    case 1: emit("%d|%s\n%d", n, s, n); break;
    case 2: emit("%*d", width, n); break;
    case 3: emit("%-*s|", width, s); break;
    case 4: emit("%.*s%%", width, s); break;
    case 5: emit("%x %o %u %i", static_cast<unsigned>(n), static_cast<unsigned>(n),
                 static_cast<unsigned>(n), n); break;
    case 6: emit("%c%c\n\n%c", n & 0xFF, (n >> 8) & 0xFF, (n >> 16) & 0xFF); break;
    default: emit("%*s%s%*s", width, s, s, width, "."); break;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Input in(data, size);
    while (!in.empty()) {
        const std::uint8_t op = in.byte();
        std::int32_t a[ARGUMENT_COUNT];
        for (std::int32_t& value : a) value = in.value();
        fw.logging = static_cast<std::uint8_t>(op >> 7);
        switch (op % 9) {
        case 0: TOVIK_draw_circle(a[0], a[1], a[2], a[3]); break;
        case 1: TOVIK_draw_triangle(a[0], a[1], a[2], a[3], a[4], a[5], a[6], a[7]); break;
        case 2: TOVIK_draw_rectangle(a[0], a[1], a[2], a[3], a[4], a[5]); break;
        case 3: TOVIK_draw_oval(a[0], a[1], a[2], a[3], a[4], a[5]); break;
        case 4: TOVIK_draw_line(a[0], a[1], a[2], a[3], a[4], a[5]); break;
        case 5:
            formatted(in, [&](const char* format, auto... args) {
                TOVIK_draw_text(a[0], a[1], a[2], a[3], format, args...);
            });
            break;
        case 6: {
            // Pixels have no public call; the renderer takes them from the other primitives.
            DrawCommand pixel;
            pixel.kind = DRAW_PIXEL;
            pixel.colour = static_cast<ColourIndex>(static_cast<std::uint32_t>(a[0]) % COLOUR_COUNT);
            pixel.x1 = a[1];
            pixel.y1 = a[2];
            render_command(pixel);
            break;
        }
        case 7: {
            // A run of long messages fills the log ring; then the text window paints them.
            fw.logging = 1;
            const int messages = 1 + static_cast<int>(static_cast<std::uint32_t>(a[0]) % (2 * LOG_RING_SIZE));
            for (int i = 0; i < messages; ++i) {
                formatted(in, [](const char* format, auto... args) { TOVIK_print(format, args...); });
            }
            paint_text_window(fw.text_window);
            break;
        }
        default: TOVIK_clear(); break;
        }
    }
    return 0;
}
