#include "fake/fake_platform.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#if defined(TOVIK_FAKE_GDI_IMAGES)
#include "win32/gdi_canvas.h"
#else
#include "canvas/software_canvas.h"
#endif

namespace tovik {

FakePlatform::FakePlatform(int screen_height) : screen_height_(screen_height) {}

FakePlatform::~FakePlatform() = default;

// --- scripting -------------------------------------------------------------

void FakePlatform::queue(const Message& message) { queue_.push_back(message); }

void FakePlatform::click(int client_x, int client_y, WindowHandle window) {
    queue({target(window), MsgKind::LButtonDown, 0, pack_point(client_x, client_y)});
}

void FakePlatform::key_down(std::uintptr_t virtual_key, char typed, WindowHandle window) {
    queue({target(window), MsgKind::KeyDown, virtual_key,
           static_cast<std::intptr_t>(static_cast<unsigned char>(typed))});
}

void FakePlatform::key_up(std::uintptr_t virtual_key, WindowHandle window) {
    queue({target(window), MsgKind::KeyUp, virtual_key, 0});
}

void FakePlatform::type_char(unsigned char code, WindowHandle window) {
    queue({target(window), MsgKind::Char, code, 0});
}

void FakePlatform::command(unsigned id) { queue({graphics_window(), MsgKind::Command, id, 0}); }

void FakePlatform::timer(WindowHandle window) {
    queue({target(window), MsgKind::Timer, 2, 0});
}

void FakePlatform::lose_focus(WindowHandle window) {
    queue({target(window), MsgKind::KillFocus, 0, 0});
}

void FakePlatform::close_window(WindowHandle handle) {
    Window& w = window_mut(handle);
    if (w.destroyed) return;
    send(handle, MsgKind::Destroy);
    w.destroyed = true;
    w.visible = false;
    std::erase_if(timers_, [handle](const Timer& t) { return t.window == handle; });
    std::erase_if(queue_, [handle](const Message& m) { return m.window == handle; });
}

void FakePlatform::resize_client(WindowHandle handle, int width, int height) {
    window_mut(handle).client = {0, 0, width, height};
    send(handle, MsgKind::Size);
}

// --- inspection ------------------------------------------------------------

WindowHandle FakePlatform::find_window(std::string_view title) const {
    for (std::size_t i = 0; i < windows_.size(); ++i) {
        if (windows_[i].title == title) return i + 1;
    }
    return 0;
}

WindowHandle FakePlatform::graphics_window() const { return find_window("TOVIK Graphics"); }

const FakePlatform::Window& FakePlatform::window(WindowHandle handle) const {
    if (handle == 0 || handle > windows_.size()) {
        std::fprintf(stderr, "FakePlatform: no window %zu\n", static_cast<std::size_t>(handle));
        std::abort();
    }
    return windows_[handle - 1];
}

FakePlatform::Window& FakePlatform::window_mut(WindowHandle handle) {
    return const_cast<Window&>(window(handle));
}

const std::vector<FakePlatform::MenuItem>& FakePlatform::menu_items(MenuHandle menu) const {
    if (menu == 0 || menu > menus_.size()) {
        std::fprintf(stderr, "FakePlatform: no menu %zu\n", static_cast<std::size_t>(menu));
        std::abort();
    }
    return menus_[menu - 1];
}

bool FakePlatform::timer_running(WindowHandle window, unsigned id) const {
    return std::any_of(timers_.begin(), timers_.end(),
                       [&](const Timer& t) { return t.window == window && t.id == id; });
}

unsigned FakePlatform::timer_period(WindowHandle window, unsigned id) const {
    for (const Timer& t : timers_) {
        if (t.window == window && t.id == id) return t.period_ms;
    }
    return 0;
}

WindowHandle FakePlatform::target(WindowHandle window) const {
    return window != 0 ? window : graphics_window();
}

WindowProc FakePlatform::proc_of(WindowHandle handle) const {
    const auto found = classes_.find(window(handle).class_name);
    return found == classes_.end() ? nullptr : found->second.proc;
}

std::intptr_t FakePlatform::send(WindowHandle handle, MsgKind kind, std::uintptr_t wparam,
                                 std::intptr_t lparam) {
    WindowProc proc = proc_of(handle);
    return proc != nullptr ? proc(handle, kind, wparam, lparam) : 0;
}

// --- windows ---------------------------------------------------------------

bool FakePlatform::register_class(const WindowClassInfo& info) {
    classes_[info.name] = info;
    return true;
}

WindowHandle FakePlatform::create_window(const WindowInfo& info) {
    if (classes_.find(info.class_name) == classes_.end()) {
        last_error_ = std::string("no window class \"") + info.class_name + "\"";
        return 0;
    }
    Window w;
    w.class_name = info.class_name;
    w.title = info.title;
    w.style = info.style;
    w.x = info.x;
    w.y = info.y;
    w.outer_width = info.outer_width;
    w.outer_height = info.outer_height;
    w.client = {0, 0, std::max(0, info.outer_width - 2 * FRAME),
                std::max(0, info.outer_height - 2 * FRAME - CAPTION)};
    windows_.push_back(w);
    const WindowHandle handle = windows_.size();
    send(handle, MsgKind::Create);
    // A menu attached during creation takes its bar out of the client area.
    Window& created = window_mut(handle);
    if (created.menu != 0) created.client.bottom = std::max(0, created.client.bottom - MENU_BAR);
    send(handle, MsgKind::Size);
    return handle;
}

bool FakePlatform::show_window(WindowHandle handle, bool show) {
    Window& w = window_mut(handle);
    if (w.destroyed) return false;
    const bool was_visible = w.visible;
    w.visible = show;
    if (show && !was_visible) w.invalid = true;
    return was_visible;
}

Rect FakePlatform::client_rect(WindowHandle handle) { return window(handle).client; }

void FakePlatform::invalidate(WindowHandle handle) {
    Window& w = window_mut(handle);
    if (!w.destroyed) w.invalid = true;
}

void FakePlatform::begin_paint(WindowHandle handle) {
    Window& w = window_mut(handle);
    w.invalid = false;
    ++w.paints;
}

void FakePlatform::end_paint(WindowHandle) {}

std::intptr_t FakePlatform::default_proc(WindowHandle handle, MsgKind kind, std::uintptr_t,
                                         std::intptr_t) {
    // A window that does not paint itself is validated, or it would be asked forever.
    if (kind == MsgKind::Paint) window_mut(handle).invalid = false;
    return 0;
}

// --- messages --------------------------------------------------------------

bool FakePlatform::get_message(Message& out) {
    for (;;) {
        if (!queue_.empty()) {
            out = queue_.front();
            queue_.pop_front();
            return true;
        }
        if (quit_posted_) {
            quit_posted_ = false;
            return false;
        }
        for (std::size_t i = 0; i < windows_.size(); ++i) {
            const Window& w = windows_[i];
            if (w.invalid && w.visible && !w.destroyed) {
                out = {i + 1, MsgKind::Paint, 0, 0};
                return true;
            }
        }
        if (auto_timer && !timers_.empty()) {
            const Timer& t = timers_[next_timer_++ % timers_.size()];
            out = {t.window, MsgKind::Timer, t.id, 0};
            return true;
        }
        if (!on_idle) break;
        const std::size_t before = queue_.size();
        const bool quit_before = quit_posted_;
        on_idle();
        if (queue_.size() == before && quit_posted_ == quit_before) break;
    }
    std::fprintf(stderr, "FakePlatform: get_message would wait forever: nothing is queued\n");
    std::abort();
}

void FakePlatform::translate_message(const Message& message) {
    if (message.kind == MsgKind::KeyDown && message.lparam != 0) {
        queue_.push_front({message.window, MsgKind::Char,
                           static_cast<std::uintptr_t>(message.lparam & 0xFF), 0});
    }
}

std::intptr_t FakePlatform::dispatch_message(const Message& message) {
    if (message.window == 0 || message.window > windows_.size()) return 0;
    if (window(message.window).destroyed) return 0;
    return send(message.window, message.kind, message.wparam, message.lparam);
}

void FakePlatform::post_message(const Message& message) { queue_.push_back(message); }

void FakePlatform::post_quit(int) { quit_posted_ = true; }

void FakePlatform::set_timer(WindowHandle window, unsigned id, unsigned period_ms) {
    for (Timer& t : timers_) {
        if (t.window == window && t.id == id) {
            t.period_ms = period_ms;
            return;
        }
    }
    timers_.push_back({window, id, period_ms});
}

void FakePlatform::kill_timer(WindowHandle window, unsigned id) {
    std::erase_if(timers_, [&](const Timer& t) { return t.window == window && t.id == id; });
}

// --- menus -----------------------------------------------------------------

MenuHandle FakePlatform::create_menu() {
    menus_.emplace_back();
    return menus_.size();
}

MenuHandle FakePlatform::create_popup_menu() { return create_menu(); }

void FakePlatform::append_menu(MenuHandle menu, std::uint32_t flags, std::uintptr_t id_or_popup,
                               const char* label) {
    menu_items(menu);  // validates the handle
    menus_[menu - 1].push_back({flags, id_or_popup, label != nullptr ? label : ""});
}

void FakePlatform::set_menu(WindowHandle handle, MenuHandle menu) { window_mut(handle).menu = menu; }

void FakePlatform::draw_menu_bar(WindowHandle) {}

void FakePlatform::check_menu_item(MenuHandle menu, unsigned id, bool checked) {
    menu_items(menu);
    for (MenuItem& item : menus_[menu - 1]) {
        if ((item.flags & (MENU_SEPARATOR | MENU_POPUP)) == 0 && item.id_or_popup == id) {
            item.flags = checked ? (item.flags | MENU_CHECKED) : (item.flags & ~MENU_CHECKED);
            return;  // the first item with the id, as the native call does
        }
    }
}

// --- images ----------------------------------------------------------------

ContextHandle FakePlatform::get_dc(WindowHandle window) { return window; }

void FakePlatform::release_dc(WindowHandle, ContextHandle) { ++released_contexts_; }

std::unique_ptr<Canvas> FakePlatform::create_image(int width, int height) {
    if (image_factory) return image_factory(width, height);
#if defined(TOVIK_FAKE_GDI_IMAGES)
    return GdiCanvas::create(width, height);
#else
    return std::make_unique<SoftwareCanvas>(width, height);
#endif
}

void FakePlatform::copy_image(WindowHandle window, ContextHandle, const Canvas& image, int width,
                              int height) {
    ++copies_;
    if (on_copy_image) on_copy_image(window, image, width, height);
}

}  // namespace tovik
