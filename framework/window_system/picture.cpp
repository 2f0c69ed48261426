#include "window_system/picture.h"

#include <algorithm>
#include <cstring>

#include "window_system/menu_bar.h"

namespace tovik::window_system {

namespace {

std::size_t area(int width, int height) {
    return static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
}

// `count` pixels of row y of a canvas from column x, as 0x00RRGGBB: the
// canvas's own row where it keeps one, else read into `scratch`.
const std::uint32_t* read_pixels(const Canvas& canvas, int x, int y, int count,
                                 std::vector<std::uint32_t>& scratch) {
    if (const std::uint32_t* rows = canvas.rows(); rows != nullptr) {
        return rows + static_cast<std::ptrdiff_t>(area(canvas.width(), y)) + x;
    }
    scratch.resize(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        scratch[static_cast<std::size_t>(i)] = xrgb_of(canvas.pixel(x + i, y));
    }
    return scratch.data();
}

// Copies `count` pixels unless they are the same already; whether they differed.
bool take(const std::uint32_t* from, std::uint32_t* to, int count) {
    const auto bytes = static_cast<std::size_t>(count) * sizeof(std::uint32_t);
    if (count <= 0 || std::memcmp(from, to, bytes) == 0) return false;
    std::memcpy(to, from, bytes);
    return true;
}

}  // namespace

void Picture::resize(int width, int height, int strip, std::uint32_t background) {
    uncover();
    width = std::max(width, 0);
    height = std::max(height, 0);
    strip = std::min(std::max(strip, 0), height);
    std::vector<std::uint32_t> frame(area(width, height), background);
    const int keep_width = std::min(width, width_);
    const int keep_height = std::min(height - strip, client_height());
    for (int y = 0; y < keep_height; ++y) {
        std::copy_n(row(strip_ + y), keep_width,
                    frame.begin() + static_cast<std::ptrdiff_t>(area(width, strip + y)));
    }
    frame_ = std::move(frame);
    width_ = width;
    height_ = height;
    strip_ = strip;
    background_ = background;
    mark_all();
}

void Picture::copy_client(const Canvas& image, int width, int height) {
    width = std::min({width, image.width(), width_});
    height = std::min({height, image.height(), client_height()});
    for (int y = 0; y < height && width > 0; ++y) {
        const std::uint32_t* source = read_pixels(image, 0, y, width, row_);
        std::uint32_t* shown = row(strip_ + y);
        if (strip_ + y < covered_.top || strip_ + y >= covered_.bottom) {
            if (take(source, shown, width)) mark(strip_ + y);
            continue;
        }
        // What the drop-down covers changes only the pixels kept under it.
        const int left = std::min(covered_.left, width);
        const int right = std::min(covered_.right, width);
        // Both sides are taken: no short circuit.
        const bool left_changed = take(source, shown, left);
        const bool right_changed = take(source + right, shown + right, width - right);
        if (left_changed || right_changed) mark(strip_ + y);
        const std::ptrdiff_t kept = static_cast<std::ptrdiff_t>(
            area(covered_.right - covered_.left, strip_ + y - covered_.top));
        take(source + left, under_.data() + kept, right - left);
    }
}

void Picture::compose_menu(const MenuBar* menu) {
    uncover();
    const Canvas* bar = menu != nullptr ? menu->bar_image() : nullptr;
    for (int y = 0; y < strip_; ++y) {
        std::uint32_t* shown = row(y);
        const int from_bar =
            bar != nullptr && y < bar->height() ? std::min(width_, bar->width()) : 0;
        bool changed =
            from_bar > 0 && take(read_pixels(*bar, 0, y, from_bar, row_), shown, from_bar);
        for (int x = from_bar; x < width_; ++x) {
            changed = changed || shown[x] != background_;
            shown[x] = background_;
        }
        if (changed) mark(y);
    }
    const Canvas* drop = menu != nullptr ? menu->drop_image() : nullptr;
    if (drop == nullptr) return;
    // Over the client area only: a drop-down opens below the strip.
    const Rect at = menu->drop_rect();
    covered_ = {std::max(at.left, 0), std::max(at.top, strip_),
                std::min({at.right, at.left + drop->width(), width_}),
                std::min({at.bottom, at.top + drop->height(), height_})};
    if (covered_.left >= covered_.right || covered_.top >= covered_.bottom) {
        covered_ = {};
        return;
    }
    const int width = covered_.right - covered_.left;
    under_.resize(area(width, covered_.bottom - covered_.top));
    for (int y = covered_.top; y < covered_.bottom; ++y) {
        std::uint32_t* shown = row(y) + covered_.left;
        std::copy_n(shown, width,
                    under_.begin() + static_cast<std::ptrdiff_t>(area(width, y - covered_.top)));
        take(read_pixels(*drop, covered_.left - at.left, y - at.top, width, row_), shown, width);
        mark(y);
    }
}

void Picture::uncover() {
    const int width = covered_.right - covered_.left;
    for (int y = covered_.top; y < covered_.bottom; ++y) {
        const std::ptrdiff_t kept = static_cast<std::ptrdiff_t>(area(width, y - covered_.top));
        std::copy_n(under_.begin() + kept, width, row(y) + covered_.left);
        mark(y);
    }
    covered_ = {};
}

void Picture::mark(int y) {
    changed_[static_cast<std::size_t>(y)] = 1;
    any_changed_ = true;
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

}  // namespace tovik::window_system
