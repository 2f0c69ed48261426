// Windows icon files: the directory Windows reads them by, and the pixels
// where it expects them.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "ico_file.h"

namespace {

std::uint32_t read32(const std::vector<std::uint8_t>& file, std::size_t at) {
    return std::uint32_t{file[at]} | (std::uint32_t{file[at + 1]} << 8) |
           (std::uint32_t{file[at + 2]} << 16) | (std::uint32_t{file[at + 3]} << 24);
}

tovik::PixelImage square(int size, std::uint32_t colour) {
    return {size, size, std::vector<std::uint32_t>(static_cast<std::size_t>(size * size), colour)};
}

TEST(IcoFileTest, DirectoryListsEverySizeWithWhereItsDataLies) {
    tovik::PixelImage small = square(2, 0x000000u);
    small.pixels[0] = 0x123456u;  // top-left
    std::vector<std::uint8_t> file;
    ASSERT_TRUE(tovik::encode_ico({small, square(20, 0), square(256, 0x0000FFu)}, file));
    EXPECT_EQ(read32(file, 0), 0x00010000u);  // reserved 0, type 1 (icon)
    EXPECT_EQ(file[4], 3);

    // 2 x 2: 40-byte header, 4 BGRA pixels, 2 mask rows of 4 bytes.
    EXPECT_EQ(file[6], 2);
    EXPECT_EQ(read32(file, 6 + 8), 40u + 16u + 8u);
    const std::size_t small_at = read32(file, 6 + 12);
    EXPECT_EQ(small_at, 6u + 3 * 16u);
    EXPECT_EQ(read32(file, small_at + 8), 4u);  // height counts the mask's rows too
    // Rows are stored bottom-up: the top-left pixel opens the second row.
    EXPECT_EQ(read32(file, small_at + 40), 0xFF000000u);
    EXPECT_EQ(read32(file, small_at + 40 + 8), 0xFF123456u);

    // 20 pixels: mask rows padded to 32 bits.
    EXPECT_EQ(read32(file, 22 + 8), 40u + 20 * 20 * 4 + 20 * 4u);
    EXPECT_EQ(read32(file, 22 + 12), small_at + 40 + 16 + 8);

    // 256 is written as 0 in the directory, and its data is a PNG file.
    EXPECT_EQ(file[38], 0);
    EXPECT_EQ(file[39], 0);
    const std::size_t large_at = read32(file, 38 + 12);
    EXPECT_EQ(large_at + read32(file, 38 + 8), file.size());
    EXPECT_EQ(read32(file, large_at), 0x474E5089u);  // "\x89PNG"
}

TEST(IcoFileTest, RefusesWhatAnIconCannotHold) {
    std::vector<std::uint8_t> file;
    std::string error;
    EXPECT_FALSE(tovik::encode_ico({square(257, 0)}, file, &error));
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(tovik::encode_ico({{4, 2, std::vector<std::uint32_t>(8, 0)}}, file));
    EXPECT_FALSE(tovik::encode_ico({{0, 0, {}}}, file));
}

}  // namespace
