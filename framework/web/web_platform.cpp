#include "web/web_platform.h"

#include <algorithm>
#include <new>

#include "canvas/software_canvas.h"

namespace tovik::web {

namespace {

std::uint32_t to_xrgb(Colour c) { return (red_of(c) << 16) | (green_of(c) << 8) | blue_of(c); }

// 0x00RRGGBB to the canvas's bytes R, G, B, A read as one little-endian word.
std::uint32_t to_rgba(std::uint32_t xrgb) {
    return 0xFF000000u | ((xrgb & 0xFFu) << 16) | (xrgb & 0xFF00u) | ((xrgb >> 16) & 0xFFu);
}

void put(std::vector<std::uint32_t>& frame, int frame_width, int frame_height,
         const std::uint32_t* pixels, int stride, int width, int height, int left, int top) {
    const int x0 = std::max(left, 0);
    const int x1 = std::min(left + width, frame_width);
    for (int y = std::max(top, 0); y < std::min(top + height, frame_height); ++y) {
        const std::uint32_t* src = pixels + static_cast<std::ptrdiff_t>(y - top) * stride - left;
        std::uint32_t* dst = frame.data() + static_cast<std::ptrdiff_t>(y) * frame_width;
        for (int x = x0; x < x1; ++x) dst[x] = to_rgba(src[x]);
    }
}

}  // namespace

const MenuBar* WebPlatform::menu_bar(WindowHandle window) const {
    const Window* w = find(window);
    return w != nullptr ? w->menu.get() : nullptr;
}

WebPlatform::Window* WebPlatform::find(WindowHandle window) {
    return window == 0 || window > windows_.size() ? nullptr : windows_[window - 1].get();
}

const WebPlatform::Window* WebPlatform::find(WindowHandle window) const {
    return window == 0 || window > windows_.size() ? nullptr : windows_[window - 1].get();
}

std::intptr_t WebPlatform::send(WindowHandle window, MsgKind kind, std::uintptr_t wparam,
                                std::intptr_t lparam) {
    const Window* w = find(window);
    if (w == nullptr || w->proc == nullptr) return 0;
    return w->proc(window, kind, wparam, lparam);
}

void WebPlatform::queue(WindowHandle window, MsgKind kind, std::uintptr_t wparam,
                        std::intptr_t lparam) {
    queue_.push_back({window, kind, wparam, lparam});
}

// The client area is the canvas less the menu strip; a new size shows the background.
void WebPlatform::fit_client(Window& w) {
    const std::size_t size = static_cast<std::size_t>(w.width) * static_cast<std::size_t>(w.client_height());
    if (w.client_pixels.size() != size) w.client_pixels.assign(size, w.background);
}

void WebPlatform::present(WindowHandle window) {
    Window* w = find(window);
    if (w == nullptr || !w->visible) return;
    w->frame.resize(static_cast<std::size_t>(w->width) * static_cast<std::size_t>(w->height));
    put(w->frame, w->width, w->height, w->client_pixels.data(), w->width, w->width,
        w->client_height(), 0, w->strip_height());
    if (w->menu) {
        const SoftwareCanvas& bar = w->menu->bar_image();
        put(w->frame, w->width, w->height, bar.data(), bar.stride(), bar.width(), bar.height(), 0, 0);
        if (const SoftwareCanvas* drop = w->menu->drop_image(); drop != nullptr) {
            const Rect at = w->menu->drop_rect();
            put(w->frame, w->width, w->height, drop->data(), drop->stride(), drop->width(),
                drop->height(), at.left, at.top);
        }
    }
    page_.present(window, w->frame.data(), w->width, w->height);
}

// --- windows -----------------------------------------------------------------

bool WebPlatform::register_class(const WindowClassInfo& info) {
    if (info.name == nullptr) return false;
    classes_[info.name] = {info.proc, to_xrgb(info.background)};
    return true;
}

WindowHandle WebPlatform::create_window(const WindowInfo& info) {
    const auto found = info.class_name != nullptr ? classes_.find(info.class_name) : classes_.end();
    if (found == classes_.end()) {
        last_error_ = std::string("no window class \"") +
                      (info.class_name != nullptr ? info.class_name : "") + "\"";
        return 0;
    }
    auto w = std::make_unique<Window>();
    w->proc = found->second.proc;
    w->background = found->second.background;
    w->width = std::max(info.outer_width - 2 * FRAME, 1);
    w->height = std::max(info.outer_height - 2 * FRAME - CAPTION, 1);
    fit_client(*w);
    windows_.push_back(std::move(w));
    const WindowHandle handle = windows_.size();
    page_.create_canvas(handle, info.title != nullptr ? info.title : "", windows_.back()->width,
                        windows_.back()->height);

    send(handle, MsgKind::Create);  // may attach a menu, which takes its strip off the client
    find(handle)->created = true;
    send(handle, MsgKind::Size);
    return handle;
}

bool WebPlatform::show_window(WindowHandle window, bool show) {
    Window* w = find(window);
    if (w == nullptr) return false;
    const bool was_visible = w->visible;
    if (show == was_visible) return was_visible;
    w->visible = show;
    page_.show_canvas(window, show);
    if (show) {
        w->invalid = true;
        present(window);
    } else if (w->menu) {
        w->menu->close();
    }
    return was_visible;
}

Rect WebPlatform::client_rect(WindowHandle window) {
    const Window* w = find(window);
    if (w == nullptr) return {};
    return {0, 0, w->width, w->client_height()};
}

void WebPlatform::invalidate(WindowHandle window) {
    if (Window* w = find(window); w != nullptr) w->invalid = true;
}

void WebPlatform::begin_paint(WindowHandle window) {
    if (Window* w = find(window); w != nullptr) w->invalid = false;
}

void WebPlatform::end_paint(WindowHandle) {}

std::intptr_t WebPlatform::default_proc(WindowHandle window, MsgKind kind, std::uintptr_t,
                                        std::intptr_t) {
    // A window that does not paint itself is validated, or it would be asked forever.
    if (kind == MsgKind::Paint) begin_paint(window);
    return 0;
}

// --- messages ----------------------------------------------------------------

bool WebPlatform::take_tick(Message& out) {
    for (std::size_t n = 0; n < timers_.size(); ++n) {
        Timer& t = timers_[(next_timer_ + n) % timers_.size()];
        if (!t.due) continue;
        t.due = false;
        next_timer_ = (next_timer_ + n + 1) % timers_.size();  // timers take turns
        out = {t.window, MsgKind::Timer, t.id, 0};
        return true;
    }
    return false;
}

bool WebPlatform::get_message(Message& out) {
    for (;;) {
        if (!queue_.empty()) {
            out = queue_.front();
            queue_.pop_front();
            return true;
        }
        if (std::optional<PageEvent> event = page_.take_event()) {
            translate(*event);
            continue;
        }
        if (quit_posted_) {
            quit_posted_ = false;
            return false;
        }
        for (std::size_t i = 0; i < windows_.size(); ++i) {
            const Window* w = windows_[i].get();
            if (w != nullptr && w->invalid && w->visible) {
                out = {i + 1, MsgKind::Paint, 0, 0};
                return true;
            }
        }
        if (take_tick(out)) return true;
        page_.wait_for_event();
    }
}

void WebPlatform::translate_message(const Message& message) {
    if (message.kind == MsgKind::KeyDown && message.lparam != 0) {
        queue_.push_front({message.window, MsgKind::Char,
                           static_cast<std::uintptr_t>(message.lparam & 0xFF), 0});
    }
}

std::intptr_t WebPlatform::dispatch_message(const Message& message) {
    return send(message.window, message.kind, message.wparam, message.lparam);
}

void WebPlatform::post_quit(int) { quit_posted_ = true; }

void WebPlatform::set_timer(WindowHandle window, unsigned id, unsigned period_ms) {
    if (find(window) == nullptr) return;
    kill_timer(window, id);
    timers_.push_back({window, id, false});
    page_.start_timer(window, id, std::max(period_ms, 1u));
}

void WebPlatform::kill_timer(WindowHandle window, unsigned id) {
    const auto before = timers_.size();
    std::erase_if(timers_, [&](const Timer& t) { return t.window == window && t.id == id; });
    if (timers_.size() != before) page_.stop_timer(window, id);
    if (next_timer_ >= timers_.size()) next_timer_ = 0;
}

// --- menus -------------------------------------------------------------------

void WebPlatform::append_menu(MenuHandle menu, std::uint32_t flags, std::uintptr_t id_or_popup,
                              const char* label) {
    menus_.append(menu, flags, id_or_popup, label);
}

void WebPlatform::set_menu(WindowHandle window, MenuHandle menu) {
    Window* w = find(window);
    if (w == nullptr) return;
    if (menus_.valid(menu)) {
        w->menu = std::make_unique<MenuBar>(menus_, menu, w->width);
    } else {
        w->menu.reset();
    }
    fit_client(*w);
    if (w->created) {
        send(window, MsgKind::Size);
        invalidate(window);
    }
    present(window);
}

void WebPlatform::draw_menu_bar(WindowHandle window) {
    Window* w = find(window);
    if (w == nullptr || !w->menu) return;
    w->menu->refresh();
    present(window);
}

void WebPlatform::check_menu_item(MenuHandle menu, unsigned id, bool checked) {
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

std::unique_ptr<Canvas> WebPlatform::create_image(int width, int height) {
    if (width < 0 || height < 0) return nullptr;
    try {
        return std::make_unique<SoftwareCanvas>(width, height);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

void WebPlatform::copy_image(WindowHandle window, ContextHandle, const Canvas& image, int width,
                             int height) {
    Window* w = find(window);
    if (w == nullptr) return;
    width = std::min({width, image.width(), w->width});
    height = std::min({height, image.height(), w->client_height()});
    if (width <= 0 || height <= 0) return;
    const auto* software = dynamic_cast<const SoftwareCanvas*>(&image);
    for (int y = 0; y < height; ++y) {
        std::uint32_t* row = w->client_pixels.data() + static_cast<std::ptrdiff_t>(y) * w->width;
        if (software != nullptr) {
            std::copy_n(software->data() + static_cast<std::ptrdiff_t>(y) * software->stride(), width, row);
        } else {
            for (int x = 0; x < width; ++x) row[x] = to_xrgb(image.pixel(x, y));
        }
    }
    present(window);
}

}  // namespace tovik::web
