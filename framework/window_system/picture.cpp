#include "window_system/picture.h"

#include <algorithm>
#include <cstring>

#include "window_system/menu_bar.h"

namespace tovik::window_system {

namespace {

// `count` pixels of row y of a canvas from column x, as 0x00RRGGBB.
void read_pixels(const Canvas& canvas, int x, int y, int count, std::uint32_t* out) {
    if (const std::uint32_t* rows = canvas.rows(); rows != nullptr) {
        std::memcpy(out, rows + static_cast<std::ptrdiff_t>(y) * canvas.width() + x,
                    static_cast<std::size_t>(count) * sizeof(std::uint32_t));
        return;
    }
    for (int i = 0; i < count; ++i) out[i] = xrgb_of(canvas.pixel(x + i, y));
}

std::size_t area(int width, int height) {
    return static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
}

}  // namespace

void Picture::resize(int width, int height, int strip, std::uint32_t background) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    strip = std::min(std::max(strip, 0), height);
    const int client_height = height - strip;
    std::vector<std::uint32_t> client(area(width, client_height), background);
    const int keep_width = std::min(width, width_);
    const int keep_height = std::min(client_height, this->client_height());
    for (int y = 0; y < keep_height; ++y) {
        std::copy_n(client_.begin() + static_cast<std::ptrdiff_t>(y) * width_, keep_width,
                    client.begin() + static_cast<std::ptrdiff_t>(y) * width);
    }
    client_ = std::move(client);
    width_ = width;
    height_ = height;
    strip_ = strip;
    background_ = background;
    frame_.assign(area(width, height), background);
    std::copy(client_.begin(), client_.end(), frame_.begin() + static_cast<std::ptrdiff_t>(area(width, strip)));
    row_.resize(static_cast<std::size_t>(width));
    menu_bottom_ = strip;
    mark_all();
}

void Picture::copy_client(const Canvas& image, int width, int height, const MenuBar* menu) {
    width = std::min({width, image.width(), width_});
    height = std::min({height, image.height(), client_height()});
    if (width <= 0 || height <= 0) return;
    const std::uint32_t* rows = image.rows();
    const auto row_bytes = static_cast<std::size_t>(width) * sizeof(std::uint32_t);
    for (int y = 0; y < height; ++y) {
        const std::uint32_t* source = row_.data();
        if (rows != nullptr) {
            source = rows + static_cast<std::ptrdiff_t>(y) * image.width();
        } else {
            read_pixels(image, 0, y, width, row_.data());
        }
        std::uint32_t* kept = client_.data() + static_cast<std::ptrdiff_t>(y) * width_;
        if (std::memcmp(source, kept, row_bytes) == 0) continue;
        std::memcpy(kept, source, row_bytes);
        compose_row(strip_ + y, menu);
    }
}

void Picture::compose_menu(const MenuBar* menu) {
    int bottom = std::max(strip_, menu_bottom_);
    int open_bottom = strip_;
    if (menu != nullptr && menu->drop_image() != nullptr) open_bottom = menu->drop_rect().bottom;
    bottom = std::min(std::max(bottom, open_bottom), height_);
    for (int y = 0; y < bottom; ++y) compose_row(y, menu);
    menu_bottom_ = open_bottom;
}

void Picture::mark_all() {
    changed_.assign(static_cast<std::size_t>(height_), 1);
    any_changed_ = height_ > 0;
}

void Picture::take_changed(std::vector<RowRun>& runs) {
    runs.clear();
    if (!any_changed_) return;
    for (int y = 0; y < height_; ++y) {
        if (changed_[static_cast<std::size_t>(y)] == 0) continue;
        changed_[static_cast<std::size_t>(y)] = 0;
        if (!runs.empty() && runs.back().top + runs.back().count == y) {
            ++runs.back().count;  // runs of rows go to the screen as one block
        } else {
            runs.push_back({y, 1});
        }
    }
    any_changed_ = false;
}

void Picture::compose_row(int y, const MenuBar* menu) {
    if (width_ == 0) return;
    std::uint32_t* out = row_.data();
    if (y < strip_) {
        const Canvas* bar = menu != nullptr ? menu->bar_image() : nullptr;
        const int from_bar = bar != nullptr && y < bar->height() ? std::min(width_, bar->width()) : 0;
        if (from_bar > 0) read_pixels(*bar, 0, y, from_bar, out);
        std::fill(out + from_bar, out + width_, background_);
    } else {
        std::copy_n(client_.data() + static_cast<std::ptrdiff_t>(y - strip_) * width_, width_, out);
    }
    if (const Canvas* drop = menu != nullptr ? menu->drop_image() : nullptr; drop != nullptr) {
        const Rect at = menu->drop_rect();
        const int left = std::max(at.left, 0);
        const int right = std::min({at.right, width_, at.left + drop->width()});
        if (y >= at.top && y < at.bottom && y - at.top < drop->height() && left < right) {
            read_pixels(*drop, left - at.left, y - at.top, right - left, out + left);
        }
    }
    std::uint32_t* shown = frame_.data() + static_cast<std::ptrdiff_t>(y) * width_;
    const auto row_bytes = static_cast<std::size_t>(width_) * sizeof(std::uint32_t);
    if (std::memcmp(out, shown, row_bytes) == 0) return;
    std::memcpy(shown, out, row_bytes);
    changed_[static_cast<std::size_t>(y)] = 1;
    any_changed_ = true;
}

}  // namespace tovik::window_system
