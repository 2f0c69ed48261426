#include "sdl/sdl_surface.h"

#include <algorithm>

namespace tovik::sdl {

void put_pixels(SDL_Surface& surface, const std::uint32_t* pixels, int stride, int width,
                int height, int x, int y) {
    // Clip the block to the surface.
    int src_x = 0;
    int src_y = 0;
    if (x < 0) {
        src_x = -x;
        x = 0;
    }
    if (y < 0) {
        src_y = -y;
        y = 0;
    }
    width = std::min(width - src_x, surface.w - x);
    height = std::min(height - src_y, surface.h - y);
    if (width <= 0 || height <= 0 || pixels == nullptr) return;

    if (SDL_MUSTLOCK(&surface) && SDL_LockSurface(&surface) != 0) return;
    const std::uint32_t* source = pixels + static_cast<std::ptrdiff_t>(src_y) * stride + src_x;
    auto* target = static_cast<std::uint8_t*>(surface.pixels) +
                   static_cast<std::ptrdiff_t>(y) * surface.pitch +
                   static_cast<std::ptrdiff_t>(x) * surface.format->BytesPerPixel;
    // SDL copies rows as they are when the formats agree, and converts otherwise.
    SDL_ConvertPixels(width, height, SDL_PIXELFORMAT_RGB888, source,
                      stride * static_cast<int>(sizeof(std::uint32_t)), surface.format->format,
                      target, surface.pitch);
    if (SDL_MUSTLOCK(&surface)) SDL_UnlockSurface(&surface);
}

}  // namespace tovik::sdl
