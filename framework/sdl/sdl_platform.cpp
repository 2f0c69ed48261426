// The platform on SDL2.
//
// Implements:
//   - windows: the outer size less the native frame (3) and caption (23) is the
//     SDL window; a window with a menu shows a 20-pixel menu strip above its
//     client area, so the 601 x 540 graphics window has a 595 x 491 client area
//     in a 595 x 511 SDL window.  Windows start hidden; Create, then Size, reach
//     the handler before create_window returns; resizes send Size.
//   - messages in the native order: posted and input messages, then the quit
//     request, then one Paint per invalidated window, then timer ticks.
//     get_message blocks in SDL's wait for events, until the next timer is
//     due, and uses no processor time while nothing happens.  Input
//     translation lives in sdl_events.cpp.
//   - the close box destroys its window (Destroy reaches the handler), and so
//     does another client destroying it on X11 (sdl_x11.h); SIGINT, SIGTERM
//     and SDL's own quit event post the quit request.
//   - timers (sdl_timers.h), menus drawn by the backend (sdl_menu_bar.h),
//     images on the software canvas copied through the window surface.
// Known limits:
//   - window positions are those of the client area where the window manager
//     allows it; decorations are the window manager's.
//   - drop-downs inside drop-downs are not supported (they show greyed); menu
//     items directly on the bar are shown but do nothing.
//   - the drop-down is drawn inside its window and clipped to it.
#include "sdl/sdl_platform.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <new>

#include "canvas/software_canvas.h"
#include "sdl/sdl_surface.h"
#include "sdl/sdl_x11.h"

namespace tovik::sdl {

namespace {

std::uint32_t to_xrgb(Colour c) { return (red_of(c) << 16) | (green_of(c) << 8) | blue_of(c); }

}  // namespace

SdlPlatform::SdlPlatform() {
    // Plain window surfaces: no GPU texture behind them.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    // A click that activates a window is also a click in it, as natively.
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
    // Closing a window is the window's business, not a quit request.
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    x11::watch_destruction();
}

SdlPlatform::~SdlPlatform() {
    timers_.clear();
    for (std::unique_ptr<Window>& w : windows_) {
        if (!w) continue;
        SDL_DestroyWindow(w->sdl);
        w.reset();
    }
}

SDL_Window* SdlPlatform::sdl_window(WindowHandle window) const {
    const Window* w = find(window);
    return w != nullptr ? w->sdl : nullptr;
}

const MenuBar* SdlPlatform::menu_bar(WindowHandle window) const {
    const Window* w = find(window);
    return w != nullptr ? w->menu.get() : nullptr;
}

// --- window bookkeeping ------------------------------------------------------

SdlPlatform::Window* SdlPlatform::find(WindowHandle window) {
    return window == 0 || window > windows_.size() ? nullptr : windows_[window - 1].get();
}

const SdlPlatform::Window* SdlPlatform::find(WindowHandle window) const {
    return window == 0 || window > windows_.size() ? nullptr : windows_[window - 1].get();
}

WindowHandle SdlPlatform::handle_of(Uint32 sdl_id) const {
    for (std::size_t i = 0; i < windows_.size(); ++i) {
        if (windows_[i] && windows_[i]->sdl_id == sdl_id) return i + 1;
    }
    return 0;
}

WindowHandle SdlPlatform::handle_of_x_window(unsigned long x_window) const {
    for (std::size_t i = 0; i < windows_.size(); ++i) {
        if (windows_[i] && x_window != 0 && windows_[i]->x_window == x_window) return i + 1;
    }
    return 0;
}

std::intptr_t SdlPlatform::send(WindowHandle window, MsgKind kind, std::uintptr_t wparam,
                                std::intptr_t lparam) {
    const Window* w = find(window);
    if (w == nullptr || w->proc == nullptr) return 0;
    return w->proc(window, kind, wparam, lparam);
}

void SdlPlatform::queue(WindowHandle window, MsgKind kind, std::uintptr_t wparam,
                        std::intptr_t lparam) {
    queue_.push_back({window, kind, wparam, lparam});
}

// Takes the client size from the SDL window less the menu strip; the part of
// the kept picture that still fits stays, the rest shows the background.
void SdlPlatform::resize_client(Window& w, int width, int height) {
    width = std::max(width, 0);
    height = std::max(height - w.strip_height(), 0);
    if (width == w.client_width && height == w.client_height) return;
    w.surface_current = false;
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height),
                                      w.background);
    const int keep_width = std::min(width, w.client_width);
    const int keep_height = std::min(height, w.client_height);
    for (int y = 0; y < keep_height; ++y) {
        std::copy_n(w.client_pixels.begin() + static_cast<std::ptrdiff_t>(y) * w.client_width,
                    keep_width, pixels.begin() + static_cast<std::ptrdiff_t>(y) * width);
    }
    w.client_pixels = std::move(pixels);
    w.client_width = width;
    w.client_height = height;
}

