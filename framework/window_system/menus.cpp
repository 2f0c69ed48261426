// The platform's menu calls on the drawn menus.
#include "window_system/window_system.h"

namespace tovik {

MenuHandle WindowSystem::create_menu() { return menus_.create(); }

MenuHandle WindowSystem::create_popup_menu() { return menus_.create(); }

void WindowSystem::append_menu(MenuHandle menu, std::uint32_t flags, std::uintptr_t id_or_popup,
                               const char* label) {
    menus_.append(menu, flags, id_or_popup, label);
}

void WindowSystem::set_menu(WindowHandle window, MenuHandle menu) {
    Window* w = find(window);
    if (w == nullptr) return;
    window_system::Picture& picture = w->picture;
    if (menus_.valid(menu)) {
        w->menu = menu;
        w->menu_bar = std::make_unique<MenuBar>(menus_, menu, picture.width(), make_canvas_);
    } else {
        w->menu = 0;
        w->menu_bar.reset();
    }
    picture.resize(picture.width(), picture.height(), w->menu_bar ? MenuBar::HEIGHT : 0,
                   w->background);
    if (w->created) {
        send(window, MsgKind::Size);
        invalidate(window);
    }
    present(window);
}

void WindowSystem::draw_menu_bar(WindowHandle window) {
    Window* w = find(window);
    if (w == nullptr || !w->menu_bar) return;
    w->menu_bar->refresh();
    present(window);
}

void WindowSystem::check_menu_item(MenuHandle menu, unsigned id, bool checked) {
    if (!menus_.check(menu, id, checked)) return;
    // An open drop-down shows the change at once.
    for (std::size_t i = 0; i < windows_.size(); ++i) {
        Window* w = find(i + 1);
        if (w != nullptr && w->menu_bar && w->menu_bar->is_open()) {
            w->menu_bar->refresh();
            present(i + 1);
        }
    }
}

}  // namespace tovik
