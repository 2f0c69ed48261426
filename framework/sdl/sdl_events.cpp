// Translation of SDL's events into the window system's input calls.
#include "sdl/sdl_keys.h"
#include "sdl/sdl_platform.h"
#include "sdl/sdl_x11.h"

namespace tovik::sdl {

void SdlPlatform::translate_event(const SDL_Event& event) {
    if (SignalWatcher::is_quit_event(event)) {
        post_quit(0);
        return;
    }
    if (const unsigned long gone = x11::destroyed_window(event); gone != 0) {
        close_window(handle_of_x_window(gone));  // as if closed: nothing is left to show
        return;
    }
    switch (event.type) {
    case SDL_QUIT:  // the system asks the application to end
        post_quit(0);
        break;
    case SDL_WINDOWEVENT:
        on_window_event(event.window);
        break;
    case SDL_KEYDOWN:
    case SDL_KEYUP:
        on_key(event.key);
        break;
    case SDL_TEXTINPUT:  // text without a key event of its own, e.g. from an input method
        text_input(handle_of(event.text.windowID), latin1_characters(event.text.text));
        break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
        mouse_button(handle_of(event.button.windowID), event.button.x, event.button.y,
                     event.button.button == SDL_BUTTON_LEFT, event.type == SDL_MOUSEBUTTONDOWN);
        break;
    case SDL_MOUSEMOTION:
        mouse_move(handle_of(event.motion.windowID), event.motion.x, event.motion.y);
        break;
    case SDL_MOUSEWHEEL:
        other_input(handle_of(event.wheel.windowID));
        break;
    default:
        break;
    }
}

void SdlPlatform::on_window_event(const SDL_WindowEvent& event) {
    const WindowHandle window = handle_of(event.windowID);
    switch (event.event) {
    case SDL_WINDOWEVENT_EXPOSED:
        exposed(window);
        break;
    case SDL_WINDOWEVENT_SIZE_CHANGED:
        if (const Native* n = native(window); n != nullptr) {
            int width = 0;
            int height = 0;
            SDL_GetWindowSize(n->sdl, &width, &height);
            resized(window, width, height);
        }
        break;
    case SDL_WINDOWEVENT_FOCUS_LOST:
        focus_lost(window);
        break;
    case SDL_WINDOWEVENT_CLOSE:
        close_window(window);
        break;
    default:
        break;
    }
}

// The text that SDL queues right behind a key's event is what that key typed.
// Window-system events can slip in between; they are looked past.
std::string SdlPlatform::take_paired_text() {
    constexpr int LOOK_AHEAD = 8;
    SDL_Event next[LOOK_AHEAD];
    const int count = SDL_PeepEvents(next, LOOK_AHEAD, SDL_PEEKEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT);
    for (int i = 0; i < count; ++i) {
        if (next[i].type == SDL_SYSWMEVENT) continue;
        if (next[i].type != SDL_TEXTINPUT) break;
        SDL_Event text;
        SDL_PeepEvents(&text, 1, SDL_GETEVENT, SDL_TEXTINPUT, SDL_TEXTINPUT);  // this one: the first
        return text.text.text;
    }
    return {};
}

void SdlPlatform::on_key(const SDL_KeyboardEvent& event) {
    const WindowHandle window = handle_of(event.windowID);
    const SDL_Keysym& key = event.keysym;
    const KeyState state{(key.mod & KMOD_CTRL) != 0, (key.mod & KMOD_ALT) != 0, event.repeat != 0};
    if (event.type == SDL_KEYUP) {
        key_up(window, virtual_key(key), state);
        return;
    }
    const std::string text = take_paired_text();
    key_down(window, virtual_key(key), state, latin1_characters(text));
}

}  // namespace tovik::sdl
