// The drawn Run menu reached through SDL's events: keys and clicks as SDL
// sends them, and the picture on the window surface.
#include "sdl_fixture.h"

namespace tovik::testing {
namespace {

class MenuTest : public SdlTest {
protected:
    void SetUp() override {
        start();
        pump();
        bar = platform->menu_bar(graphics());
        ASSERT_NE(bar, nullptr);
    }

    const WindowSystem::MenuBar* bar = nullptr;
};

TEST_F(MenuTest, AltWithTheAccessLetterOpensAndKeysChoose) {
    key(SDL_KEYDOWN, SDLK_LALT, SDL_SCANCODE_LALT, KMOD_LALT);
    press(SDLK_r, SDL_SCANCODE_R, "", KMOD_LALT);
    key(SDL_KEYUP, SDLK_LALT, SDL_SCANCODE_LALT, 0);
    pump();
    ASSERT_TRUE(bar->is_open());
    press(SDLK_DOWN, SDL_SCANCODE_DOWN);
    press(SDLK_DOWN, SDL_SCANCODE_DOWN);
    press(SDLK_RETURN, SDL_SCANCODE_RETURN);
    pump();
    EXPECT_FALSE(bar->is_open());
    EXPECT_EQ(fw.single_step, 1);
}

TEST_F(MenuTest, ClicksOpenAndChooseAndTheSurfaceShowsThePictureAgain) {
    fw.offscreen_image->fill_rect(0, 0, 601, 540, rgb(10, 120, 30));
    fw.image_changed = 1;
    present_image();
    click_centre_of(bar->title_rect(0));
    pump();
    ASSERT_TRUE(bar->is_open());
    const Rect drop = bar->drop_rect();
    EXPECT_NE(shown_pixel(graphics(), drop.left + 2, drop.top + 2), 0x0A781Eu);
    click_centre_of(bar->item_rect(0));  // Animate
    pump();
    EXPECT_FALSE(bar->is_open());
    EXPECT_EQ(fw.animating, 1);
    EXPECT_EQ(shown_pixel(graphics(), drop.left + 2, drop.top + 2), 0x0A781Eu);
}

}  // namespace
}  // namespace tovik::testing