void SdlPlatform::destroy(WindowHandle window) {
    Window* w = find(window);
    if (w == nullptr) return;
    send(window, MsgKind::Destroy);
    timers_.kill_all(window);
    std::erase_if(queue_, [window](const Message& m) { return m.window == window; });
    w = find(window);  // the handler may have done anything
    if (w == nullptr) return;
    SDL_DestroyWindow(w->sdl);
    windows_[window - 1].reset();
}

// Shows the window's kept picture, its menu bar and any open drop-down.  A
// hidden window shows nothing, and showing it presents it whole: each copy to
// the screen costs about as much as drawing a frame.
void SdlPlatform::present(WindowHandle window) {
    Window* w = find(window);
    if (w == nullptr) return;
    w->surface_current = false;
    if (!w->visible) return;
    SDL_Surface* surface = SDL_GetWindowSurface(w->sdl);
    if (surface == nullptr) return;
    put_pixels(*surface, w->client_pixels.data(), w->client_width, w->client_width,
               w->client_height, 0, w->strip_height());
    bool covered = false;
    if (w->menu) {
        const SoftwareCanvas& bar = w->menu->bar_image();
        put_pixels(*surface, bar.data(), bar.stride(), bar.width(), bar.height(), 0, 0);
        if (const SoftwareCanvas* drop = w->menu->drop_image(); drop != nullptr) {
            const Rect at = w->menu->drop_rect();
            put_pixels(*surface, drop->data(), drop->stride(), drop->width(), drop->height(),
                       at.left, at.top);
            covered = true;
        }
    }
    if (SDL_UpdateWindowSurface(w->sdl) != 0) return;
    w->surface_current = !covered;
    w->surface_width = surface->w;
    w->surface_height = surface->h;
}

// The rows of the picture that differ from the kept one, put into the kept
// picture and the window surface, the rest left as it is: from one frame to
// the next the game changes a few hundred pixels.  False, with nothing done,
// when the surface does not show the kept picture as it is.
bool SdlPlatform::copy_changed_rows(Window& w, const std::uint32_t* pixels, int stride, int width,
                                    int height) {
    if (!w.surface_current || !w.visible) return false;
    SDL_Surface* surface = SDL_GetWindowSurface(w.sdl);
    if (surface == nullptr || surface->w != w.surface_width || surface->h != w.surface_height) {
        return false;
    }
    std::vector<SDL_Rect>& changed = changed_rows_;
    changed.clear();
    const auto row_bytes = static_cast<std::size_t>(width) * sizeof(std::uint32_t);
    for (int y = 0; y < height; ++y) {
        const std::uint32_t* source = pixels + static_cast<std::ptrdiff_t>(y) * stride;
        std::uint32_t* kept =
            w.client_pixels.data() + static_cast<std::ptrdiff_t>(y) * w.client_width;
        if (std::memcmp(source, kept, row_bytes) == 0) continue;
        std::memcpy(kept, source, row_bytes);
        if (!changed.empty() && changed.back().y + changed.back().h == w.strip_height() + y) {
            ++changed.back().h;  // runs of rows go to the screen as one block
        } else {
            changed.push_back({0, w.strip_height() + y, width, 1});
        }
    }
    for (const SDL_Rect& r : changed) {
        const std::ptrdiff_t first_row = r.y - w.strip_height();
        put_pixels(*surface, w.client_pixels.data() + first_row * w.client_width, w.client_width,
                   r.w, r.h, r.x, r.y);
    }
    if (!changed.empty() &&
        SDL_UpdateWindowSurfaceRects(w.sdl, changed.data(), static_cast<int>(changed.size())) != 0) {
        w.surface_current = false;
    }
    return true;
}

// --- windows -----------------------------------------------------------------

bool SdlPlatform::register_class(const WindowClassInfo& info) {
    if (info.name == nullptr) return false;
    classes_[info.name] = {info.proc, to_xrgb(info.background)};
    return true;
}

