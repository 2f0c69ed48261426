#include "web/web_platform.h"

#include <algorithm>
#include <optional>

#include "canvas/software_canvas.h"

namespace tovik::web {

namespace {

// 0x00RRGGBB to the canvas's bytes R, G, B, A read as one little-endian word.
std::uint32_t to_rgba(std::uint32_t xrgb) {
    return 0xFF000000u | ((xrgb & 0xFFu) << 16) | (xrgb & 0xFF00u) | ((xrgb >> 16) & 0xFFu);
}

}  // namespace

WebPlatform::WebPlatform(Page& page) : WindowSystem(SoftwareCanvas::create), page_(page) {}

bool WebPlatform::open_native(WindowHandle window, NativeWindow& info) {
    info.width = std::max(info.width, 1);
    info.height = std::max(info.height, 1);
    canvases_.resize(std::max<std::size_t>(canvases_.size(), window));
    canvases_[window - 1].assign(
        static_cast<std::size_t>(info.width) * static_cast<std::size_t>(info.height), 0);
    page_.create_canvas(window, info.title, info.width, info.height);
    page_.place_canvas(window, info.width, info.height, info.width * shown_ / scale_,
                       info.height * shown_ / scale_);
    return true;
}

// One scale for all windows, the one that fits them all, so that the text
// window's letters are as large as the game's.
void WebPlatform::lay_out(double width, double height, double ratio) {
    std::optional<window_system::AreaFit> page;
    int picture_width = 1;
    for (WindowHandle window = 1; window <= canvases_.size(); ++window) {
        const Window* w = find(window);
        if (w == nullptr) continue;
        const window_system::AreaFit fit = window_system::fit_to_area(
            w->picture.width(), w->picture.height(), width, height, ratio);
        if (!page || fit.width * picture_width < page->width * w->picture.width()) {
            page = fit;
            picture_width = w->picture.width();
        }
    }
    if (!page || picture_width <= 0) return;
    scale_ = page->scale;
    shown_ = page->width / picture_width;
    for (WindowHandle window = 1; window <= canvases_.size(); ++window) place(window);
}

void WebPlatform::place(WindowHandle window) {
    const Window* w = find(window);
    if (w == nullptr) return;
    const int width = w->picture.width(), height = w->picture.height();
    // The page keeps the canvas's pixels unless its size changes, and then
    // the scale has changed too, which draws the window anew.
    page_.place_canvas(window, width * scale_, height * scale_, width * shown_, height * shown_);
    rescaled(window, scale_);
}

bool WebPlatform::poll_native(bool) {
    std::optional<PageEvent> event = page_.take_event();
    if (!event) return false;
    translate(*event);
    return true;
}

WindowSystem::Wait WebPlatform::wait_native(int timeout_ms) {
    page_.wait_for_event(timeout_ms);
    return poll_native(false) ? Wait::Event : Wait::Timeout;
}

void WebPlatform::put_rows(WindowHandle window, const FrameView& picture,
                           std::span<const RowRun> rows) {
    std::vector<std::uint32_t>& rgba = canvases_[window - 1];
    rgba.resize(static_cast<std::size_t>(picture.width) * static_cast<std::size_t>(picture.height));
    for (const RowRun& run : rows) {
        const std::ptrdiff_t first = static_cast<std::ptrdiff_t>(run.top) * picture.width;
        std::transform(picture.pixels + first,
                       picture.pixels + first + static_cast<std::ptrdiff_t>(run.count) * picture.width,
                       rgba.begin() + first, to_rgba);
    }
    const int top = rows.front().top;
    page_.present(window, rgba.data(), picture.width, picture.height, top,
                  rows.back().top + rows.back().count - top);
}

}  // namespace tovik::web
