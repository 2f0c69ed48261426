// Keyboard translation: SDL key codes to the platform's virtual-key codes, and
// SDL's text to the 8-bit characters the window system takes.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "platform.h"

namespace tovik::sdl {

// The virtual-key code of a key, 0 for a key the platform has no code for.
// Letters follow the layout (as native letter codes do); every other key is
// named by its position.
std::uintptr_t virtual_key(const SDL_Keysym& key);

// The code points of UTF-8 text that fit in 8 bits, in order; the others are
// dropped, and so is anything that is not well-formed UTF-8.
std::string latin1_characters(std::string_view utf8);

}  // namespace tovik::sdl