WindowHandle SdlPlatform::create_window(const WindowInfo& info) {
    const auto found =
        info.class_name != nullptr ? classes_.find(info.class_name) : classes_.end();
    if (found == classes_.end()) {
        last_error_ = std::string("no window class \"") +
                      (info.class_name != nullptr ? info.class_name : "") + "\"";
        return 0;
    }
    // SDL windows are at least one pixel each way.
    const int width = std::max(info.outer_width - 2 * FRAME, 1);
    const int height = std::max(info.outer_height - 2 * FRAME - CAPTION, 1);
    Uint32 flags = SDL_WINDOW_HIDDEN;
    if (info.style == WindowStyle::Resizable) flags |= SDL_WINDOW_RESIZABLE;
    SDL_Window* sdl = SDL_CreateWindow(info.title != nullptr ? info.title : "", info.x, info.y,
                                       width, height, flags);
    if (sdl == nullptr) {
        last_error_ = SDL_GetError();
        return 0;
    }

    auto w = std::make_unique<Window>();
    w->sdl = sdl;
    w->sdl_id = SDL_GetWindowID(sdl);
    w->x_window = x11::adopt_window(sdl);
    w->proc = found->second.proc;
    w->background = found->second.background;
    int actual_width = 0;
    int actual_height = 0;
    SDL_GetWindowSize(sdl, &actual_width, &actual_height);
    resize_client(*w, actual_width, actual_height);
    windows_.push_back(std::move(w));
    const WindowHandle handle = windows_.size();

    send(handle, MsgKind::Create);  // may attach a menu, which takes its strip off the client
    Window* created = find(handle);
    if (created == nullptr) return 0;
    created->created = true;
    send(handle, MsgKind::Size);
    return find(handle) != nullptr ? handle : 0;
}

bool SdlPlatform::show_window(WindowHandle window, bool show) {
    Window* w = find(window);
    if (w == nullptr) return false;
    const bool was_visible = w->visible;
    if (show == was_visible) return was_visible;
    w->visible = show;
    if (show) {
        SDL_ShowWindow(w->sdl);
        w->invalid = true;
        present(window);
    } else {
        if (w->menu) w->menu->close();
        SDL_HideWindow(w->sdl);
    }
    return was_visible;
}

Rect SdlPlatform::client_rect(WindowHandle window) {
    const Window* w = find(window);
    if (w == nullptr) return {};
    return {0, 0, w->client_width, w->client_height};
}

void SdlPlatform::invalidate(WindowHandle window) {
    if (Window* w = find(window); w != nullptr) w->invalid = true;
}

void SdlPlatform::begin_paint(WindowHandle window) {
    if (Window* w = find(window); w != nullptr) {
        w->invalid = false;
        w->surface_current = false;  // a paint shows the whole picture again
    }
}

void SdlPlatform::end_paint(WindowHandle) {}

int SdlPlatform::screen_height() {
    SDL_Rect bounds;
    if (SDL_GetDisplayBounds(0, &bounds) != 0) {
        last_error_ = SDL_GetError();
        return 0;
    }
    return bounds.h;
}

std::intptr_t SdlPlatform::default_proc(WindowHandle window, MsgKind kind, std::uintptr_t,
                                        std::intptr_t) {
    // A window that does not paint itself is validated, or it would be asked forever.
    if (kind == MsgKind::Paint) begin_paint(window);
    return 0;
}

// --- messages ----------------------------------------------------------------

bool SdlPlatform::get_message(Message& out) {
    // Input comes before what the platform makes itself (quit, paint, timer),
    // so the window system is asked for news before one of those is handed
    // out: unless a wait has just done so, or slept its whole time, which says
    // that nothing came.  Asking costs a few system calls; a tick needs none.
    bool up_to_date = false;
    for (;;) {
        if (!queue_.empty()) {
            out = queue_.front();
            queue_.pop_front();
            return true;
        }
        SDL_Event event;
        if (SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) > 0) {
            translate_event(event);
            continue;
        }
        const std::uint64_t now = SDL_GetTicks64();
        const int sleep = timers_.sleep_ms(now);
        const WindowHandle to_paint = window_to_paint();
        if (!up_to_date && (quit_posted_ || to_paint != 0 || sleep == 0)) {
            SDL_PumpEvents();
            up_to_date = true;
            continue;
        }
        if (quit_posted_) {
            quit_posted_ = false;
            return false;
        }
        if (to_paint != 0) {
            out = {to_paint, MsgKind::Paint, 0, 0};
            return true;
        }
        if (const std::optional<Timers::Tick> tick = timers_.take_tick(now)) {
            out = {tick->window, MsgKind::Timer, tick->id, 0};
            return true;
        }
        // Asleep until an event or the nearest deadline, and a millisecond
        // more, so that a wait which ends by its time finds the timer due
        // whatever the rounding of the clocks.
        const int got = sleep < 0 ? SDL_WaitEvent(&event) : SDL_WaitEventTimeout(&event, sleep + 1);
        up_to_date = true;
        if (got == 0) {
            if (sleep >= 0 && SDL_GetTicks64() - now >= static_cast<std::uint64_t>(sleep)) continue;
            // Nothing more can come; end the way a quit does, so that nothing is lost.
            last_error_ = SDL_GetError();
            std::fprintf(stderr, "tovik: waiting for events failed: %s\n", last_error_.c_str());
            return false;
        }
        translate_event(event);
    }
}

