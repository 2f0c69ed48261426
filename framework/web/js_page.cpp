// The page as the browser has it: each call goes to the script tovik-page.js,
// which owns the canvases, listens for input and keeps the events until the
// program takes them.
#include <emscripten.h>

#include "web/js_page.h"

// clang-format off
EM_JS(void, tovik_js_create_canvas, (int window, const char* title, int width, int height), {
    Module.tovikPage.createCanvas(window, UTF8ToString(title), width, height);
});
EM_JS(void, tovik_js_show_canvas, (int window, int show), {
    Module.tovikPage.showCanvas(window, show !== 0);
});
EM_JS(void, tovik_js_place_canvas,
      (int window, int width, int height, double shown_width, double shown_height), {
    Module.tovikPage.placeCanvas(window, width, height, shown_width, shown_height);
});
EM_JS(void, tovik_js_show_state, (int animating, int recording, int playing_back), {
    Module.tovikPage.showState(animating !== 0, recording !== 0, playing_back !== 0);
});
EM_JS(void, tovik_js_present,
      (int window, const void* rgba, int width, int height, int top, int count), {
    Module.tovikPage.present(window, HEAPU8.subarray(rgba, rgba + width * height * 4), width, height,
                             top, count);
});
EM_JS(int, tovik_js_screen_height, (), {
    return window.screen.height;
});
// Fills out[0..5] (kind, window, a, b, c, mods) and the text; 0 when there is no event.
EM_JS(int, tovik_js_take_event, (int* out, char* text, int text_size), {
    const e = Module.tovikPage.takeEvent();
    if (!e) return 0;
    const fields = [e.kind, e.window, e.a || 0, e.b || 0, e.c || 0, e.mods || 0];
    for (let i = 0; i < fields.length; ++i) HEAP32[(out >> 2) + i] = fields[i];
    stringToUTF8(e.text || "", text, text_size);
    return 1;
});
EM_ASYNC_JS(void, tovik_js_wait_for_event, (int timeout), {
    await Module.tovikPage.waitForEvent(timeout);
});
// clang-format on

namespace tovik::web {

void JsPage::create_canvas(WindowHandle window, const char* title, int width, int height) {
    tovik_js_create_canvas(static_cast<int>(window), title, width, height);
}

void JsPage::show_canvas(WindowHandle window, bool show) {
    tovik_js_show_canvas(static_cast<int>(window), show ? 1 : 0);
}

void JsPage::place_canvas(WindowHandle window, int width, int height, double shown_width,
                          double shown_height) {
    tovik_js_place_canvas(static_cast<int>(window), width, height, shown_width, shown_height);
}

void JsPage::show_state(const RunState& state) {
    tovik_js_show_state(state.animating ? 1 : 0, state.recording ? 1 : 0,
                        state.playing_back ? 1 : 0);
}

void JsPage::present(WindowHandle window, const std::uint32_t* rgba, int width, int height, int top,
                     int count) {
    tovik_js_present(static_cast<int>(window), rgba, width, height, top, count);
}

int JsPage::screen_height() { return tovik_js_screen_height(); }

std::uint64_t JsPage::now_ms() { return static_cast<std::uint64_t>(emscripten_get_now()); }

std::optional<PageEvent> JsPage::take_event() {
    int fields[6] = {};
    char text[512] = {};
    if (tovik_js_take_event(fields, text, sizeof text) == 0) return std::nullopt;
    PageEvent event;
    event.kind = static_cast<PageEventKind>(fields[0]);
    event.window = static_cast<WindowHandle>(fields[1]);
    event.a = fields[2];
    event.b = fields[3];
    event.c = fields[4];
    event.mods = fields[5];
    event.text = text;
    return event;
}

void JsPage::wait_for_event(int timeout_ms) { tovik_js_wait_for_event(timeout_ms); }

}  // namespace tovik::web
