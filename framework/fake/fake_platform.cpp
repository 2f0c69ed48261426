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

namespace {

std::unique_ptr<Canvas> make_canvas(int width, int height) {
#if defined(TOVIK_FAKE_GDI_IMAGES)
    return GdiCanvas::create(width, height);
#else
    return SoftwareCanvas::create(width, height);
#endif
}

}  // namespace

FakePlatform::FakePlatform(int screen_height)
    : WindowSystem(make_canvas), screen_height_(screen_height) {}

FakePlatform::~FakePlatform() = default;

// --- scripting -------------------------------------------------------------

WindowHandle FakePlatform::target(WindowHandle window) const {
    return window != 0 ? window : graphics_window();
}

// At the middle of the native pixels that show the client pixel.
void FakePlatform::click(int client_x, int client_y, WindowHandle window) {
    const WindowHandle at = target(window);
    const Window* w = find(at);
    if (w == nullptr) return;
    const int scale = w->view.scale;
    mouse_button(at, w->view.x + client_x * scale + scale / 2,
                 w->view.y + (client_y + w->picture.strip()) * scale + scale / 2, true, true);
}

void FakePlatform::key_down(std::uintptr_t virtual_key, char typed, WindowHandle window) {
    WindowSystem::key_down(target(window), virtual_key, {},
                           typed != 0 ? std::string_view(&typed, 1) : std::string_view());
}

void FakePlatform::key_up(std::uintptr_t virtual_key, WindowHandle window) {
    WindowSystem::key_up(target(window), virtual_key, {});
}

void FakePlatform::type_char(unsigned char code, WindowHandle window) {
    const char text = static_cast<char>(code);
    text_input(target(window), std::string_view(&text, 1));
}

void FakePlatform::command(unsigned id) { post_message({graphics_window(), MsgKind::Command, id, 0}); }

void FakePlatform::timer(WindowHandle window) { post_message({target(window), MsgKind::Timer, 2, 0}); }

void FakePlatform::lose_focus(WindowHandle window) { focus_lost(target(window)); }

void FakePlatform::resize_client(WindowHandle window, int width, int height) {
    const Window* w = find(window);
    if (w != nullptr) resize_window(window, width, height + w->picture.strip());
}

bool FakePlatform::full_screen_native(WindowHandle window, bool on) {
    const Window* w = find(window);
    if (w == nullptr) return false;
    if (on) {
        resized(window, screen_width, screen_height_);
    } else {
        resized(window, w->picture.width() * w->scale, w->picture.height() * w->scale);
    }
    return true;
}

// --- inspection ------------------------------------------------------------

WindowHandle FakePlatform::find_window(std::string_view title) const {
    for (WindowHandle h = 1; const Window* w = window_record(h); ++h) {
        if (w->title == title) return h;
    }
    return 0;
}

const WindowSystem::Window& FakePlatform::window(WindowHandle handle) const {
    const Window* w = window_record(handle);
    if (w == nullptr) {
        std::fprintf(stderr, "FakePlatform: no window %zu\n", static_cast<std::size_t>(handle));
        std::abort();
    }
    return *w;
}

const std::vector<FakePlatform::MenuItem>& FakePlatform::menu_items(MenuHandle menu) const {
    if (!menus().valid(menu)) {
        std::fprintf(stderr, "FakePlatform: no menu %zu\n", static_cast<std::size_t>(menu));
        std::abort();
    }
    return menus().items(menu);
}

std::uint32_t FakePlatform::shown_pixel(WindowHandle window, int x, int y) const {
    if (window == 0 || window > screens_.size()) return 0;
    const Screen& screen = screens_[window - 1];
    const std::size_t at = static_cast<std::size_t>(y) * static_cast<std::size_t>(screen.width) +
                           static_cast<std::size_t>(x);
    return x >= 0 && y >= 0 && x < screen.width && at < screen.pixels.size() ? screen.pixels[at] : 0;
}

FakePlatform::Icon FakePlatform::icon(WindowHandle window) const {
    const auto found = icons_.find(window);
    return found == icons_.end() ? Icon{} : found->second;
}

void FakePlatform::set_window_icon(WindowHandle window, int size, const std::uint32_t* pixels) {
    const std::size_t count = static_cast<std::size_t>(size) * static_cast<std::size_t>(size);
    icons_[window] = {size, std::vector<std::uint32_t>(pixels, pixels + count)};
}

// --- counting --------------------------------------------------------------

void FakePlatform::release_dc(WindowHandle, ContextHandle) { ++released_contexts_; }

std::unique_ptr<Canvas> FakePlatform::create_image(int width, int height) {
    if (image_factory) return image_factory(width, height);
    return WindowSystem::create_image(width, height);
}

void FakePlatform::copy_image(WindowHandle window, ContextHandle context, const Canvas& image,
                              int width, int height) {
    ++copies_;
    if (on_copy_image) on_copy_image(window, image, width, height);
    WindowSystem::copy_image(window, context, image, width, height);
}

// --- the backend -----------------------------------------------------------

bool FakePlatform::open_native(WindowHandle window, NativeWindow&) {
    screens_.resize(std::max<std::size_t>(screens_.size(), window));
    screens_[window - 1] = {};
    return true;
}

WindowSystem::Wait FakePlatform::wait_native(int timeout_ms) {
    if (auto_timer && timeout_ms >= 0) {
        now_ += static_cast<std::uint64_t>(timeout_ms);  // asleep until the timer is due
        return Wait::Timeout;
    }
    if (on_idle) {
        const std::size_t before = queued();
        const bool quit_before = quit_posted();
        on_idle();
        if (queued() != before || quit_posted() != quit_before) return Wait::Event;
    }
    std::fprintf(stderr, "FakePlatform: get_message would wait forever: nothing is queued\n");
    std::abort();
}

void FakePlatform::put_rows(WindowHandle window, const FrameView& picture,
                            std::span<const RowRun> rows) {
    Screen& screen = screens_[window - 1];
    screen.width = picture.width;
    screen.pixels.resize(static_cast<std::size_t>(picture.width) *
                         static_cast<std::size_t>(picture.height));
    for (const RowRun& run : rows) {
        const std::ptrdiff_t first = static_cast<std::ptrdiff_t>(run.top) * picture.width;
        std::copy_n(picture.pixels + first, static_cast<std::ptrdiff_t>(run.count) * picture.width,
                    screen.pixels.begin() + first);
        rows_put_ += static_cast<std::size_t>(run.count);
    }
}

}  // namespace tovik
