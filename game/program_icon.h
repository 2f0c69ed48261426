// The program's icon, drawn at build time by the game's own figures (the
// tool icon_pixels, from the picture of the installed icons) and embedded in
// the program, which hands it to the framework.
#pragma once

#include <cstdint>

extern const std::int32_t program_icon_size;
extern const std::uint32_t program_icon_pixels[];
