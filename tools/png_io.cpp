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

// The rows as libpng's simplified API takes them: R, G, B (and an opaque
// alpha byte when `channels` is 4), packed.
std::vector<std::uint8_t> packed_rows(const std::uint32_t* pixels, int width, int height, int stride,
                                      int channels) {
    const std::size_t row_bytes = static_cast<std::size_t>(width) * static_cast<std::size_t>(channels);
    std::vector<std::uint8_t> bytes(row_bytes * static_cast<std::size_t>(height), 0xFF);
    for (int y = 0; y < height; ++y) {
        const std::uint32_t* row = pixels + static_cast<std::ptrdiff_t>(y) * stride;
        std::uint8_t* out = bytes.data() + static_cast<std::size_t>(y) * row_bytes;
        for (int x = 0; x < width; ++x, out += channels) {
            out[0] = static_cast<std::uint8_t>(row[x] >> 16);
            out[1] = static_cast<std::uint8_t>(row[x] >> 8);
            out[2] = static_cast<std::uint8_t>(row[x]);
        }
    }
    return bytes;
}

png_image image_of(int width, int height, png_uint_32 format) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width);
    image.height = static_cast<png_uint_32>(height);
    image.format = format;
    return image;
}

}  // namespace

bool write_png(const std::string& path, const std::uint32_t* pixels, int width, int height,
               int stride, std::string* error) {
    File file(std::fopen(path.c_str(), "wb"));
    if (!file) {
        set_error(error, "cannot open " + path + " for writing");
        return false;
    }
    png_image image = image_of(width, height, PNG_FORMAT_RGB);
    const std::vector<std::uint8_t> rgb = packed_rows(pixels, width, height, stride, 3);
    if (png_image_write_to_stdio(&image, file.get(), 0, rgb.data(), 0, nullptr) == 0) {
        set_error(error, "cannot write " + path + ": " + image.message);
        return false;
    }
    return true;
}

bool write_png(const std::string& path, const PixelImage& image, std::string* error) {
    return write_png(path, image.pixels.data(), image.width, image.height, image.width, error);
}

bool encode_png(const PixelImage& source, std::vector<std::uint8_t>& file, std::string* error) {
    png_image image = image_of(source.width, source.height, PNG_FORMAT_RGBA);
    const std::vector<std::uint8_t> rgba =
        packed_rows(source.pixels.data(), source.width, source.height, source.width, 4);
    // The first call measures, the second writes.
    png_alloc_size_t size = 0;
    if (png_image_write_to_memory(&image, nullptr, &size, 0, rgba.data(), 0, nullptr) != 0) {
        file.resize(size);
        if (png_image_write_to_memory(&image, file.data(), &size, 0, rgba.data(), 0, nullptr) != 0) {
            file.resize(size);
            return true;
        }
    }
    set_error(error, std::string("cannot encode a PNG image: ") + image.message);
    return false;
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
