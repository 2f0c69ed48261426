// The program's entry on SDL2: open a display, install the platform, run the game.
#define SDL_MAIN_HANDLED  // our own main, on every system
#include <SDL.h>

#include <cstdio>
#include <string>

#include "sdl/sdl_display.h"
#include "sdl/sdl_platform.h"
#include "tovik.h"

int main() {
    SDL_SetMainReady();
    if (const std::string problem = tovik::sdl::open_display(); !problem.empty()) {
        std::fprintf(stderr, "tovik: cannot open a display: %s\n", problem.c_str());
        return 1;
    }
    int result = 0;
    {
        tovik::sdl::SdlPlatform platform;
        tovik::set_platform(&platform);
        // No instance, no previous instance, no command line, shown.
        result = game_main(nullptr, nullptr, "", 1);
        tovik::set_platform(nullptr);
    }
    SDL_Quit();
    return result;
}
