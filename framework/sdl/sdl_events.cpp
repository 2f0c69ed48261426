// Translation of SDL's events into the platform's messages.
//
// Implements:
//   - keys: KeyDown/KeyUp with virtual-key codes; the text event that SDL sends
//     right after a key's event is taken with it, so the KeyDown carries the
//     character the key types (code points above 255 are dropped).  Alt without
//     Ctrl, and F10, make system keys: they work the menu and are Other to the
//     window, as the native system keys are.
//   - mouse: a left press in the client area is LButtonDown in client pixels
//     (below the menu strip); other buttons, releases, motion and the wheel
//     are Other.
//   - the menu: presses in the strip, and every press, motion and key while a
//     drop-down is open, go to the menu and become no message; a chosen item
//     posts Command to its window.  Key releases still reach the window, so
//     that a Ctrl let go over an open drop-down is not held for ever.
//   - window events: exposure and resizes invalidate (resizes send Size first),
//     focus loss is KillFocus and closes a drop-down, the close box destroys.
// Known limits: pressing and releasing Alt alone does not select the menu bar;
// a right-hand Alt that a layout uses as AltGr counts as Alt.
#include <algorithm>
#include <cctype>

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
        destroy(handle_of_x_window(gone));  // as if closed: nothing is left to show
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
        on_key_down(event.key);
        break;
    case SDL_KEYUP:
        on_key_up(event.key);
        break;
    case SDL_TEXTINPUT:
        on_text(event.text);
        break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
        on_mouse_button(event.button);
        break;
    case SDL_MOUSEMOTION:
        on_mouse_motion(event.motion);
        break;
    case SDL_MOUSEWHEEL:
        if (const WindowHandle window = handle_of(event.wheel.windowID); window != 0) {
            queue(window, MsgKind::Other);
        }
        break;
    default:
        break;
    }
}

void SdlPlatform::on_window_event(const SDL_WindowEvent& event) {
    const WindowHandle window = handle_of(event.windowID);
    Window* w = find(window);
    if (w == nullptr) return;
    switch (event.event) {
    case SDL_WINDOWEVENT_EXPOSED:
        present(window);  // the menu strip at once; the client area when it is painted
        invalidate(window);
        break;
    case SDL_WINDOWEVENT_SIZE_CHANGED: {
        int width = 0;
        int height = 0;
        SDL_GetWindowSize(w->sdl, &width, &height);
        resize_client(*w, width, height);
        if (w->menu) w->menu->set_width(width);
        send(window, MsgKind::Size);
        invalidate(window);
        present(window);
        break;
    }
    case SDL_WINDOWEVENT_FOCUS_LOST:
        if (w->menu && w->menu->is_open()) {
            w->menu->close();
            present(window);
        }
        queue(window, MsgKind::KillFocus);
        break;
    case SDL_WINDOWEVENT_CLOSE:
        destroy(window);
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

void SdlPlatform::on_key_down(const SDL_KeyboardEvent& event) {
    const std::string text = take_paired_text();
    const WindowHandle window = handle_of(event.windowID);
    Window* w = find(window);
    if (w == nullptr) return;

    const SDL_Keysym& key = event.keysym;
    const std::uintptr_t vk = virtual_key(key);
    const bool ctrl = (key.mod & KMOD_CTRL) != 0;
    const bool alt = (key.mod & KMOD_ALT) != 0;
    std::vector<unsigned char> typed_text = latin1_characters(text);
    // With Ctrl alone a key types its control character or nothing, whatever text SDL made.
    if (ctrl && !alt) typed_text.clear();
    unsigned typed = control_character(key);
    if (typed != 0) {
        typed_text.clear();
    } else if (!typed_text.empty()) {
        typed = typed_text.front();
        typed_text.erase(typed_text.begin());
    }

    if (w->menu && w->menu->is_open()) {
        // A held key repeating must not choose what its first press opened.
        const bool moves = vk == VK_UP || vk == VK_DOWN || vk == VK_LEFT || vk == VK_RIGHT;
        if (event.repeat == 0 || moves) apply(window, w->menu->key_down(vk, typed));
        return;
    }
    if (is_system_key(key)) {
        if (w->menu) {
            MenuBar::Result result;
            if (key.scancode == SDL_SCANCODE_F10) {
                result = w->menu->open_by_key(0);
            } else if (vk < 0x80 && std::isalnum(static_cast<int>(vk))) {
                result = w->menu->open_by_key(static_cast<char>(std::tolower(static_cast<int>(vk))));
            }
            if (result.consumed) {
                apply(window, result);
                return;
            }
        }
        queue(window, MsgKind::Other);
        return;
    }
    queue(window, MsgKind::KeyDown, vk, static_cast<std::intptr_t>(typed));
    // Text of more than one character (an input method's) follows as characters.
    for (const unsigned char c : typed_text) queue(window, MsgKind::Char, c);
}

void SdlPlatform::on_key_up(const SDL_KeyboardEvent& event) {
    const WindowHandle window = handle_of(event.windowID);
    if (window == 0) return;
    const std::uintptr_t vk = virtual_key(event.keysym);
    if (is_system_key(event.keysym) && vk != VK_CONTROL) {
        queue(window, MsgKind::Other);
    } else {
        queue(window, MsgKind::KeyUp, vk);
    }
}

// Text without a key event of its own, e.g. from an input method.
void SdlPlatform::on_text(const SDL_TextInputEvent& event) {
    const WindowHandle window = handle_of(event.windowID);
    const Window* w = find(window);
    if (w == nullptr || (w->menu && w->menu->is_open())) return;
    for (const unsigned char c : latin1_characters(event.text)) queue(window, MsgKind::Char, c);
}

void SdlPlatform::on_mouse_button(const SDL_MouseButtonEvent& event) {
    const WindowHandle window = handle_of(event.windowID);
    Window* w = find(window);
    if (w == nullptr) return;
    const bool down = event.type == SDL_MOUSEBUTTONDOWN;
    const bool left = event.button == SDL_BUTTON_LEFT;
    const int strip = w->strip_height();
    if (w->menu && (w->menu->is_open() || event.y < strip)) {
        MenuBar::Result result = MenuBar::Result::taken();  // other buttons do nothing to the menu
        if (left) result = down ? w->menu->mouse_down(event.x, event.y) : w->menu->mouse_up(event.x, event.y);
        if (result.consumed) {
            apply(window, result);
            return;
        }
    }
    if (down && left && event.y >= strip) {
        queue(window, MsgKind::LButtonDown, 0, pack_point(event.x, event.y - strip));
    } else {
        queue(window, MsgKind::Other);
    }
}

void SdlPlatform::on_mouse_motion(const SDL_MouseMotionEvent& event) {
    const WindowHandle window = handle_of(event.windowID);
    Window* w = find(window);
    if (w == nullptr) return;
    if (w->menu && w->menu->is_open()) {
        apply(window, w->menu->mouse_move(event.x, event.y));
        return;
    }
    queue(window, MsgKind::Other);
}

void SdlPlatform::apply(WindowHandle window, const MenuBar::Result& result) {
    if (result.command) queue(window, MsgKind::Command, *result.command);
    if (result.redraw) present(window);
}

}  // namespace tovik::sdl
