// Win32 backend: menus.
//
// Implements: CreateMenu, CreatePopupMenu, AppendMenuA (MF_STRING, MF_CHECKED,
// MF_GRAYED, MF_SEPARATOR, MF_POPUP), SetMenu, DrawMenuBar, CheckMenuItem by
// command id.
// Known limits: none beyond the native menus' own.
#include "win32/win32_platform.h"

namespace tovik {

using win32::hmenu_of;
using win32::hwnd_of;

MenuHandle Win32Platform::create_menu() { return reinterpret_cast<MenuHandle>(CreateMenu()); }

MenuHandle Win32Platform::create_popup_menu() {
    return reinterpret_cast<MenuHandle>(CreatePopupMenu());
}

void Win32Platform::append_menu(MenuHandle menu, std::uint32_t flags, std::uintptr_t id_or_popup,
                                const char* label) {
    UINT native = MF_STRING;
    if ((flags & MENU_SEPARATOR) != 0) {
        native = MF_SEPARATOR;
    } else {
        if ((flags & MENU_CHECKED) != 0) native |= MF_CHECKED;
        if ((flags & MENU_GRAYED) != 0) native |= MF_GRAYED;
        if ((flags & MENU_POPUP) != 0) native |= MF_POPUP;
    }
    AppendMenuA(hmenu_of(menu), native, id_or_popup, label);
}

void Win32Platform::set_menu(WindowHandle window, MenuHandle menu) {
    SetMenu(hwnd_of(window), hmenu_of(menu));
}

void Win32Platform::draw_menu_bar(WindowHandle window) { DrawMenuBar(hwnd_of(window)); }

void Win32Platform::check_menu_item(MenuHandle menu, unsigned id, bool checked) {
    CheckMenuItem(hmenu_of(menu), id, MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

}  // namespace tovik
