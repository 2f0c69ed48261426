// The program's entry in a browser: pin the fonts the page carries, install the
// platform, run the game, and tell the page when it has ended.
#include <emscripten.h>

#include "canvas/fonts.h"
#include "tovik.h"
#include "web/js_page.h"
#include "web/web_platform.h"

EM_JS(void, tovik_js_ended, (int code), { Module.tovikPage.ended(code); });

int main() {
    // The page puts the files here before the program starts.
    tovik::pin_font_file(tovik::FontFace::Drawing, "/fonts/drawing.ttf");
    tovik::pin_font_file(tovik::FontFace::Menu, "/fonts/drawing.ttf");
    tovik::pin_font_file(tovik::FontFace::FixedPitch, "/fonts/fixed.ttf");
    int result = 0;
    {
        tovik::web::JsPage page;
        tovik::web::WebPlatform platform(page);
        platform.set_report_sink([](const std::string& text) { TOVIK_print("%s", text.c_str()); });
        tovik::set_platform(&platform);
        // No instance, no previous instance, no command line, shown.
        result = game_main(nullptr, nullptr, "", 1);
        tovik::set_platform(nullptr);
    }
    tovik_js_ended(result);
    return result;
}
