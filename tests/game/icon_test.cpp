// The program's icon: the picture the framework draws, and its scaling.
#include <gtest/gtest.h>

#include <cstdint>

#include "game_test_support.h"
#include "icon.h"

namespace {

std::uint32_t xrgb_of(ColourIndex index) {
    const tovik::Colour c = game_test::colour_of(index);
    return (tovik::red_of(c) << 16) | (tovik::green_of(c) << 8) | tovik::blue_of(c);
}

std::uint32_t at(const tovik::PixelImage& image, int x, int y) {
    return image.pixels[static_cast<std::size_t>(y * image.width + x)];
}

TEST(IconTest, PictureIsAMonkeyOnTheNightSkyCentredOnTheOrigin) {
    const tovik::PixelImage picture = tovik::render_icon_picture();
    ASSERT_EQ(picture.width, tovik::ICON_PICTURE_SIZE);
    ASSERT_EQ(picture.height, tovik::ICON_PICTURE_SIZE);
    const int c = tovik::ICON_PICTURE_SIZE / 2;  // framework (0, 0)
    EXPECT_EQ(at(picture, 0, 0), xrgb_of(COLOUR_NAVY_BLUE));
    EXPECT_EQ(at(picture, tovik::ICON_PICTURE_SIZE - 1, tovik::ICON_PICTURE_SIZE - 1),
              xrgb_of(COLOUR_NAVY_BLUE));
    EXPECT_EQ(at(picture, c, c), xrgb_of(COLOUR_BROWN));            // the body
    EXPECT_EQ(at(picture, c, c - 18), xrgb_of(COLOUR_OLIVE));       // the muzzle at y = 16
    EXPECT_EQ(at(picture, c - 27, c - 22), xrgb_of(COLOUR_WHITE));  // the crescent's lit edge
    EXPECT_EQ(at(picture, c + 22, c - 24), xrgb_of(COLOUR_YELLOW)); // the star
}

TEST(IconTest, ResamplingWeighsEachSourcePixelByTheAreaItCovers) {
    // 3 to 2: a target pixel covers 1.5 x 1.5 source pixels, 2.25 in all.
    tovik::PixelImage source{3, 3, std::vector<std::uint32_t>(9, 0)};
    source.pixels[0] = 90;             // blue 90 in the top-left corner only
    source.pixels[8] = 0xFF0000u;      // red in the bottom-right one
    const tovik::PixelImage small = tovik::resample_square(source, 2);
    EXPECT_EQ(at(small, 0, 0), 40u);   // 90 * 1 / 2.25
    EXPECT_EQ(at(small, 1, 0), 0u);
    EXPECT_EQ(at(small, 1, 1), 0x710000u);  // 255 / 2.25 = 113.3

    // Doubling repeats every pixel.
    const tovik::PixelImage big = tovik::resample_square(source, 6);
    EXPECT_EQ(at(big, 1, 1), 90u);
    EXPECT_EQ(at(big, 2, 2), 0u);
    EXPECT_EQ(at(big, 5, 4), 0xFF0000u);
}

TEST(IconTest, EveryIconSizeOfAPlainPictureStaysPlain) {
    const std::uint32_t navy = xrgb_of(COLOUR_NAVY_BLUE);
    const tovik::PixelImage source{64, 64, std::vector<std::uint32_t>(64 * 64, navy)};
    for (const int size : {16, 32, 48, 64, 128, 256}) {
        const tovik::PixelImage icon = tovik::resample_square(source, size);
        ASSERT_EQ(icon.pixels.size(), static_cast<std::size_t>(size * size));
        for (const std::uint32_t p : icon.pixels) ASSERT_EQ(p, navy) << "size " << size;
    }
}

}  // namespace
