// render_<program>: runs a program of one's own (an example) without a
// display, feeds it the events given on the command line and writes the last
// picture of its graphics window as a PNG image.
//
//   render_bounce --out FILE [--font FILE] EVENT...
//
// Events, in order: click:X,Y (a left click at framework point X,Y),
// key:C (the character C typed), ticks:N (N periodic events).  After the
// last one the graphics window is closed, which ends the program.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "canvas/fonts.h"
#include "canvas/software_canvas.h"
#include "fake/fake_platform.h"
#include "png_io.h"
#include "tovik.h"

namespace {

struct Event {
    char kind = 't';  // 'c' click, 'k' key, 't' ticks
    int a = 0;
    int b = 0;
};

[[noreturn]] void fail(const std::string& message) {
    std::fprintf(stderr, "render_program: %s\n", message.c_str());
    std::exit(1);
}

Event parse_event(const std::string& text) {
    Event event;
    char tail = 0;
    if (std::sscanf(text.c_str(), "click:%d,%d%c", &event.a, &event.b, &tail) == 2) {
        event.kind = 'c';
    } else if (text.size() == 5 && text.starts_with("key:")) {
        event.kind = 'k';
        event.a = static_cast<unsigned char>(text[4]);
    } else if (std::sscanf(text.c_str(), "ticks:%d%c", &event.a, &tail) == 1 && event.a > 0) {
        event.kind = 't';
    } else {
        fail("not an event: \"" + text + "\" (click:X,Y, key:C or ticks:N)");
    }
    return event;
}

}  // namespace

int main(int argc, char** argv) {
    std::string out;
    std::string font;
    std::vector<Event> events;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if ((arg == "--out" || arg == "--font") && i + 1 < argc) {
            (arg == "--out" ? out : font) = argv[++i];
        } else {
            events.push_back(parse_event(arg));
        }
    }
    if (out.empty()) fail("no --out FILE given");

    tovik::FakePlatform platform;
    platform.auto_timer = false;  // every tick comes from the command line
    std::size_t next = 0;
    int ticks_done = 0;
    int ending = 0;
    platform.on_idle = [&] {
        const tovik::WindowHandle window = platform.graphics_window();
        if (next >= events.size()) {
            // A message that is no event brings the last picture to the window.
            if (ending == 0) platform.queue({window, tovik::MsgKind::Other, 0, 0});
            if (ending == 1) platform.close_window(window);
            if (ending >= 2) platform.post_quit(0);
            ++ending;
            return;
        }
        const tovik::Rect client = platform.client_rect(window);
        const int origin_x = client.left + (client.right - client.left) / 2;
        const int origin_y = client.top + (client.bottom - client.top) / 2;
        const Event& event = events[next];
        if (event.kind == 'c') {
            // The button's message itself: the click may lie outside the window.
            platform.queue({window, tovik::MsgKind::LButtonDown, 0,
                            tovik::pack_point(origin_x + event.a, origin_y - event.b)});
            ++next;
        } else if (event.kind == 'k') {
            platform.type_char(static_cast<unsigned char>(event.a));
            ++next;
        } else {
            // The first notification arms the wait, the second ends it.
            platform.timer();
            platform.timer();
            if (++ticks_done == event.a) {
                ticks_done = 0;
                ++next;
            }
        }
    };

    std::vector<std::uint32_t> pixels;
    int width = 0;
    int height = 0;
    platform.on_copy_image = [&](tovik::WindowHandle window, const tovik::Canvas& image, int w,
                                 int h) {
        if (window != platform.graphics_window()) return;
        const tovik::Rect client = platform.client_rect(window);
        const auto& canvas = dynamic_cast<const tovik::SoftwareCanvas&>(image);
        width = std::min({w, canvas.width(), static_cast<int>(client.right - client.left)});
        height = std::min({h, canvas.height(), static_cast<int>(client.bottom - client.top)});
        pixels.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
        for (int y = 0; y < height; ++y) {
            const std::uint32_t* row =
                canvas.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(canvas.stride());
            std::copy(row, row + width, pixels.begin() + static_cast<std::ptrdiff_t>(y) * width);
        }
    };
    tovik::set_platform(&platform);
    if (!font.empty()) {
        if (!std::ifstream(font)) fail("cannot read the font file " + font);
        tovik::pin_font_file(tovik::FontFace::Drawing, font);
    }

    const int result = game_main(nullptr, nullptr, "", 1);
    tovik::set_platform(nullptr);
    if (result != 0) fail("the program ended with " + std::to_string(result));
    if (pixels.empty()) fail("the program showed no picture");
    std::string error;
    if (!tovik::write_png(out, pixels.data(), width, height, width, &error)) fail(error);
    return 0;
}
