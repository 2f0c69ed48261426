// A fixed scene of every kind of drawing, compared pixel for pixel with the
// stored picture tests/data/canvas/golden_scene.png.
//
// On a mismatch the actual picture and a diff (differing pixels red over a
// faded copy of the expected one) are written to the test output directory.
// Run with TOVIK_UPDATE_GOLDEN=1 to store the current picture as the golden one
// after checking it by eye.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "canvas_support.h"
#include "png_io.h"

namespace tovik::test {
namespace {

constexpr int W = 320, H = 240;

void draw_scene(SoftwareCanvas& c) {
    const Colour navy = rgb(0x00, 0x33, 0x99), gold = rgb(0xCC, 0x99, 0x33);
    const Colour plum = rgb(0x99, 0x66, 0x99), forest = rgb(0x00, 0x66, 0x33);
    const Colour orange = rgb(0xFF, 0x66, 0x00), grey = rgb(0x80, 0x80, 0x80);

    // The cleared frame: white inside a one-pixel black border.
    c.rectangle(0, 0, W, H, Pen{BLACK, 0}, Brush{WHITE, false});

    // Filled rectangles as the renderer sends them, and hollow ones of several widths.
    c.rectangle(10, 10, 41, 31, Pen{navy, 0}, Brush{navy, false});
    c.rectangle(50, 10, 51, 11, Pen{RED, 0}, Brush{RED, false});
    c.rectangle(60, 10, 90, 30, Pen{plum, 1}, Brush{0, true});
    c.rectangle(100, 12, 130, 30, Pen{forest, 3}, Brush{0, true});
    c.rectangle(140, 12, 170, 30, Pen{orange, 4}, Brush{0, true});
    c.rectangle(182, 14, 215, 30, Pen{grey, 8}, Brush{0, true});
    c.rectangle(230, 10, 260, 30, Pen{BLACK, 0}, Brush{gold, false});

    // Circles of radius 0 to 9 and ellipses, filled and outlined.
    for (int r = 0; r <= 9; ++r) {
        const int x = 12 + r * (r + 3), y = 55;
        c.ellipse(x - r, y - r, x + r + 1, y + r + 1, Pen{BLUE, 0}, Brush{BLUE, false});
    }
    c.ellipse(10, 75, 70, 100, Pen{gold, 0}, Brush{gold, false});
    c.ellipse(80, 75, 96, 110, Pen{BLACK, 1}, Brush{0, true});
    c.ellipse(105, 75, 165, 100, Pen{plum, 2}, Brush{0, true});
    c.ellipse(175, 72, 215, 112, Pen{forest, 5}, Brush{0, true});
    c.ellipse(225, 75, 229, 79, Pen{RED, 0}, Brush{RED, false});
    c.ellipse(235, 75, 275, 95, Pen{BLACK, 0}, Brush{orange, false});
    // A circle of radius 2^31 - 1 centred far off to the bottom right: its edge
    // cuts the image's corner diagonally.
    const std::int64_t big = 2147483647, off = 1518500250;  // off ~ big / sqrt(2)
    const std::int64_t cx = 300 + off, cy = 222 + off;
    c.ellipse(cx - big, cy - big, cx + big + 1, cy + big + 1, Pen{grey, 0}, Brush{grey, false});

    // Triangles: filled, outlined thin and wide, and one partly outside.
    const Point64 t1[] = {{10, 150}, {40, 115}, {60, 148}};
    c.polygon(t1, Pen{RED, 0}, Brush{RED, false});
    const Point64 t2[] = {{70, 150}, {90, 115}, {120, 140}};
    c.polygon(t2, Pen{BLACK, 1}, Brush{0, true});
    const Point64 t3[] = {{130, 148}, {150, 118}, {180, 145}};
    c.polygon(t3, Pen{navy, 3}, Brush{0, true});
    const Point64 t4[] = {{190, 148}, {215, 120}, {240, 148}};
    c.polygon(t4, Pen{forest, 6}, Brush{0, true});
    const Point64 t5[] = {{290, 110}, {340, 150}, {270, 160}};
    c.polygon(t5, Pen{plum, 0}, Brush{plum, false});

    // Lines: one pixel in every direction, then wide ones.
    for (int k = 0; k < 8; ++k) {
        const int dx[] = {20, 20, 10, 0, -10, -20, -20, -10};
        const int dy[] = {0, 10, 20, 20, 20, 10, -5, -20};
        c.line(30, 185, 30 + dx[k], 185 + dy[k], Pen{BLACK, 0});
    }
    c.line(60, 170, 110, 170, Pen{orange, 2});
    c.line(60, 180, 110, 180, Pen{orange, 3});
    c.line(60, 195, 110, 195, Pen{orange, 7});
    c.line(120, 165, 120, 210, Pen{navy, 4});
    c.line(135, 165, 175, 205, Pen{forest, 3});
    c.line(185, 205, 215, 168, Pen{gold, 6});
    c.line(225, 170, 227, 177, Pen{BLACK, 2});
    c.line(-40, 220, 400, 200, Pen{grey, 1});
    c.set_pixel(250, 170, RED);
    c.set_pixel(252, 170, RED);

    // Text in the pinned faces: transparent over shapes, and opaque.
    c.text_out(FontRequest{FontFace::Drawing, -12}, 8, 222, "Change Colors", BLACK, true, 0);
    c.text_out(FontRequest{FontFace::Drawing, -20}, 100, 212, "TOVIK \xE9t\xE9", navy, true, 0);
    c.text_out(FontRequest{FontFace::Drawing, -33}, 235, 160, "Ag", RED, true, 0);
    c.text_out(FontRequest{FontFace::FixedPitch, 0}, 250, 118, "fix", BLACK, false, gold);
    c.text_out(FontRequest{FontFace::Menu, -12}, 235, 40, "&Run", BLACK, false, WHITE);
    c.fill_rect(300, 5, 330, 15, forest);
}

std::string output_path(const std::string& name) {
    std::filesystem::create_directories(TOVIK_TEST_OUTPUT_DIR);
    return std::string(TOVIK_TEST_OUTPUT_DIR) + "/" + name;
}

TEST(Golden, SceneOfEveryKindOfDrawingMatchesTheStoredPicture) {
    if (!pin_test_fonts()) GTEST_SKIP() << "the package fonts-liberation2 is needed";
    SoftwareCanvas c(W, H);
    draw_scene(c);

    const std::string golden = std::string(TOVIK_TEST_DATA_DIR) + "/canvas/golden_scene.png";
    std::string error;
    const char* update = std::getenv("TOVIK_UPDATE_GOLDEN");
    if (update != nullptr && std::string(update) == "1") {
        ASSERT_TRUE(write_png(golden, c.data(), W, H, c.stride(), &error)) << error;
        GTEST_SKIP() << "stored " << golden;
    }

    PixelImage expected;
    ASSERT_TRUE(read_png(golden, expected, &error)) << error;
    ASSERT_EQ(expected.width, W);
    ASSERT_EQ(expected.height, H);
    PixelImage diff{W, H, std::vector<std::uint32_t>(static_cast<std::size_t>(W) * H)};
    int differing = 0;
    for (int y = 0; y < H; ++y) {
        for (int x = 0; x < W; ++x) {
            const std::size_t i = static_cast<std::size_t>(y) * W + static_cast<std::size_t>(x);
            const std::uint32_t want = expected.pixels[i];
            const std::uint32_t got =
                c.data()[static_cast<std::size_t>(y) * static_cast<std::size_t>(c.stride()) +
                         static_cast<std::size_t>(x)];
            if (want != got) {
                ++differing;
                diff.pixels[i] = 0xFF0000;
            } else {
                // faded copy: halfway to white
                const std::uint32_t faded = ((want >> 1) & 0x7F7F7F) + 0x808080;
                diff.pixels[i] = faded;
            }
        }
    }
    if (differing != 0) {
        write_png(output_path("golden_scene_actual.png"), c.data(), W, H, c.stride());
        write_png(output_path("golden_scene_diff.png"), diff);
    }
    EXPECT_EQ(differing, 0) << "pixels differ from " << golden << "; see " << TOVIK_TEST_OUTPUT_DIR
                            << "/golden_scene_actual.png and golden_scene_diff.png";
}

}  // namespace
}  // namespace tovik::test
