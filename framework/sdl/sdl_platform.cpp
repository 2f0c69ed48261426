#include "sdl/sdl_platform.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "canvas/software_canvas.h"
#include "sdl/sdl_surface.h"
#include "sdl/sdl_x11.h"

namespace tovik::sdl {

SdlPlatform::SdlPlatform() : WindowSystem(SoftwareCanvas::create) {
    // Plain window surfaces where the driver has them (X11): no GPU texture
    // behind them.  Wayland's has none, and SDL then backs the surface with a
    // texture; it decides that once, at the first window's surface.
    const char* driver = SDL_GetCurrentVideoDriver();
    wayland_ = driver != nullptr && std::string_view(driver) == "wayland";
    if (!wayland_) SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    // A click that activates a window is also a click in it, as natively.
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
    // Closing a window is the window's business, not a quit request.
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    // Typed text comes as text events, which SDL's Wayland driver sends only
    // once asked (its X11 driver sends them from the start).
    SDL_StartTextInput();
    x11::watch_destruction();
}

SdlPlatform::~SdlPlatform() {
    for (Native& n : natives_) {
        if (n.sdl != nullptr) SDL_DestroyWindow(n.sdl);
    }
}

SDL_Window* SdlPlatform::sdl_window(WindowHandle window) const {
    return window == 0 || window > natives_.size() ? nullptr : natives_[window - 1].sdl;
}

SdlPlatform::Native* SdlPlatform::native(WindowHandle window) {
    if (window == 0 || window > natives_.size() || natives_[window - 1].sdl == nullptr) return nullptr;
    return &natives_[window - 1];
}

WindowHandle SdlPlatform::handle_of(Uint32 sdl_id) const {
    for (std::size_t i = 0; i < natives_.size(); ++i) {
        if (natives_[i].sdl != nullptr && natives_[i].id == sdl_id) return i + 1;
    }
    return 0;
}

WindowHandle SdlPlatform::handle_of_x_window(unsigned long x_window) const {
    for (std::size_t i = 0; i < natives_.size(); ++i) {
        const Native& n = natives_[i];
        if (n.sdl != nullptr && x_window != 0 && n.x_window == x_window) return i + 1;
    }
    return 0;
}

int SdlPlatform::screen_height() {
    SDL_Rect bounds;
    if (SDL_GetDisplayBounds(0, &bounds) != 0) {
        set_error(SDL_GetError());
        return 0;
    }
    return bounds.h;
}

bool SdlPlatform::open_native(WindowHandle window, NativeWindow& info) {
    Uint32 flags = SDL_WINDOW_HIDDEN;
    if (info.resizable) flags |= SDL_WINDOW_RESIZABLE;
    // On a Wayland output of scale 2 the surface's texture is then drawn into
    // a buffer of twice the size, pixel by pixel (SDL's default scaling is
    // nearest), instead of the compositor blurring a buffer at scale 1.
    if (wayland_) flags |= SDL_WINDOW_ALLOW_HIGHDPI;
    // SDL windows are at least one pixel each way.
    SDL_Window* sdl = SDL_CreateWindow(info.title, info.x, info.y, std::max(info.width, 1),
                                       std::max(info.height, 1), flags);
    if (sdl == nullptr) {
        set_error(SDL_GetError());
        return false;
    }
    // A window whose picture cannot be shown is an error, not an invisible program.
    if (SDL_GetWindowSurface(sdl) == nullptr) {
        set_error(std::string("no surface to show the window's picture on (SDL: ") +
                  SDL_GetError() + ")");
        SDL_DestroyWindow(sdl);
        return false;
    }
    natives_.resize(std::max<std::size_t>(natives_.size(), window));
    natives_[window - 1] = {sdl, SDL_GetWindowID(sdl), x11::adopt_window(sdl)};
    SDL_GetWindowSize(sdl, &info.width, &info.height);
    return true;
}

namespace {

// GDK_SCALE where the user set it; otherwise Xft.dpi against 96 dots per inch.
double x11_desktop_scale() {
    if (const char* gdk = std::getenv("GDK_SCALE"); gdk != nullptr && std::atoi(gdk) > 0) {
        return std::atoi(gdk);
    }
    const double dpi = x11::xft_dpi();
    return dpi > 0 ? dpi / 96.0 : 1.0;
}

}  // namespace

// Asked once: reading Xft.dpi takes a connection of its own, and both windows
// are made at start.  Under Wayland the output's scale is applied after us
// (see open_native), so the picture is put at scale 1.
WindowSystem::DisplayInfo SdlPlatform::display() {
    if (!desktop_scale_) desktop_scale_ = wayland_ ? 1.0 : x11_desktop_scale();
    DisplayInfo info;
    info.scale = *desktop_scale_;
    SDL_Rect usable;
    if (SDL_GetDisplayUsableBounds(0, &usable) == 0) {
        info.usable_width = usable.w;
        info.usable_height = usable.h;
    }
    return info;
}

bool SdlPlatform::full_screen_native(WindowHandle window, bool on) {
    Native* n = native(window);
    return n != nullptr &&
           SDL_SetWindowFullscreen(n->sdl, on ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0) == 0;
}

void SdlPlatform::close_native(WindowHandle window) {
    if (Native* n = native(window); n != nullptr) {
        SDL_DestroyWindow(n->sdl);
        n->sdl = nullptr;
    }
}

void SdlPlatform::show_native(WindowHandle window, bool show) {
    if (Native* n = native(window); n != nullptr) {
        if (show) {
            SDL_ShowWindow(n->sdl);
            // A fixed window says so as the minimum and maximum size once it is
            // a toplevel: tiling compositors (sway) then float it at its size
            // instead of stretching it to a tile.
            if ((SDL_GetWindowFlags(n->sdl) & SDL_WINDOW_RESIZABLE) == 0) {
                int width = 0;
                int height = 0;
                SDL_GetWindowSize(n->sdl, &width, &height);
                SDL_SetWindowMinimumSize(n->sdl, width, height);
                SDL_SetWindowMaximumSize(n->sdl, width, height);
            }
        } else {
            SDL_HideWindow(n->sdl);
        }
    }
}

bool SdlPlatform::poll_native(bool ask) {
    if (ask) SDL_PumpEvents();
    SDL_Event event;
    if (SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) <= 0) return false;
    translate_event(event);
    return true;
}

