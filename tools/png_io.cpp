#include "png_io.h"

#include <png.h>

#include <cstdio>
#include <memory>

namespace tovik {

namespace {

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

void set_error(std::string* error, std::string text) {
    if (error != nullptr) *error = std::move(text);
}

}  // namespace

bool write_png(const std::string& path, const std::uint32_t* pixels, int width, int height,
               int stride, std::string* error) {
    File file(std::fopen(path.c_str(), "wb"));
    if (!file) {
        set_error(error, "cannot open " + path + " for writing");
        return false;
    }
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width);
    image.height = static_cast<png_uint_32>(height);
    std::vector<std::uint8_t> rgb(static_cast<std::size_t>(width) * 3 * static_cast<std::size_t>(height));
    for (int y = 0; y < height; ++y) {
        const std::uint32_t* row = pixels + static_cast<std::ptrdiff_t>(y) * stride;
        std::uint8_t* out = rgb.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width) * 3;
        for (int x = 0; x < width; ++x) {
            out[3 * x + 0] = static_cast<std::uint8_t>(row[x] >> 16);
            out[3 * x + 1] = static_cast<std::uint8_t>(row[x] >> 8);
            out[3 * x + 2] = static_cast<std::uint8_t>(row[x]);
        }
    }
    image.format = PNG_FORMAT_RGB;
    if (png_image_write_to_stdio(&image, file.get(), 0, rgb.data(), 0, nullptr) == 0) {
        set_error(error, "cannot write " + path + ": " + image.message);
        return false;
    }
    return true;
}

bool write_png(const std::string& path, const PixelImage& image, std::string* error) {
    return write_png(path, image.pixels.data(), image.width, image.height, image.width, error);
}

bool read_png(const std::string& path, PixelImage& result, std::string* error) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (png_image_begin_read_from_file(&image, path.c_str()) == 0) {
        set_error(error, "cannot read " + path + ": " + image.message);
        return false;
    }
    image.format = PNG_FORMAT_RGB;
    std::vector<std::uint8_t> rgb(PNG_IMAGE_SIZE(image));
    if (png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr) == 0) {
        set_error(error, "cannot decode " + path + ": " + image.message);
        png_image_free(&image);
        return false;
    }
    result.width = static_cast<int>(image.width);
    result.height = static_cast<int>(image.height);
    result.pixels.resize(static_cast<std::size_t>(result.width) * static_cast<std::size_t>(result.height));
    for (std::size_t i = 0; i < result.pixels.size(); ++i) {
        result.pixels[i] = (std::uint32_t{rgb[3 * i]} << 16) | (std::uint32_t{rgb[3 * i + 1]} << 8) |
                           std::uint32_t{rgb[3 * i + 2]};
    }
    return true;
}

}  // namespace tovik
