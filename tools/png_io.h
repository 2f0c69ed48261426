// PNG files of 32-bit XRGB images (0x00RRGGBB per pixel), for the tools and
// the golden-image tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tovik {

struct PixelImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;  // row after row, 0x00RRGGBB
};

// Writes `height` rows of `width` pixels, rows `stride` pixels apart.
// Returns false, with the reason in `error`, when the file cannot be written.
bool write_png(const std::string& path, const std::uint32_t* pixels, int width, int height,
               int stride, std::string* error = nullptr);
bool write_png(const std::string& path, const PixelImage& image, std::string* error = nullptr);
// The PNG file of `image` in memory, as RGBA with every pixel opaque; false, with the reason, when it cannot be made.
bool encode_png(const PixelImage& image, std::vector<std::uint8_t>& file, std::string* error = nullptr);

// Reads any 8-bit PNG into XRGB; alpha is dropped.
bool read_png(const std::string& path, PixelImage& image, std::string* error = nullptr);

}  // namespace tovik
