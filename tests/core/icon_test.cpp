// The program's icon: kept by the framework, given to both windows.
#include <cstdint>
#include <vector>

#include "support/framework_fixture.h"

namespace tovik::testing {
namespace {

using IconTest = FrameworkTest;

TEST_F(IconTest, AnIconGivenBeforeTheStartIsCopiedAndReachesBothWindows) {
    std::vector<std::uint32_t> pixels{0x112233, 0x445566, 0x778899, 0xAABBCC};
    ASSERT_EQ(TOVIK_set_icon(2, pixels.data()), 1);
    pixels.assign(4, 0);  // the caller's buffer is its own again
    start();
    for (const WindowHandle window : {fw.graphics_window, fw.text_window}) {
        const FakePlatform::Icon icon = fake.icon(window);
        EXPECT_EQ(icon.size, 2);
        EXPECT_EQ(icon.pixels, (std::vector<std::uint32_t>{0x112233, 0x445566, 0x778899, 0xAABBCC}));
    }
}

TEST_F(IconTest, OpenWindowsTakeANewIconAtOnceAndABadOneChangesNothing) {
    start();
    EXPECT_EQ(fake.icon(fw.graphics_window).size, 0);  // none given: the platform's default
    const std::uint32_t red = 0xFF0000;
    ASSERT_EQ(TOVIK_set_icon(1, &red), 1);
    EXPECT_EQ(fake.icon(fw.graphics_window).pixels, std::vector<std::uint32_t>{red});
    EXPECT_EQ(fake.icon(fw.text_window).pixels, std::vector<std::uint32_t>{red});

    const std::uint32_t blue = 0x0000FF;
    EXPECT_EQ(TOVIK_set_icon(0, &blue), 0);
    EXPECT_EQ(TOVIK_set_icon(-3, &blue), 0);
    EXPECT_EQ(TOVIK_set_icon(TOVIK_MAX_ICON_SIZE + 1, &blue), 0);  // would read far past it
    EXPECT_EQ(TOVIK_set_icon(1, nullptr), 0);
    EXPECT_EQ(fake.icon(fw.graphics_window).pixels, std::vector<std::uint32_t>{red});
    EXPECT_EQ(fw.icon_size, 1);
}

}  // namespace
}  // namespace tovik::testing
