#include "sdl/sdl_display.h"

#include <SDL.h>

#include <cstdlib>
#include <string_view>

namespace tovik::sdl {

namespace {

bool is_set(const char* variable) {
    const char* value = std::getenv(variable);
    return value != nullptr && *value != '\0';
}

bool shows_nothing(std::string_view driver) {
    return driver == "offscreen" || driver == "dummy" || driver == "evdev";
}

// Without XDG_RUNTIME_DIR the Wayland library can only reach a compositor
// named by an absolute WAYLAND_DISPLAY; trying anyway only makes it print
// complaints of its own.
bool wayland_reachable() {
    if (is_set("XDG_RUNTIME_DIR")) return true;
    const char* display = std::getenv("WAYLAND_DISPLAY");
    return display != nullptr && display[0] == '/';
}

// The message is one line, whatever the environment holds.
std::string one_line(std::string text) {
    for (char& c : text) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '?';
    }
    return text;
}

std::string display_drivers() {
    std::string list;
    for (int i = 0; i < SDL_GetNumVideoDrivers(); ++i) {
        const std::string_view driver = SDL_GetVideoDriver(i);
        if (shows_nothing(driver)) continue;
        if (driver == "wayland" && !wayland_reachable()) continue;
        if (!list.empty()) list += ',';
        list += driver;
    }
    return list;
}

}  // namespace

std::string open_display() {
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");  // the platform turns signals into a quit
    // A window program lets the screen saver be, as native ones do.
    SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "1");
    if (!is_set("SDL_VIDEODRIVER")) {
        const std::string drivers = display_drivers();
        if (drivers.empty()) return "this SDL has no video driver for a display";
        SDL_SetHint(SDL_HINT_VIDEODRIVER, drivers.c_str());
    }
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_TIMER) == 0) return {};
    const std::string why = std::string(" (SDL: ") + SDL_GetError() + ")";
    std::string where;
    for (const char* variable : {"DISPLAY", "WAYLAND_DISPLAY"}) {
        if (!is_set(variable)) continue;
        where += where.empty() ? " at " : " or at ";
        where += std::string(variable) + "=" + std::getenv(variable);
    }
    if (where.empty()) return one_line("neither DISPLAY nor WAYLAND_DISPLAY is set" + why);
    return one_line("no display answers" + where + why);
}

}  // namespace tovik::sdl
