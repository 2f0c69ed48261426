// Whole frames of the game, run headless with seed 1, against stored images.
// TOVIK_UPDATE_GOLDEN=1 writes the images anew instead of comparing.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "canvas/fonts.h"
#include "canvas/software_canvas.h"
#include "core/framework_state.h"
#include "game_main.h"
#include "game_test_support.h"
#include "png_io.h"
#include "random.h"

namespace {

using game_test::GameTest;

constexpr const char* DRAWING_FONT = "/usr/share/fonts/truetype/liberation2/LiberationSans-Regular.ttf";
constexpr int CLIENT_WIDTH = 595;  // what the screen shows of the image
constexpr int CLIENT_HEIGHT = 491;

struct Step {
    enum Kind { Periodic, Click } kind;
    int count = 1;
    std::int32_t x = 0;
    std::int32_t y = 0;
};

class GoldenTest : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        ASSERT_TRUE(std::ifstream(DRAWING_FONT).good())
            << DRAWING_FONT << " is missing: install fonts-liberation2";
        tovik::pin_font_file(tovik::FontFace::Drawing, DRAWING_FONT);
    }
    void TearDown() override {
        tovik::pin_font_file(tovik::FontFace::Drawing, "");
        GameTest::TearDown();
    }

    // Runs the whole game with these steps, as a user would cause them, then
    // closes the window; gives back the last frame the window received.
    tovik::PixelImage last_frame(std::vector<Step> steps) {
        std::size_t next = 0;
        int stage = 0;  // 0 script, 1 last picture shown, 2 closed
        platform.on_idle = [&] {
            const tovik::WindowHandle window = platform.graphics_window();
            if (next < steps.size()) {
                Step& step = steps[next];
                if (step.kind == Step::Click) {
                    queue_click(step.x, step.y);
                    ++next;
                } else {
                    queue_periodic(1);
                    if (--step.count == 0) ++next;
                }
            } else if (stage == 0) {
                stage = 1;  // a message that is no event brings the last picture up
                platform.queue({window, tovik::MsgKind::Other, 0, 0});
            } else if (stage == 1) {
                stage = 2;
                platform.close_window(window);
            } else {
                platform.post_quit(0);
            }
        };
        tovik::PixelImage frame;
        platform.on_copy_image = [&](tovik::WindowHandle window, const tovik::Canvas& image, int,
                                     int) {
            if (window != platform.graphics_window()) return;
            frame.width = CLIENT_WIDTH;
            frame.height = CLIENT_HEIGHT;
            frame.pixels.assign(static_cast<std::size_t>(CLIENT_WIDTH) * CLIENT_HEIGHT, 0);
            for (int y = 0; y < CLIENT_HEIGHT; ++y) {
                for (int x = 0; x < CLIENT_WIDTH; ++x) {
                    const tovik::Colour c = image.pixel(x, y);
                    frame.pixels[static_cast<std::size_t>(y) * CLIENT_WIDTH +
                                 static_cast<std::size_t>(x)] =
                        (tovik::red_of(c) << 16) | (tovik::green_of(c) << 8) | tovik::blue_of(c);
                }
            }
        };
        EXPECT_EQ(run_game(nullptr, nullptr, "", 1, [] { rng_seed(1); }), 0);
        return frame;
    }

    static void expect_golden(const tovik::PixelImage& actual, const std::string& name) {
        const std::string golden = std::string(TOVIK_TEST_DATA_DIR) + "/game/" + name + ".png";
        std::string error;
        const char* update = std::getenv("TOVIK_UPDATE_GOLDEN");
        if (update != nullptr && std::string(update) == "1") {
            std::filesystem::create_directories(std::filesystem::path(golden).parent_path());
            ASSERT_TRUE(tovik::write_png(golden, actual, &error)) << error;
            return;
        }
        tovik::PixelImage expected;
        ASSERT_TRUE(tovik::read_png(golden, expected, &error))
            << error << " (TOVIK_UPDATE_GOLDEN=1 makes it)";
        ASSERT_EQ(actual.width, expected.width);
        ASSERT_EQ(actual.height, expected.height);

        // Differing pixels red over a dimmed copy of the expected image.
        tovik::PixelImage diff = expected;
        long long differing = 0;
        for (std::size_t i = 0; i < diff.pixels.size(); ++i) {
            if (actual.pixels[i] != expected.pixels[i]) {
                ++differing;
                diff.pixels[i] = 0xFF0000;
            } else {
                diff.pixels[i] = (expected.pixels[i] >> 2) & 0x3F3F3F;
            }
        }
        if (differing == 0) return;
        const std::filesystem::path out = TOVIK_TEST_OUTPUT_DIR;
        std::filesystem::create_directories(out);
        tovik::write_png((out / (name + "_actual.png")).string(), actual);
        tovik::write_png((out / (name + "_diff.png")).string(), diff);
        ADD_FAILURE() << differing << " pixels differ from " << golden << "; see "
                      << (out / (name + "_diff.png")).string();
    }
};

TEST_F(GoldenTest, PictureAfterStartUp) {
    expect_golden(last_frame({}), "start_up");
}

// The opening crawl after 28 ticks: smoothed text of many sizes over the
// landscape, each line drawn over its picture of the tick before.
TEST_F(GoldenTest, CrawlAfterTwentyEightTicks) {
    expect_golden(last_frame({{Step::Periodic, 28}}), "crawl_28");
}

// "Initialize Monkeys" early in play; 151 ticks later a new monkey sinks in the
// lake while the others still fall, and one of them is clicked.  The events of
// explosion_and_splash.scr beside the image, from which render_frames --font
// makes the same picture.
TEST_F(GoldenTest, FrameWithAnExplosionAndASplash) {
    const std::vector<Step> steps{
        {Step::Periodic, 75 + 3},  {Step::Click, 1, -250, 208}, {Step::Periodic, 152},
        {Step::Click, 1, -122, 142}, {Step::Periodic, 3},
    };
    expect_golden(last_frame(steps), "explosion_and_splash");
}

}  // namespace