// The first shown window that asks to be painted, 0 if none.
WindowHandle SdlPlatform::window_to_paint() const {
    for (std::size_t i = 0; i < windows_.size(); ++i) {
        const Window* w = windows_[i].get();
        if (w != nullptr && w->invalid && w->visible) return i + 1;
    }
    return 0;
}

void SdlPlatform::translate_message(const Message& message) {
    if (message.kind == MsgKind::KeyDown && message.lparam != 0) {
        queue_.push_front({message.window, MsgKind::Char,
                           static_cast<std::uintptr_t>(message.lparam & 0xFF), 0});
    }
}

std::intptr_t SdlPlatform::dispatch_message(const Message& message) {
    return send(message.window, message.kind, message.wparam, message.lparam);
}

void SdlPlatform::post_message(const Message& message) { queue_.push_back(message); }

void SdlPlatform::post_quit(int) { quit_posted_ = true; }

void SdlPlatform::set_timer(WindowHandle window, unsigned id, unsigned period_ms) {
    if (find(window) == nullptr) return;
    timers_.set(window, id, period_ms, SDL_GetTicks64());
}

void SdlPlatform::kill_timer(WindowHandle window, unsigned id) { timers_.kill(window, id); }

// --- menus -------------------------------------------------------------------

MenuHandle SdlPlatform::create_menu() { return menus_.create(); }

MenuHandle SdlPlatform::create_popup_menu() { return menus_.create(); }

void SdlPlatform::append_menu(MenuHandle menu, std::uint32_t flags, std::uintptr_t id_or_popup,
                              const char* label) {
    menus_.append(menu, flags, id_or_popup, label);
}

void SdlPlatform::set_menu(WindowHandle window, MenuHandle menu) {
    Window* w = find(window);
    if (w == nullptr) return;
    int width = 0;
    int height = 0;
    SDL_GetWindowSize(w->sdl, &width, &height);
    if (menus_.valid(menu)) {
        w->menu = std::make_unique<MenuBar>(menus_, menu, width);
    } else {
        w->menu.reset();
    }
    resize_client(*w, width, height);
    if (w->created) {
        send(window, MsgKind::Size);
        invalidate(window);
    }
    present(window);
}

void SdlPlatform::draw_menu_bar(WindowHandle window) {
    Window* w = find(window);
    if (w == nullptr || !w->menu) return;
    w->menu->refresh();
    present(window);
}

void SdlPlatform::check_menu_item(MenuHandle menu, unsigned id, bool checked) {
    if (!menus_.check(menu, id, checked)) return;
    // An open drop-down shows the change at once.
    for (std::size_t i = 0; i < windows_.size(); ++i) {
        Window* w = windows_[i].get();
        if (w != nullptr && w->menu && w->menu->is_open()) {
            w->menu->refresh();
            present(i + 1);
        }
    }
}

// --- images ------------------------------------------------------------------

ContextHandle SdlPlatform::get_dc(WindowHandle window) { return window; }

void SdlPlatform::release_dc(WindowHandle, ContextHandle) {}

std::unique_ptr<Canvas> SdlPlatform::create_image(int width, int height) {
    if (width < 0 || height < 0) return nullptr;
    try {
        return std::make_unique<SoftwareCanvas>(width, height);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

void SdlPlatform::copy_image(WindowHandle window, ContextHandle, const Canvas& image, int width,
                             int height) {
    Window* w = find(window);
    if (w == nullptr) return;
    width = std::min({width, image.width(), w->client_width});
    height = std::min({height, image.height(), w->client_height});
    if (width <= 0 || height <= 0) return;
    const auto* software = dynamic_cast<const SoftwareCanvas*>(&image);
    if (software != nullptr &&
        copy_changed_rows(*w, software->data(), software->stride(), width, height)) {
        return;
    }
    for (int y = 0; y < height; ++y) {
        std::uint32_t* row = w->client_pixels.data() + static_cast<std::ptrdiff_t>(y) * w->client_width;
        if (software != nullptr) {
            std::copy_n(software->data() + static_cast<std::ptrdiff_t>(y) * software->stride(), width,
                        row);
        } else {
            for (int x = 0; x < width; ++x) row[x] = to_xrgb(image.pixel(x, y));
        }
    }
    present(window);
}

}  // namespace tovik::sdl
