#include "web/web_keys.h"

#include "drawn_menu/virtual_keys.h"
#include "web/web_page.h"

namespace tovik::web {

namespace {
constexpr std::uintptr_t VK_OEM_4 = 219;  // [
constexpr std::uintptr_t VK_OEM_5 = 220;  // backslash
constexpr std::uintptr_t VK_OEM_6 = 221;  // ]
}  // namespace

unsigned typed_character(std::uintptr_t key_code, int code_point, int mods) {
    const bool ctrl = (mods & MOD_CTRL) != 0;
    const bool alt = (mods & MOD_ALT) != 0;
    switch (key_code) {
    case VK_RETURN: return ctrl ? 10 : 13;
    case VK_BACK: return ctrl ? 127 : 8;
    case VK_TAB: return 9;
    case VK_ESCAPE: return 27;
    default: break;
    }
    if (ctrl && !alt) {
        if (key_code >= 'A' && key_code <= 'Z') return static_cast<unsigned>(key_code - 'A' + 1);
        switch (key_code) {
        case VK_OEM_4: return 27;
        case VK_OEM_5: return 28;
        case VK_OEM_6: return 29;
        default: return 0;
        }
    }
    return code_point > 0 && code_point < 256 ? static_cast<unsigned>(code_point) : 0;
}

bool is_system_key(std::uintptr_t key_code, int mods) {
    if ((mods & MOD_CTRL) != 0) return false;
    return (mods & MOD_ALT) != 0 || key_code == VK_F10 || key_code == VK_MENU;
}

}  // namespace tovik::web
