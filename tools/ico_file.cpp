#include "ico_file.h"

namespace tovik {

namespace {

constexpr int LARGEST = 256;
constexpr std::size_t HEADER_SIZE = 6;
constexpr std::size_t ENTRY_SIZE = 16;
constexpr std::size_t BITMAP_HEADER_SIZE = 40;

void put16(std::vector<std::uint8_t>& out, unsigned value) {
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void put32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    put16(out, value & 0xFFFFu);
    put16(out, value >> 16);
}

// A bitmap entry: the header, then the colour rows bottom-up as BGRA, then
// the transparency mask (one bit a pixel, rows padded to 32 bits), all clear
// because the alpha bytes already say "opaque".
std::vector<std::uint8_t> bitmap_entry(const PixelImage& image) {
    const int size = image.width;
    const std::size_t mask_row = static_cast<std::size_t>((size + 31) / 32) * 4;
    const std::size_t colour_bytes = static_cast<std::size_t>(size) * static_cast<std::size_t>(size) * 4;
    std::vector<std::uint8_t> out;
    out.reserve(BITMAP_HEADER_SIZE + colour_bytes + mask_row * static_cast<std::size_t>(size));
    put32(out, BITMAP_HEADER_SIZE);
    put32(out, static_cast<std::uint32_t>(size));
    put32(out, static_cast<std::uint32_t>(2 * size));  // colour rows and mask rows together
    put16(out, 1);                                      // planes
    put16(out, 32);                                     // bits a pixel
    for (int i = 0; i < 6; ++i) put32(out, 0);          // uncompressed; the rest unused
    for (int y = size - 1; y >= 0; --y) {
        for (int x = 0; x < size; ++x) {
            put32(out, 0xFF000000u | image.pixels[static_cast<std::size_t>(y * size + x)]);
        }
    }
    out.resize(out.size() + mask_row * static_cast<std::size_t>(size), 0);
    return out;
}

}  // namespace

bool encode_ico(const std::vector<PixelImage>& images, std::vector<std::uint8_t>& file,
                std::string* error) {
    std::vector<std::vector<std::uint8_t>> entries;
    for (const PixelImage& image : images) {
        const bool square = image.width == image.height &&
                            image.pixels.size() == static_cast<std::size_t>(image.width) *
                                                       static_cast<std::size_t>(image.height);
        if (!square || image.width < 1 || image.width > LARGEST) {
            if (error != nullptr) *error = "an icon image must be square, 1 to 256 pixels";
            return false;
        }
        entries.emplace_back();
        if (image.width == LARGEST) {
            if (!encode_png(image, entries.back(), error)) return false;
        } else {
            entries.back() = bitmap_entry(image);
        }
    }
    file.clear();
    put16(file, 0);  // reserved
    put16(file, 1);  // an icon, not a cursor
    put16(file, static_cast<unsigned>(entries.size()));
    std::size_t offset = HEADER_SIZE + ENTRY_SIZE * entries.size();
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const int size = images[i].width;
        // 256 does not fit the directory's byte: 0 stands for it.
        file.push_back(static_cast<std::uint8_t>(size == LARGEST ? 0 : size));
        file.push_back(static_cast<std::uint8_t>(size == LARGEST ? 0 : size));
        file.push_back(0);  // not a palette image
        file.push_back(0);  // reserved
        put16(file, 1);
        put16(file, 32);
        put32(file, static_cast<std::uint32_t>(entries[i].size()));
        put32(file, static_cast<std::uint32_t>(offset));
        offset += entries[i].size();
    }
    for (const std::vector<std::uint8_t>& entry : entries) file.insert(file.end(), entry.begin(), entry.end());
    return true;
}

}  // namespace tovik
