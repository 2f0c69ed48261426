#include "icon.h"

#include <algorithm>
#include <cstdlib>
#include <memory>

#include "canvas.h"
#include "canvas/software_canvas.h"
#include "core/framework_state.h"
#include "fake/fake_platform.h"
#include "figures.h"
#include "tovik.h"

namespace tovik {
namespace {

constexpr std::int32_t FILLED = 0;
constexpr int HALF = ICON_PICTURE_SIZE / 2;

void draw_icon_scene() {
    TOVIK_draw_rectangle(COLOUR_NAVY_BLUE, -HALF, HALF, HALF, -HALF, FILLED);
    // The crescent, lit on the left, as the game's moon.
    TOVIK_draw_circle(COLOUR_WHITE, -22, 22, 7);
    TOVIK_draw_oval(COLOUR_NAVY_BLUE, -21, 15, -8, 29, FILLED);
    // A small star, its two triangles as in the game's sky.
    TOVIK_draw_triangle(COLOUR_YELLOW, 22, 29, 26, 21, 18, 21, FILLED);
    TOVIK_draw_triangle(COLOUR_YELLOW, 22, 19, 18, 27, 26, 27, FILLED);
    draw_monkey(0, -1, 4);
}

}  // namespace

PixelImage render_icon_picture() {
    FakePlatform platform;
    platform.auto_timer = false;
    const Canvas* image = nullptr;
    platform.image_factory = [&image](int width, int height) -> std::unique_ptr<Canvas> {
        auto canvas = std::make_unique<SoftwareCanvas>(width, height);
        image = canvas.get();
        return canvas;
    };
    reset_framework();
    set_platform(&platform);
    TOVIK_start(nullptr, nullptr, "", 1);
    draw_icon_scene();

    // The framework's origin is the centre of the graphics window's client area.
    const Rect client = platform.client_rect(platform.graphics_window());
    const int left = client.left + (client.right - client.left) / 2 - HALF;
    const int top = client.top + (client.bottom - client.top) / 2 - HALF;
    PixelImage picture;
    picture.width = picture.height = ICON_PICTURE_SIZE;
    picture.pixels.resize(static_cast<std::size_t>(ICON_PICTURE_SIZE) * ICON_PICTURE_SIZE);
    for (int y = 0; y < ICON_PICTURE_SIZE; ++y) {
        for (int x = 0; x < ICON_PICTURE_SIZE; ++x) {
            const Colour c = image->pixel(left + x, top + y);
            picture.pixels[static_cast<std::size_t>(y) * ICON_PICTURE_SIZE +
                           static_cast<std::size_t>(x)] =
                (red_of(c) << 16) | (green_of(c) << 8) | blue_of(c);
        }
    }
    TOVIK_finish();
    reset_framework();
    set_platform(nullptr);
    return picture;
}

PixelImage resample_square(const PixelImage& source, int size) {
    PixelImage target;
    target.width = target.height = size;
    target.pixels.resize(static_cast<std::size_t>(size) * static_cast<std::size_t>(size));
    // Measured in 1/size of a source pixel, source pixel s spans [s * size,
    // (s + 1) * size) and target pixel t spans [t * n, (t + 1) * n): every
    // overlap is a whole number, and the weights are exact.
    const long long n = source.width;
    const long long span = n;
    for (int ty = 0; ty < size; ++ty) {
        for (int tx = 0; tx < size; ++tx) {
            unsigned long long sum[3] = {0, 0, 0};
            for (long long sy = ty * span / size; sy < n && sy * size < (ty + 1) * span; ++sy) {
                const long long wy = std::min((sy + 1) * size, (ty + 1) * span) -
                                     std::max(sy * size, ty * span);
                for (long long sx = tx * span / size; sx < n && sx * size < (tx + 1) * span; ++sx) {
                    const long long wx = std::min((sx + 1) * size, (tx + 1) * span) -
                                         std::max(sx * size, tx * span);
                    const std::uint32_t p =
                        source.pixels[static_cast<std::size_t>(sy * n + sx)];
                    const auto w = static_cast<unsigned long long>(wx * wy);
                    sum[0] += w * ((p >> 16) & 0xFFu);
                    sum[1] += w * ((p >> 8) & 0xFFu);
                    sum[2] += w * (p & 0xFFu);
                }
            }
            const auto area = static_cast<unsigned long long>(span * span);
            std::uint32_t out = 0;
            for (unsigned long long s : sum) out = (out << 8) | static_cast<std::uint32_t>((s + area / 2) / area);
            target.pixels[static_cast<std::size_t>(ty) * static_cast<std::size_t>(size) +
                          static_cast<std::size_t>(tx)] = out;
        }
    }
    return target;
}

int icon_size(const char* text, int largest) {
    char* end = nullptr;
    const long size = std::strtol(text, &end, 10);
    return end == text || *end != '\0' || size < 1 || size > largest ? 0 : static_cast<int>(size);
}

}  // namespace tovik
