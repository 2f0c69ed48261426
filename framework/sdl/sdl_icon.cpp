// The program's icon on an SDL window: on X11 the window's _NET_WM_ICON, which
// task bars, docks and Alt+Tab show.
#include <SDL.h>

#include <cstddef>
#include <vector>

#include "sdl/sdl_platform.h"

namespace tovik::sdl {

void SdlPlatform::set_window_icon(WindowHandle window, int size, const std::uint32_t* pixels) {
    Native* n = native(window);
    if (n == nullptr) return;
    // Opaque ARGB, the format SDL hands the window system, so that no
    // conversion has to guess an alpha the picture does not have.
    std::vector<Uint32> argb(static_cast<std::size_t>(size) * static_cast<std::size_t>(size));
    for (std::size_t i = 0; i < argb.size(); ++i) argb[i] = 0xFF000000u | (pixels[i] & 0xFFFFFFu);
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(argb.data(), size, size, 32, size * 4,
                                                              SDL_PIXELFORMAT_ARGB8888);
    // Without it the window keeps the desktop's default icon: nothing worse.
    if (surface == nullptr) return;
    SDL_SetWindowIcon(n->sdl, surface);  // SDL keeps its own copy
    SDL_FreeSurface(surface);
}

}  // namespace tovik::sdl
