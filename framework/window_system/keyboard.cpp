#include "window_system/keyboard.h"

#include "platform.h"

namespace tovik::window_system {

namespace {

constexpr std::uintptr_t VKEY_OEM_4 = 219;  // [
constexpr std::uintptr_t VKEY_OEM_5 = 220;  // backslash
constexpr std::uintptr_t VKEY_OEM_6 = 221;  // ]

unsigned control_character(std::uintptr_t key, KeyState state) {
    switch (key) {
    case VKEY_RETURN: return state.ctrl ? 10 : 13;
    case VKEY_BACK: return state.ctrl ? 127 : 8;
    case VKEY_TAB: return 9;
    case VKEY_ESCAPE: return 27;
    default: break;
    }
    if (!state.ctrl || state.alt) return 0;
    if (key >= 'A' && key <= 'Z') return static_cast<unsigned>(key - 'A' + 1);
    switch (key) {
    case VKEY_OEM_4: return 27;
    case VKEY_OEM_5: return 28;
    case VKEY_OEM_6: return 29;
    default: return 0;
    }
}

}  // namespace

std::string typed_characters(std::uintptr_t virtual_key, KeyState state, std::string_view text) {
    if (const unsigned control = control_character(virtual_key, state); control != 0) {
        return std::string(1, static_cast<char>(control));
    }
    if (state.ctrl && !state.alt) return {};
    return std::string(text);
}

bool is_system_key(std::uintptr_t virtual_key, KeyState state) {
    if (state.ctrl) return false;
    return state.alt || virtual_key == VKEY_F10 || virtual_key == VKEY_MENU;
}

}  // namespace tovik::window_system
