// What the native keyboard translation makes of a key: the characters it
// types and whether it is a system key, from its virtual-key code, the
// modifiers held and the text the native keyboard gave it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tovik::window_system {

struct KeyState {
    bool ctrl = false;
    bool alt = false;
    bool repeat = false;  // the key is held and repeating
};

// The 8-bit characters the key types, first the key's own: Enter, Backspace,
// Tab and Esc type their control codes, and with Ctrl alone a letter types its
// control character (Ctrl+A types 1) and other keys nothing; otherwise the
// key's text.  Ctrl with Alt is AltGr on many layouts: it types its text.
std::string typed_characters(std::uintptr_t virtual_key, KeyState state, std::string_view text);

// Alt without Ctrl, Alt itself, and F10 make system keys: they work the menu
// and never reach the window as keys or characters.
bool is_system_key(std::uintptr_t virtual_key, KeyState state);

}  // namespace tovik::window_system
