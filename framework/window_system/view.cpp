#include "window_system/view.h"

#include <algorithm>
#include <cmath>

namespace tovik::window_system {

namespace {

std::size_t area(int width, int height) {
    return static_cast<std::size_t>(std::max(width, 0)) * static_cast<std::size_t>(std::max(height, 0));
}

}  // namespace

int desktop_scale_for(double desktop_scale, int width, int height, int usable_width,
                      int usable_height) {
    // Beyond 16 a pixel is no longer a pixel, and a broken setting must not
    // ask for a window of gigabytes.
    double wanted = std::isfinite(desktop_scale) ? std::round(desktop_scale) : 1.0;
    int scale = static_cast<int>(std::clamp(wanted, 1.0, 16.0));
    while (scale > 1 && ((usable_width > 0 && width * scale > usable_width) ||
                         (usable_height > 0 && height * scale > usable_height))) {
        --scale;
    }
    return scale;
}

int fitting_scale(int width, int height, int native_width, int native_height) {
    if (width <= 0 || height <= 0) return 1;
    return std::max(1, std::min(native_width / width, native_height / height));
}

AreaFit fit_to_area(int width, int height, double area_width, double area_height, double ratio) {
    if (width <= 0 || height <= 0) return {1, 0, 0};
    // A broken ratio or area (zero, NaN, infinite) must not make a frame of gigabytes.
    const auto sane = [](double v, double low, double high) {
        return std::isfinite(v) ? std::clamp(v, low, high) : low;
    };
    ratio = sane(ratio, 0.25, 16.0);
    area_width = sane(area_width, 1.0, 1e5);
    area_height = sane(area_height, 1.0, 1e5);
    // A hair of slack, so that a device width of 1190.0 measured as 1189.9999 still fits 2 x 595.
    const int whole = static_cast<int>(std::min(std::floor(area_width * ratio / width + 1e-6),
                                                std::floor(area_height * ratio / height + 1e-6)));
    if (whole >= 1 && whole >= ratio) {
        const int scale = std::min(whole, 16);
        return {scale, width * scale / ratio, height * scale / ratio};
    }
    const double factor = std::min(area_width / width, area_height / height);
    return {std::max(whole, 1), width * factor, height * factor};
}

bool to_picture(const View& view, int picture_width, int picture_height, int& x, int& y) {
    const int scale = std::max(view.scale, 1);
    const int dx = x - view.x;
    const int dy = y - view.y;
    if (dx < 0 || dy < 0) return false;
    x = dx / scale;
    y = dy / scale;
    return x < picture_width && y < picture_height;
}

bool NativeFrame::direct(const View& view, const FrameView& picture) {
    return view.scale == 1 && view.x == 0 && view.y == 0 && view.width == picture.width &&
           view.height == picture.height;
}

void NativeFrame::set_view(const View& view) {
    view_ = view;
    whole_ = true;
}

void NativeFrame::update(const FrameView& picture, std::span<const RowRun> runs,
                         std::vector<RowRun>& native_runs) {
    native_runs.clear();
    if (whole_) {
        pixels_.assign(area(view_.width, view_.height), view_.surround);
        whole_ = false;
        const RowRun all{0, picture.height};
        draw(picture, {&all, 1}, native_runs);
        native_runs.assign(1, {0, view_.height});
        return;
    }
    draw(picture, runs, native_runs);
}

// The view's place is never left of or above the window's origin.
void NativeFrame::draw(const FrameView& picture, std::span<const RowRun> runs,
                       std::vector<RowRun>& native_runs) {
    const int scale = std::max(view_.scale, 1);
    const int width = view_.width;
    const int left = view_.x;
    if (left >= width) return;
    const int columns = std::min(picture.width, (width - left + scale - 1) / scale);
    const int span = std::min(columns * scale, width - left);
    for (const RowRun& run : runs) {
        const int top = view_.y + run.top * scale;
        const int bottom = std::min(view_.y + (run.top + run.count) * scale, view_.height);
        if (top >= bottom) continue;
        for (int native_y = top; native_y < bottom; ++native_y) {
            std::uint32_t* target = pixels_.data() + static_cast<std::ptrdiff_t>(native_y) * width + left;
            if ((native_y - view_.y) % scale != 0) {
                std::copy_n(target - width, span, target);  // the row above again
                continue;
            }
            const std::uint32_t* source =
                picture.pixels + static_cast<std::ptrdiff_t>((native_y - view_.y) / scale) * picture.width;
            for (int i = 0; i < columns; ++i) {
                std::fill_n(target + i * scale, std::min(scale, span - i * scale), source[i]);
            }
        }
        if (!native_runs.empty() && native_runs.back().top + native_runs.back().count == top) {
            native_runs.back().count += bottom - top;
        } else {
            native_runs.push_back({top, bottom - top});
        }
    }
}

}  // namespace tovik::window_system
