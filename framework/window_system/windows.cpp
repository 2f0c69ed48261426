// Windows: classes, creating, destroying, showing, client rectangles, paint,
// and the pictures they show.
#include <algorithm>
#include <chrono>
#include <utility>

#include "window_system/window_system.h"

namespace tovik {

WindowSystem::WindowSystem(window_system::CanvasFactory make_canvas)
    : make_canvas_(std::move(make_canvas)) {}

WindowSystem::~WindowSystem() = default;

std::uint64_t WindowSystem::now_ms() {
    using std::chrono::milliseconds;
    const auto since = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<std::uint64_t>(std::chrono::duration_cast<milliseconds>(since).count());
}

WindowSystem::Window* WindowSystem::find(WindowHandle window) {
    return const_cast<Window*>(std::as_const(*this).find(window));
}

const WindowSystem::Window* WindowSystem::find(WindowHandle window) const {
    const Window* w = window_record(window);
    return w != nullptr && !w->destroyed ? w : nullptr;
}

const WindowSystem::Window* WindowSystem::window_record(WindowHandle window) const {
    return window == 0 || window > windows_.size() ? nullptr : windows_[window - 1].get();
}

const WindowSystem::MenuBar* WindowSystem::menu_bar(WindowHandle window) const {
    const Window* w = find(window);
    return w != nullptr ? w->menu_bar.get() : nullptr;
}

std::intptr_t WindowSystem::send(WindowHandle window, MsgKind kind, std::uintptr_t wparam,
                                 std::intptr_t lparam) {
    const Window* w = find(window);
    if (w == nullptr || w->proc == nullptr) return 0;
    return w->proc(window, kind, wparam, lparam);
}

bool WindowSystem::register_class(const WindowClassInfo& info) {
    if (info.name == nullptr) return false;
    classes_[info.name] = {info.proc, xrgb_of(info.background)};
    return true;
}

WindowHandle WindowSystem::create_window(const WindowInfo& info) {
    const auto found = info.class_name != nullptr ? classes_.find(info.class_name) : classes_.end();
    if (found == classes_.end()) {
        set_error(std::string("no window class \"") +
                  (info.class_name != nullptr ? info.class_name : "") + "\"");
        return 0;
    }
    auto w = std::make_unique<Window>();
    w->class_name = info.class_name;
    w->title = info.title != nullptr ? info.title : "";
    w->style = info.style;
    w->x = info.x;
    w->y = info.y;
    w->outer_width = info.outer_width;
    w->outer_height = info.outer_height;
    w->proc = found->second.proc;
    w->background = found->second.background;
    const int width = std::max(info.outer_width - 2 * NATIVE_FRAME, 0);
    const int height = std::max(info.outer_height - 2 * NATIVE_FRAME - NATIVE_CAPTION, 0);
    const DisplayInfo desktop = display();
    w->scale = window_system::desktop_scale_for(desktop.scale, width, height, desktop.usable_width,
                                                desktop.usable_height);
    NativeWindow native;
    native.title = w->title.c_str();
    native.x = info.x * w->scale;
    native.y = info.y * w->scale;
    native.width = width * w->scale;
    native.height = height * w->scale;
    native.resizable = info.style == WindowStyle::Resizable;
    windows_.push_back(std::move(w));
    const WindowHandle handle = windows_.size();
    if (!open_native(handle, native)) {
        windows_.pop_back();
        return 0;
    }
    // A resizable window's picture is what the native one holds; a fixed one
    // keeps its size whatever the native window was made.
    Window& made = *windows_.back();
    made.native_width = native.width;
    made.native_height = native.height;
    if (made.style == WindowStyle::Resizable) {
        made.picture.resize(native.width / made.scale, native.height / made.scale, 0, made.background);
    } else {
        made.picture.resize(width, height, 0, made.background);
    }
    refit(made);

    send(handle, MsgKind::Create);  // may attach a menu, which takes its strip off the client
    Window* created = find(handle);
    if (created == nullptr) return 0;
    created->created = true;
    send(handle, MsgKind::Size);
    return find(handle) != nullptr ? handle : 0;
}

void WindowSystem::destroy(WindowHandle window) {
    if (find(window) == nullptr) return;
    send(window, MsgKind::Destroy);
    timers_.kill_all(window);
    std::erase_if(queue_, [window](const Message& m) { return m.window == window; });
    Window* w = find(window);  // the handler may have done anything
    if (w == nullptr) return;
    close_native(window);
    w->destroyed = true;
    w->visible = false;
    w->invalid = false;
    w->menu_bar.reset();
    w->picture = {};
}

bool WindowSystem::show_window(WindowHandle window, bool show) {
    Window* w = find(window);
    if (w == nullptr) return false;
    const bool was_visible = w->visible;
    if (show == was_visible) return was_visible;
    w->visible = show;
    show_native(window, show);
    if (show) {
        w->invalid = true;
        w->picture.mark_all();
        w->native.set_view(w->view);
        flush(window);
    } else if (w->menu_bar && w->menu_bar->is_open()) {
        w->menu_bar->close();
        present(window);
    }
    return was_visible;
}

Rect WindowSystem::client_rect(WindowHandle window) {
    const Window* w = find(window);
    if (w == nullptr) return {};
    return {0, 0, w->picture.width(), w->picture.client_height()};
}

void WindowSystem::invalidate(WindowHandle window) {
    if (Window* w = find(window); w != nullptr) w->invalid = true;
}

void WindowSystem::begin_paint(WindowHandle window) {
    if (Window* w = find(window); w != nullptr) w->invalid = false;
}

void WindowSystem::end_paint(WindowHandle) {}

std::intptr_t WindowSystem::default_proc(WindowHandle window, MsgKind kind, std::uintptr_t,
                                         std::intptr_t) {
    // A window that does not paint itself is validated, or it would be asked forever.
    if (kind == MsgKind::Paint) begin_paint(window);
    return 0;
}

std::unique_ptr<Canvas> WindowSystem::create_image(int width, int height) {
    if (width < 0 || height < 0) return nullptr;
    return make_canvas_(width, height);
}

void WindowSystem::copy_image(WindowHandle window, ContextHandle, const Canvas& image, int width,
                              int height) {
    Window* w = find(window);
    if (w == nullptr) return;
    w->picture.copy_client(image, width, height);
    flush(window);
}

void WindowSystem::present(WindowHandle window) {
    Window* w = find(window);
    if (w == nullptr) return;
    w->picture.compose_menu(w->menu_bar.get());
    flush(window);
}

// A hidden window keeps what changed until it is shown, when it is put whole.
void WindowSystem::flush(WindowHandle window) {
    Window* w = find(window);
    if (w == nullptr || !w->visible) return;
    w->picture.take_changed(runs_);
    if (runs_.empty()) return;
    const FrameView picture = w->picture.frame();
    if (window_system::NativeFrame::direct(w->view, picture)) {
        put_rows(window, picture, runs_);
        return;
    }
    w->native.update(picture, runs_, native_runs_);
    if (!native_runs_.empty()) put_rows(window, w->native.frame(), native_runs_);
}

void WindowSystem::refit(Window& w) {
    window_system::View view;
    view.width = w.native_width;
    view.height = w.native_height;
    const int width = w.picture.width();
    const int height = w.picture.height();
    const int fits = window_system::fitting_scale(width, height, view.width, view.height);
    if (w.full_screen) {
        view.scale = fits;
        view.x = std::max(0, (view.width - width * fits) / 2);
        view.y = std::max(0, (view.height - height * fits) / 2);
        view.surround = 0;  // black
    } else {
        view.scale = std::min(w.scale, fits);
        view.surround = w.background;
    }
    if (view == w.view) return;
    w.view = view;
    w.native.set_view(view);
    w.picture.mark_all();
}

bool WindowSystem::to_picture(const Window& w, int& x, int& y) const {
    return window_system::to_picture(w.view, w.picture.width(), w.picture.height(), x, y);
}

bool WindowSystem::set_full_screen(WindowHandle window, bool on) {
    Window* w = find(window);
    if (w == nullptr || w->style != WindowStyle::Fixed) return false;
    if (w->full_screen == on) return true;
    w->full_screen = on;  // before the native change, which may report its size at once
    if (full_screen_native(window, on)) return true;
    if (Window* still = find(window); still != nullptr) still->full_screen = !on;
    return false;
}

}  // namespace tovik
