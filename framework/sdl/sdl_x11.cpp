#include "sdl/sdl_x11.h"

#include <SDL_syswm.h>

#include <array>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <algorithm>

namespace tovik::sdl::x11 {

#if defined(SDL_VIDEO_DRIVER_X11)

namespace {

using ErrorHandler = int (*)(Display*, XErrorEvent*);
using SetErrorHandler = ErrorHandler (*)(ErrorHandler);
using IoErrorHandler = int (*)(Display*);
using SetIoErrorHandler = IoErrorHandler (*)(IoErrorHandler);

// Written on the main thread, read by the error handler on whichever thread
// Xlib reports an error: append-only, lock-free.
constexpr std::size_t CAPACITY = 64;
std::array<std::atomic<unsigned long>, CAPACITY> ours{};
std::atomic<std::size_t> our_count{0};
std::atomic<ErrorHandler> previous_handler{nullptr};

bool is_ours(unsigned long id) {
    const std::size_t count = our_count.load();
    for (std::size_t i = 0; i < count && i < CAPACITY; ++i) {
        if (ours[i].load() == id) return true;
    }
    return false;
}

int on_x_error(Display* display, XErrorEvent* error) {
    // "No such window" about a window of ours only says that it is gone.
    const bool gone = error->error_code == BadWindow || error->error_code == BadDrawable;
    if (gone && is_ours(error->resourceid)) return 0;
    const ErrorHandler previous = previous_handler.load();
    return previous != nullptr ? previous(display, error) : 0;
}

// The connection to the X server is gone.  Xlib ends the process once this
// returns, so it ends the process itself: exit() runs the framework's exit
// hook, which writes the pending periodic line and closes the script file,
// as the quit path would.  That is safe here: the handler runs on the thread
// that called Xlib, never inside the framework's own file writing, and
// nothing run by exit() talks to the display.
[[noreturn]] int on_x_io_error(Display*) {
    std::fputs("tovik: lost the display (the connection to the X server is broken)\n", stderr);
    std::exit(1);
}

// SDL loads Xlib itself; ask the loaded library rather than link it.
void* find_function(const char* function) {
    for (const char* name : {"libX11.so.6", "libX11.so", "libX11.6.dylib"}) {
        if (void* library = SDL_LoadObject(name); library != nullptr) {
            return SDL_LoadFunction(library, function);
        }
    }
    return nullptr;
}

}  // namespace

void watch_destruction() {
    const char* driver = SDL_GetCurrentVideoDriver();
    if (driver == nullptr || std::strcmp(driver, "x11") != 0) return;
    SDL_EventState(SDL_SYSWMEVENT, SDL_ENABLE);
    static bool installed = false;
    if (installed) return;
    if (const auto set = reinterpret_cast<SetErrorHandler>(find_function("XSetErrorHandler"));
        set != nullptr) {
        previous_handler = set(on_x_error);
        installed = true;
    }
    if (const auto set = reinterpret_cast<SetIoErrorHandler>(find_function("XSetIOErrorHandler"));
        set != nullptr) {
        set(on_x_io_error);
    }
}

unsigned long adopt_window(SDL_Window* window) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (window == nullptr || SDL_GetWindowWMInfo(window, &info) != SDL_TRUE ||
        info.subsystem != SDL_SYSWM_X11) {
        return 0;
    }
    const unsigned long id = info.info.x11.window;
    if (const std::size_t slot = our_count.load(); slot < CAPACITY && !is_ours(id)) {
        ours[slot] = id;
        our_count = slot + 1;
    }
    return id;
}

unsigned long destroyed_window(const SDL_Event& event) {
    if (event.type != SDL_SYSWMEVENT || event.syswm.msg == nullptr ||
        event.syswm.msg->subsystem != SDL_SYSWM_X11) {
        return 0;
    }
    const XEvent& x_event = event.syswm.msg->msg.x11.event;
    return x_event.type == DestroyNotify ? x_event.xdestroywindow.window : 0;
}


double xft_dpi() {
    const char* driver = SDL_GetCurrentVideoDriver();
    if (driver == nullptr || std::strcmp(driver, "x11") != 0) return 0;
    using Open = Display* (*)(const char*);
    using Resources = char* (*)(Display*);
    using Close = int (*)(Display*);
    const auto open = reinterpret_cast<Open>(find_function("XOpenDisplay"));
    const auto resources = reinterpret_cast<Resources>(find_function("XResourceManagerString"));
    const auto close = reinterpret_cast<Close>(find_function("XCloseDisplay"));
    if (open == nullptr || resources == nullptr || close == nullptr) return 0;
    // A connection of our own for one question, before any window is made.
    Display* display = open(nullptr);
    if (display == nullptr) return 0;
    double dpi = 0;
    // Lines of "name:\tvalue"; the setting is "Xft.dpi:\t192".
    if (const char* text = resources(display); text != nullptr) {
        constexpr std::string_view NAME = "Xft.dpi:";
        for (std::string_view rest = text; !rest.empty();) {
            const std::size_t end = std::min(rest.find('\n'), rest.size());
            const std::string_view line = rest.substr(0, end);
            rest.remove_prefix(std::min(end + 1, rest.size()));
            if (line.substr(0, NAME.size()) != NAME) continue;
            const std::string value(line.substr(NAME.size()));
            dpi = std::strtod(value.c_str(), nullptr);
        }
    }
    close(display);
    return dpi > 0 && dpi < 10000 ? dpi : 0;
}

#else

double xft_dpi() { return 0; }
void watch_destruction() {}
unsigned long adopt_window(SDL_Window*) { return 0; }
unsigned long destroyed_window(const SDL_Event&) { return 0; }

#endif

}  // namespace tovik::sdl::x11
