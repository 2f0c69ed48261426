// Keyboard translation: SDL key codes to the platform's virtual-key codes and
// to the characters a key types, as the native keyboard translation does.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <string_view>
#include <vector>

#include "drawn_menu/virtual_keys.h"

namespace tovik::sdl {

// The virtual-key code of a key, 0 for a key the platform has no code for.
// Letters follow the layout (as native letter codes do); every other key is
// named by its position.
std::uintptr_t virtual_key(const SDL_Keysym& key);

// The character a key types by itself, without a text event: Enter, Backspace,
// Tab and Esc, and with Ctrl held the control characters (Ctrl+A types 1).
// 0 when the key's character comes from the text it produces, or there is none.
unsigned control_character(const SDL_Keysym& key);

// Alt without Ctrl makes a system key: it never reaches the window as a key
// or a character (Ctrl+Alt is the AltGr of some layouts and types normally).
// F10 is a system key by itself.
bool is_system_key(const SDL_Keysym& key);

// The code points of UTF-8 text that fit in 8 bits, in order; the others are
// dropped, and so is anything that is not well-formed UTF-8.
std::vector<unsigned char> latin1_characters(std::string_view utf8);

}  // namespace tovik::sdl
