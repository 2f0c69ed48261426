// Translation of the page's events into the platform's messages.
//
// Implements:
//   - keys: KeyDown/KeyUp with the page's key codes, which are the platform's
//     virtual-key codes; the KeyDown carries the character the key types
//     (web_keys.h).  System keys work the menu and are Other to the window.
//   - mouse: a left press in the client area is LButtonDown in client pixels
//     (below the menu strip); other buttons and releases are Other.
//   - the menu: presses in the strip, and every press, motion and key while a
//     drop-down is open, go to the menu and become no message; a chosen item
//     posts Command to its window.  Key releases still reach the window, so
//     that a Ctrl let go over an open drop-down is not held for ever.
//   - focus loss is KillFocus and closes a drop-down; timer ticks raise their
//     timer's flag, so that at most one is pending.
#include <cctype>

#include "drawn_menu/virtual_keys.h"
#include "web/web_keys.h"
#include "web/web_platform.h"

namespace tovik::web {

void WebPlatform::translate(const PageEvent& event) {
    switch (event.kind) {
    case PageEventKind::KeyDown: on_key_down(event); break;
    case PageEventKind::KeyUp: on_key_up(event); break;
    case PageEventKind::MouseDown:
    case PageEventKind::MouseUp: on_mouse(event); break;
    case PageEventKind::MouseMove: on_mouse_move(event); break;
    case PageEventKind::Blur: on_blur(event); break;
    case PageEventKind::Tick: on_tick(event); break;
    case PageEventKind::Report:
        if (report_) report_(event.text);
        break;
    }
}

void WebPlatform::on_key_down(const PageEvent& event) {
    Window* w = find(event.window);
    if (w == nullptr) return;
    const auto vk = static_cast<std::uintptr_t>(event.a);
    const unsigned typed = typed_character(vk, event.b, event.mods);
    if (w->menu && w->menu->is_open()) {
        // A held key repeating must not choose what its first press opened.
        const bool moves = vk == VK_UP || vk == VK_DOWN || vk == VK_LEFT || vk == VK_RIGHT;
        if ((event.mods & MOD_REPEAT) == 0 || moves) apply(event.window, w->menu->key_down(vk, typed));
        return;
    }
    if (is_system_key(vk, event.mods)) {
        if (w->menu) {
            MenuBar::Result result;
            if (vk == VK_F10) {
                result = w->menu->open_by_key(0);
            } else if (vk < 0x80 && std::isalnum(static_cast<int>(vk))) {
                result = w->menu->open_by_key(static_cast<char>(std::tolower(static_cast<int>(vk))));
            }
            if (result.consumed) {
                apply(event.window, result);
                return;
            }
        }
        queue(event.window, MsgKind::Other);
        return;
    }
    queue(event.window, MsgKind::KeyDown, vk, static_cast<std::intptr_t>(typed));
}

void WebPlatform::on_key_up(const PageEvent& event) {
    if (find(event.window) == nullptr) return;
    const auto vk = static_cast<std::uintptr_t>(event.a);
    if (is_system_key(vk, event.mods) && vk != VK_CONTROL) {
        queue(event.window, MsgKind::Other);
    } else {
        queue(event.window, MsgKind::KeyUp, vk);
    }
}

void WebPlatform::on_mouse(const PageEvent& event) {
    Window* w = find(event.window);
    if (w == nullptr) return;
    const bool down = event.kind == PageEventKind::MouseDown;
    const bool left = event.c == 0;
    const int strip = w->strip_height();
    if (w->menu && (w->menu->is_open() || event.b < strip)) {
        MenuBar::Result result = MenuBar::Result::taken();  // other buttons do nothing to the menu
        if (left) result = down ? w->menu->mouse_down(event.a, event.b) : w->menu->mouse_up(event.a, event.b);
        if (result.consumed) {
            apply(event.window, result);
            return;
        }
    }
    if (down && left && event.b >= strip && event.a >= 0 && event.a < w->width && event.b < w->height) {
        queue(event.window, MsgKind::LButtonDown, 0, pack_point(event.a, event.b - strip));
    } else {
        queue(event.window, MsgKind::Other);
    }
}

void WebPlatform::on_mouse_move(const PageEvent& event) {
    Window* w = find(event.window);
    if (w == nullptr) return;
    if (w->menu && w->menu->is_open()) {
        apply(event.window, w->menu->mouse_move(event.a, event.b));
        return;
    }
    queue(event.window, MsgKind::Other);
}

void WebPlatform::on_blur(const PageEvent& event) {
    Window* w = find(event.window);
    if (w == nullptr) return;
    if (w->menu && w->menu->is_open()) {
        w->menu->close();
        present(event.window);
    }
    queue(event.window, MsgKind::KillFocus);
}

void WebPlatform::on_tick(const PageEvent& event) {
    for (Timer& t : timers_) {
        if (t.window == event.window && t.id == static_cast<unsigned>(event.a)) t.due = true;
    }
}

void WebPlatform::apply(WindowHandle window, const MenuBar::Result& result) {
    if (result.command) queue(window, MsgKind::Command, *result.command);
    if (result.redraw) present(window);
}

}  // namespace tovik::web
