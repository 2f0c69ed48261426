#include "web/web_platform.h"

#include <algorithm>

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
    return true;
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
