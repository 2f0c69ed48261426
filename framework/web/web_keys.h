// The characters keys type in the browser, as the other backends type them:
// the page gives each key's code (the platform's virtual-key code) and its text.
#pragma once

#include <cstdint>

namespace tovik::web {

// The 8-bit character a key types, 0 if none: Enter, Backspace, Tab and Esc
// type their control codes, Ctrl with a letter types its control character
// (Ctrl+A types 1) and nothing else; otherwise the key's text if it is one
// character below 256.
unsigned typed_character(std::uintptr_t key_code, int code_point, int mods);

// Alt without Ctrl, Alt itself, and F10 are system keys: they work the menu and
// never reach the window as keys (Ctrl+Alt is AltGr and types normally).
bool is_system_key(std::uintptr_t key_code, int mods);

}  // namespace tovik::web
