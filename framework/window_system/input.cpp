// Native input as the window system hands it on: to the menu while it is
// open or when it is its own (clicks in the strip, system keys), otherwise
// as messages to the window, in the order it came.
#include <algorithm>
#include <cctype>

#include "window_system/window_system.h"

namespace tovik {

void WindowSystem::apply(WindowHandle window, const MenuBar::Result& result) {
    if (result.command) queue(window, MsgKind::Command, *result.command);
    if (result.redraw) present(window);
}

void WindowSystem::mouse_button(WindowHandle window, int x, int y, bool left, bool down) {
    Window* w = find(window);
    if (w == nullptr) return;
    if (!to_picture(*w, x, y)) {
        // Around the picture: nothing there, but a press closes an open menu.
        if (down && w->menu_bar && w->menu_bar->is_open()) {
            w->menu_bar->close();
            present(window);
        }
        queue(window, MsgKind::Other);
        return;
    }
    const int strip = w->picture.strip();
    if (w->menu_bar && (w->menu_bar->is_open() || y < strip)) {
        MenuBar::Result result = MenuBar::Result::taken();  // other buttons do nothing to the menu
        if (left) result = down ? w->menu_bar->mouse_down(x, y) : w->menu_bar->mouse_up(x, y);
        if (result.consumed) {
            apply(window, result);
            return;
        }
    }
    if (down && left && y >= strip) {
        queue(window, MsgKind::LButtonDown, 0, pack_point(x, y - strip));
    } else {
        queue(window, MsgKind::Other);
    }
}

void WindowSystem::mouse_move(WindowHandle window, int x, int y) {
    Window* w = find(window);
    if (w == nullptr) return;
    if (!to_picture(*w, x, y)) {
        x = y = -1;  // nowhere on the picture
    }
    if (w->menu_bar && w->menu_bar->is_open()) {
        apply(window, w->menu_bar->mouse_move(x, y));
        return;
    }
    queue(window, MsgKind::Other);
}

void WindowSystem::other_input(WindowHandle window) {
    if (find(window) != nullptr) queue(window, MsgKind::Other);
}

void WindowSystem::key_down(WindowHandle window, std::uintptr_t virtual_key, KeyState state,
                            std::string_view text) {
    Window* w = find(window);
    if (w == nullptr) return;
    // F11 is the window system's own: it types nothing, and the core never sees it.
    if (virtual_key == VKEY_F11 && !(w->menu_bar && w->menu_bar->is_open())) {
        if (!state.repeat) set_full_screen(window, !w->full_screen);
        return;
    }
    const std::string typed = window_system::typed_characters(virtual_key, state, text);
    const unsigned first = typed.empty() ? 0 : static_cast<unsigned char>(typed.front());
    if (w->menu_bar && w->menu_bar->is_open()) {
        // A held key repeating must not choose what its first press opened.
        const bool moves = virtual_key == VKEY_UP || virtual_key == VKEY_DOWN ||
                           virtual_key == VKEY_LEFT || virtual_key == VKEY_RIGHT;
        if (!state.repeat || moves) apply(window, w->menu_bar->key_down(virtual_key, first));
        return;
    }
    if (window_system::is_system_key(virtual_key, state)) {
        if (w->menu_bar) {
            MenuBar::Result result;
            if (virtual_key == VKEY_F10) {
                result = w->menu_bar->open_by_key(0);
            } else if (virtual_key < 0x80 && std::isalnum(static_cast<int>(virtual_key))) {
                result = w->menu_bar->open_by_key(
                    static_cast<char>(std::tolower(static_cast<int>(virtual_key))));
            }
            if (result.consumed) {
                apply(window, result);
                return;
            }
        }
        queue(window, MsgKind::Other);
        return;
    }
    queue(window, MsgKind::KeyDown, virtual_key, static_cast<std::intptr_t>(first));
    // Text of more than one character (an input method's) follows as characters.
    for (std::size_t i = 1; i < typed.size(); ++i) {
        queue(window, MsgKind::Char, static_cast<unsigned char>(typed[i]));
    }
}

// Key releases reach the window even while a drop-down is open, so that a
// Ctrl let go over it is not held for ever.
void WindowSystem::key_up(WindowHandle window, std::uintptr_t virtual_key, KeyState state) {
    if (find(window) == nullptr) return;
    if (window_system::is_system_key(virtual_key, state) && virtual_key != VKEY_CONTROL) {
        queue(window, MsgKind::Other);
    } else {
        queue(window, MsgKind::KeyUp, virtual_key);
    }
}

void WindowSystem::text_input(WindowHandle window, std::string_view text) {
    const Window* w = find(window);
    if (w == nullptr || (w->menu_bar && w->menu_bar->is_open())) return;
    for (const char c : text) queue(window, MsgKind::Char, static_cast<unsigned char>(c));
}

void WindowSystem::focus_lost(WindowHandle window) {
    Window* w = find(window);
    if (w == nullptr) return;
    if (w->menu_bar && w->menu_bar->is_open()) {
        w->menu_bar->close();
        present(window);
    }
    queue(window, MsgKind::KillFocus);
}

void WindowSystem::close_window(WindowHandle window) { destroy(window); }

void WindowSystem::exposed(WindowHandle window) {
    Window* w = find(window);
    if (w == nullptr) return;
    w->picture.mark_all();
    w->native.set_view(w->view);  // the surround too
    flush(window);  // the menu strip at once; the client area when it is painted
    invalidate(window);
}

// A resizable window's picture follows the native window; a fixed one's
// stays, placed on whatever the native window became.
void WindowSystem::resized(WindowHandle window, int width, int height) {
    Window* w = find(window);
    if (w == nullptr) return;
    w->native_width = std::max(width, 0);
    w->native_height = std::max(height, 0);
    if (w->style == WindowStyle::Resizable) {
        resize_picture(window, *w, w->native_width / w->scale, w->native_height / w->scale);
    }
    refit(*w);
    present(window);
}

void WindowSystem::touch(WindowHandle window, std::int64_t finger, int x, int y, Touch phase) {
    if (phase == Touch::Down) {
        // A finger on a window since closed lifts with it.
        if (finger_ && find(finger_->window) != nullptr) return;
        finger_ = Finger{window, finger};
    } else if (!finger_ || finger_->window != window || finger_->id != finger) {
        return;
    }
    if (phase == Touch::Move) {
        mouse_move(window, x, y);
        return;
    }
    if (phase == Touch::Up) finger_.reset();
    mouse_button(window, x, y, true, phase == Touch::Down);
}

void WindowSystem::rescaled(WindowHandle window, int scale) {
    Window* w = find(window);
    if (w == nullptr) return;
    w->scale = std::clamp(scale, 1, 16);
    w->native_width = w->picture.width() * w->scale;
    w->native_height = w->picture.height() * w->scale;
    refit(*w);
    present(window);
}

void WindowSystem::resize_window(WindowHandle window, int width, int height) {
    Window* w = find(window);
    if (w == nullptr) return;
    w->native_width = std::max(width, 0) * w->scale;
    w->native_height = std::max(height, 0) * w->scale;
    resize_picture(window, *w, width, height);
    refit(*w);
    present(window);
}

void WindowSystem::resize_picture(WindowHandle window, Window& w, int width, int height) {
    w.picture.resize(width, height, w.menu_bar ? MenuBar::HEIGHT : 0, w.background);
    if (w.menu_bar) w.menu_bar->set_width(w.picture.width());
    send(window, MsgKind::Size);
    invalidate(window);
}

}  // namespace tovik
