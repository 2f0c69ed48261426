// The two windows, their sizes, closing them, and how the quit request comes.
#include <csignal>
#include <cstring>

#include "sdl_fixture.h"

namespace tovik::testing {
namespace {

TEST_F(SdlTest, WindowsOpenShownWithTheirTitlesAndClientSizes) {
    start();
    SDL_Window* graphics_window = sdl_window(graphics());
    SDL_Window* text_window = sdl_window(text());
    ASSERT_NE(graphics_window, nullptr);
    ASSERT_NE(text_window, nullptr);
    EXPECT_STREQ(SDL_GetWindowTitle(graphics_window), "TOVIK Graphics");
    EXPECT_STREQ(SDL_GetWindowTitle(text_window), "TOVIK Text");

    // The graphics window: a 20-pixel menu strip above a 595 x 491 client area.
    int width = 0, height = 0;
    SDL_GetWindowSize(graphics_window, &width, &height);
    EXPECT_EQ(width, 595);
    EXPECT_EQ(height, 511);
    const Rect client = platform->client_rect(graphics());
    EXPECT_EQ(client.right - client.left, 595);
    EXPECT_EQ(client.bottom - client.top, 491);
    EXPECT_EQ(fw.origin_x, 297);
    EXPECT_EQ(fw.origin_y, 245);
    EXPECT_EQ(SDL_GetWindowFlags(graphics_window) & SDL_WINDOW_RESIZABLE, 0u);

    // The text window: a third of the screen high, less frame and caption.
    const Rect text_client = platform->client_rect(text());
    EXPECT_EQ(text_client.right, 595);
    EXPECT_EQ(text_client.bottom, platform->screen_height() / 3 - 29);
    EXPECT_NE(SDL_GetWindowFlags(text_window) & SDL_WINDOW_RESIZABLE, 0u);

    EXPECT_NE(SDL_GetWindowFlags(graphics_window) & SDL_WINDOW_SHOWN, 0u);
    EXPECT_NE(SDL_GetWindowFlags(text_window) & SDL_WINDOW_SHOWN, 0u);
    EXPECT_TRUE(platform->timer_running(graphics(), 2));
}

TEST_F(SdlTest, ShowingReportsTheFormerVisibility) {
    start();
    EXPECT_EQ(TOVIK_show_text_window(0), 1);
    EXPECT_EQ(SDL_GetWindowFlags(sdl_window(text())) & SDL_WINDOW_SHOWN, 0u);
    EXPECT_EQ(TOVIK_show_text_window(0), 0);
    EXPECT_EQ(TOVIK_show_text_window(1), 0);
    EXPECT_NE(SDL_GetWindowFlags(sdl_window(text())) & SDL_WINDOW_SHOWN, 0u);
}

TEST_F(SdlTest, ResizedTextWindowReportsItsNewClientSize) {
    start();
    SDL_SetWindowSize(sdl_window(text()), 400, 300);
    pump();
    const Rect client = platform->client_rect(text());
    EXPECT_EQ(client.right, 400);
    EXPECT_EQ(client.bottom, 300);
}

TEST_F(SdlTest, CopiedImageIsShownBelowTheMenuStripClippedToTheClient) {
    start();
    fw.offscreen_image->fill_rect(0, 0, 601, 540, rgb(255, 255, 255));
    fw.offscreen_image->fill_rect(0, 0, 1, 1, rgb(255, 0, 0));
    fw.offscreen_image->fill_rect(594, 490, 601, 540, rgb(0, 0, 255));
    fw.image_changed = 1;
    present_image();
    EXPECT_EQ(shown_pixel(graphics(), 0, 20), 0xFF0000u);
    EXPECT_EQ(shown_pixel(graphics(), 1, 20), 0xFFFFFFu);
    EXPECT_EQ(shown_pixel(graphics(), 594, 510), 0x0000FFu);
    EXPECT_NE(shown_pixel(graphics(), 0, 19), 0xFF0000u);  // the menu strip, not the image
}

// A copy after a copy puts only the rows that changed; what is shown is still
// the whole newest picture, at the right rows below the menu strip.
TEST_F(SdlTest, SuccessiveCopiesShowTheNewestPictureInEveryRow) {
    start();
    Canvas& image = *fw.offscreen_image;
    image.fill_rect(0, 0, 601, 540, rgb(255, 255, 255));
    fw.image_changed = 1;
    present_image();
    image.fill_rect(10, 100, 20, 102, rgb(255, 0, 0));  // a run of two rows
    image.fill_rect(594, 300, 595, 301, rgb(0, 0, 255));
    image.fill_rect(0, 490, 1, 491, rgb(0, 128, 0));     // the last row shown
    fw.image_changed = 1;
    present_image();
    EXPECT_EQ(shown_pixel(graphics(), 10, 120), 0xFF0000u);
    EXPECT_EQ(shown_pixel(graphics(), 19, 121), 0xFF0000u);
    EXPECT_EQ(shown_pixel(graphics(), 20, 121), 0xFFFFFFu);
    EXPECT_EQ(shown_pixel(graphics(), 10, 122), 0xFFFFFFu);
    EXPECT_EQ(shown_pixel(graphics(), 594, 320), 0x0000FFu);
    EXPECT_EQ(shown_pixel(graphics(), 0, 510), 0x008000u);
    // Back to white: the changed rows are put again, and a paint shows the same.
    image.fill_rect(0, 0, 601, 540, rgb(255, 255, 255));
    fw.image_changed = 1;
    present_image();
    EXPECT_EQ(shown_pixel(graphics(), 10, 120), 0xFFFFFFu);
    EXPECT_EQ(shown_pixel(graphics(), 594, 320), 0xFFFFFFu);
    EXPECT_EQ(shown_pixel(graphics(), 0, 510), 0xFFFFFFu);
}

TEST_F(SdlTest, CloseBoxOfTheGraphicsWindowEndsTheWaitWithQuit) {
    start();
    window_event(SDL_WINDOWEVENT_CLOSE, graphics());
    EXPECT_EQ(wait(), TOVIK_QUIT);
    EXPECT_EQ(sdl_window(graphics()), nullptr);
    EXPECT_FALSE(platform->timer_running(graphics(), 2));
    // Drawing and presenting after the window is gone is harmless.
    TOVIK_clear();
    present_image();
}

TEST_F(SdlTest, CloseBoxOfTheTextWindowLeavesTheGameRunning) {
    start();
    window_event(SDL_WINDOWEVENT_CLOSE, text());
    click(297, 265);
    EXPECT_EQ(wait(), TOVIK_MOUSE);
    EXPECT_EQ(sdl_window(text()), nullptr);
    EXPECT_EQ(TOVIK_show_text_window(1), 0);
    TOVIK_print("nobody sees this\n");
    click(297, 265);
    EXPECT_EQ(wait(), TOVIK_MOUSE);
}

TEST_F(SdlTest, TerminationSignalIsTheQuitRequest) {
    start();
    ASSERT_TRUE(platform->signals_watched());
    std::raise(SIGTERM);
    EXPECT_EQ(wait(), TOVIK_QUIT);
    std::raise(SIGINT);
    EXPECT_EQ(wait(), TOVIK_QUIT);
}

// Closing the terminal the program was started from, or Ctrl+\ in it, ends it
// the same way; unless they were ignored at start (nohup), which the test may
// have been: a platform made with their default dispositions watches them.
TEST_F(SdlTest, HangUpAndQuitSignalsAreTheQuitRequestUnlessIgnoredAtStart) {
    // The platform puts back the dispositions it found: set them with none.
    const auto remake_platform_with = [this](void (*hang_up)(int)) {
        set_platform(nullptr);
        platform.reset();
        std::signal(SIGHUP, hang_up);
        std::signal(SIGQUIT, SIG_DFL);
        platform = std::make_unique<sdl::SdlPlatform>();
        set_platform(platform.get());
    };
    remake_platform_with(SIG_IGN);
    struct sigaction hang_up {};
    sigaction(SIGHUP, nullptr, &hang_up);
    EXPECT_EQ(hang_up.sa_handler, SIG_IGN);

    remake_platform_with(SIG_DFL);
    start();
    std::raise(SIGHUP);
    EXPECT_EQ(wait(), TOVIK_QUIT);
    std::raise(SIGQUIT);
    EXPECT_EQ(wait(), TOVIK_QUIT);
}

}  // namespace
}  // namespace tovik::testing