WindowSystem::Wait SdlPlatform::wait_native(int timeout_ms) {
    const std::uint64_t start = SDL_GetTicks64();
    SDL_Event event;
    // A millisecond more, so that a wait which ends by its time finds the
    // deadline passed whatever the rounding of the clocks.
    const int got =
        timeout_ms < 0 ? SDL_WaitEvent(&event) : SDL_WaitEventTimeout(&event, timeout_ms + 1);
    if (got != 0) {
        translate_event(event);
        return Wait::Event;
    }
    if (timeout_ms >= 0 && SDL_GetTicks64() - start >= static_cast<std::uint64_t>(timeout_ms)) {
        return Wait::Timeout;
    }
    set_error(SDL_GetError());
    std::fprintf(stderr, "tovik: waiting for events failed: %s\n", last_error().c_str());
    return Wait::Broken;
}

// Only the rows that changed go to the screen, unless the window surface no
// longer shows the picture as last put (new, resized, or a failed update).
void SdlPlatform::put_rows(WindowHandle window, const FrameView& picture,
                           std::span<const RowRun> rows) {
    Native* n = native(window);
    if (n == nullptr) return;
    SDL_Surface* surface = SDL_GetWindowSurface(n->sdl);
    if (surface == nullptr) {
        n->surface_current = false;
        return;
    }
    if (!n->surface_current || surface->w != n->surface_width || surface->h != n->surface_height) {
        put_pixels(*surface, picture.pixels, picture.width, picture.width, picture.height, 0, 0);
        n->surface_current = SDL_UpdateWindowSurface(n->sdl) == 0;
    } else {
        rects_.clear();
        for (const RowRun& run : rows) {
            put_pixels(*surface, picture.pixels + static_cast<std::ptrdiff_t>(run.top) * picture.width,
                       picture.width, picture.width, run.count, 0, run.top);
            rects_.push_back({0, run.top, picture.width, run.count});
        }
        n->surface_current =
            SDL_UpdateWindowSurfaceRects(n->sdl, rects_.data(), static_cast<int>(rects_.size())) == 0;
    }
    n->surface_width = surface->w;
    n->surface_height = surface->h;
}

}  // namespace tovik::sdl
