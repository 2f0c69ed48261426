// The program's entry on SDL2: hand the program its command line, and open a
// display and install the platform when the program starts the framework.
#define SDL_MAIN_HANDLED  // our own main, on every system
#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "sdl/sdl_display.h"
#include "sdl/sdl_platform.h"
#include "tovik.h"

namespace {

// Made on first use, so that a program which only answers its command line
// (--help) opens no display.  Not destroyed at std::exit: a lost display ends
// the process that way, and the platform's windows are then beyond reach.
tovik::sdl::SdlPlatform* made_platform = nullptr;

tovik::Platform* open_platform() {
    if (const std::string problem = tovik::sdl::open_display(); !problem.empty()) {
        std::fprintf(stderr, "tovik: cannot open a display: %s\n", problem.c_str());
        std::exit(1);
    }
    made_platform = new tovik::sdl::SdlPlatform;
    return made_platform;
}

// The arguments as one line, as the native entry's command line has them.
std::string command_line(int argc, char** argv) {
    std::string line;
    for (int i = 1; i < argc; ++i) {
        if (i > 1) line += ' ';
        line += argv[i];
    }
    return line;
}

}  // namespace

int main(int argc, char** argv) {
    SDL_SetMainReady();
    tovik::set_platform_maker(open_platform);
    // No instance, no previous instance, shown.
    const int result = game_main(nullptr, nullptr, command_line(argc, argv).c_str(), 1);
    tovik::set_platform(nullptr);
    if (made_platform != nullptr) {
        delete made_platform;
        SDL_Quit();
    }
    return result;
}
