// Putting pixels on a window through its window surface: no GPU path.
#pragma once

#include <SDL.h>

#include <cstdint>

namespace tovik::sdl {

// Copies a width x height block of 0x00RRGGBB pixels (rows `stride` pixels
// apart) to the surface with its top left at (x, y), clipped to the surface,
// converting to the surface's pixel format if it differs.
void put_pixels(SDL_Surface& surface, const std::uint32_t* pixels, int stride, int width,
                int height, int x, int y);

}  // namespace tovik::sdl
