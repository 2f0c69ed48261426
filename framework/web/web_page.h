// What the web backend asks of the page around it: canvases for windows,
// copies of changed rows, a clock, and the page's input as events.  The real
// page is JavaScript (js_page.cpp); tests use a fake.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform.h"

namespace tovik::web {

enum class PageEventKind : int {
    KeyDown = 1,    // a: key code (the platform's virtual-key code), b: code point of the key's text
    KeyUp = 2,      // a: key code
    MouseDown = 3,  // a, b: canvas pixels; c: button (0 is the left one)
    MouseUp = 4,    // as MouseDown
    MouseMove = 5,  // a, b: canvas pixels
    Blur = 6,       // the canvas lost the keyboard focus
    Layout = 7,     // the area the windows may take: a, b its width and height in hundredths
                    // of a layout (CSS) pixel, c the device pixels per layout pixel in thousandths
    Report = 8,     // text: a message for the user (a failed save or load)
    TouchDown = 9,  // a, b: canvas pixels; c: the finger
    TouchMove = 10, // as TouchDown
    TouchUp = 11,   // as TouchDown (also a touch the browser took back)
};

// Modifier bits of key events.
constexpr int MOD_CTRL = 1;
constexpr int MOD_ALT = 2;
constexpr int MOD_SHIFT = 4;
constexpr int MOD_REPEAT = 8;

struct PageEvent {
    PageEventKind kind = PageEventKind::Blur;
    WindowHandle window = 0;
    int a = 0, b = 0, c = 0;
    int mods = 0;
    std::string text;
};

class Page {
public:
    virtual ~Page() = default;
    // A hidden canvas of width x height pixels under a title, for `window`.
    virtual void create_canvas(WindowHandle window, const char* title, int width, int height) = 0;
    virtual void show_canvas(WindowHandle window, bool show) = 0;
    // The canvas becomes width x height pixels (blank), shown at shown_width x
    // shown_height layout pixels.
    virtual void place_canvas(WindowHandle window, int width, int height, double shown_width,
                              double shown_height) = 0;
    // Rows top .. top + count - 1 of width x height RGBA pixels (R first in
    // memory) to the canvas.
    virtual void present(WindowHandle window, const std::uint32_t* rgba, int width, int height,
                         int top, int count) = 0;
    virtual int screen_height() = 0;
    // What the program is doing, for the page's status line.
    virtual void show_state(const RunState& state) = 0;
    // Milliseconds of a clock that never goes back.
    virtual std::uint64_t now_ms() = 0;
    virtual std::optional<PageEvent> take_event() = 0;
    // Yields to the browser until the page has an event or `timeout_ms` has
    // passed (-1: no limit).
    virtual void wait_for_event(int timeout_ms) = 0;
};

}  // namespace tovik::web
