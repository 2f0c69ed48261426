// Translation of the page's events into the window system's input calls.
#include "web/web_platform.h"

namespace tovik::web {

void WebPlatform::translate(const PageEvent& event) {
    const KeyState keys{(event.mods & MOD_CTRL) != 0, (event.mods & MOD_ALT) != 0,
                        (event.mods & MOD_REPEAT) != 0};
    const auto key = static_cast<std::uintptr_t>(event.a);
    switch (event.kind) {
    case PageEventKind::KeyDown: {
        // The key's text, when it is one character that fits in 8 bits.
        const char typed = static_cast<char>(event.b);
        key_down(event.window, key, keys,
                 event.b > 0 && event.b < 256 ? std::string_view(&typed, 1) : std::string_view());
        break;
    }
    case PageEventKind::KeyUp: key_up(event.window, key, keys); break;
    case PageEventKind::MouseDown:
    case PageEventKind::MouseUp:
        mouse_button(event.window, event.a, event.b, event.c == 0,
                     event.kind == PageEventKind::MouseDown);
        break;
    case PageEventKind::MouseMove: mouse_move(event.window, event.a, event.b); break;
    case PageEventKind::TouchDown:
    case PageEventKind::TouchMove:
    case PageEventKind::TouchUp: {
        const Touch phase = event.kind == PageEventKind::TouchDown   ? Touch::Down
                            : event.kind == PageEventKind::TouchMove ? Touch::Move
                                                                     : Touch::Up;
        touch(event.window, event.c, event.a, event.b, phase);
        break;
    }
    case PageEventKind::Blur: focus_lost(event.window); break;
    case PageEventKind::Layout: lay_out(event.a / 100.0, event.b / 100.0, event.c / 1000.0); break;
    case PageEventKind::Report:
        if (report_) report_(event.text);
        break;
    }
}

}  // namespace tovik::web
