// The Run menu that the backend draws: opening, choosing and closing it by
// mouse and by keyboard, and what it shows.
#include <vector>

#include "sdl_fixture.h"

namespace tovik::testing {
namespace {

// Positions in the Run menu as the framework builds it.
constexpr std::size_t ANIMATE = 0;
constexpr std::size_t STEP = 2;
constexpr std::size_t FIRST_SEPARATOR = 3;
constexpr std::size_t LOGGING = 4;
constexpr std::size_t QUIT = 10;
constexpr std::size_t FIRST_INFO = 12;

class MenuTest : public SdlTest {
protected:
    void SetUp() override {
        start();
        pump();
        bar = platform->menu_bar(graphics());
        ASSERT_NE(bar, nullptr);
    }

    void open_by_mouse() {
        click_centre_of(bar->title_rect(0));
        pump();
        ASSERT_TRUE(bar->is_open());
    }
    void alt(SDL_Keycode sym, SDL_Scancode scancode) {
        key(SDL_KEYDOWN, SDLK_LALT, SDL_SCANCODE_LALT, KMOD_LALT);
        press(sym, scancode, "", KMOD_LALT);
        key(SDL_KEYUP, SDLK_LALT, SDL_SCANCODE_LALT, 0);
    }

    // The pixels of a rectangle of the graphics window as shown.
    std::vector<std::uint32_t> shown(const Rect& r) const {
        std::vector<std::uint32_t> pixels;
        for (int wy = r.top; wy < r.bottom; ++wy) {
            for (int wx = r.left; wx < r.right; ++wx) pixels.push_back(shown_pixel(graphics(), wx, wy));
        }
        return pixels;
    }
    // Dark pixels in the check mark column of an item.
    int marks_in_gutter(std::size_t item) const {
        const Rect r = bar->item_rect(item);
        int dark = 0;
        for (const std::uint32_t p : shown({r.left, r.top, r.left + 26, r.bottom})) {
            if ((p & 0xFF) < 0x80) ++dark;
        }
        return dark;
    }

    const sdl::MenuBar* bar = nullptr;
};

TEST_F(MenuTest, BarIsDrawnInTheStripAboveTheClientArea) {
    const std::uint32_t bar_colour = shown_pixel(graphics(), 590, 5);
    EXPECT_NE(bar_colour, shown_pixel(graphics(), 590, 25));  // the picture (black before any drawing)
    EXPECT_EQ(bar->title_rect(0).top, 0);
    EXPECT_EQ(bar->title_rect(0).bottom, 20);
    // The access letter R is underlined.
    const Rect title = bar->title_rect(0);
    int dark = 0;
    for (const std::uint32_t p : shown(title)) dark += (p & 0xFF) < 0x80 ? 1 : 0;
    EXPECT_GT(dark, 0);
}

TEST_F(MenuTest, MouseOpensChoosesAndClosesRestoringThePicture) {
    fw.offscreen_image->fill_rect(0, 0, 601, 540, rgb(10, 120, 30));
    fw.image_changed = 1;
    present_image();
    open_by_mouse();
    const Rect drop = bar->drop_rect();
    EXPECT_EQ(drop.top, 20);
    EXPECT_NE(shown_pixel(graphics(), drop.left + 2, drop.top + 2), 0x0A781Eu);
    EXPECT_EQ(bar->selected(), -1);

    click_centre_of(bar->item_rect(ANIMATE));
    pump();
    EXPECT_FALSE(bar->is_open());
    EXPECT_EQ(fw.animating, 1);
    for (const std::uint32_t p : shown(drop)) ASSERT_EQ(p, 0x0A781Eu);
}

TEST_F(MenuTest, ClicksDoNotReachTheGameWhileTheDropDownIsOpen) {
    open_by_mouse();
    const Rect drop = bar->drop_rect();
    click_centre_of(bar->item_rect(FIRST_SEPARATOR));
    click_centre_of(bar->item_rect(FIRST_INFO));  // greyed: cannot be chosen
    pump();
    EXPECT_TRUE(bar->is_open());
    click(drop.right + 20, 300);  // elsewhere: only closes the drop-down
    pump();
    EXPECT_FALSE(bar->is_open());
    click(297, 265);
    EXPECT_EQ(wait(), TOVIK_MOUSE);
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 0);
    // Pressing the title again closes it too.
    open_by_mouse();
    click_centre_of(bar->title_rect(0));
    pump();
    EXPECT_FALSE(bar->is_open());
}

TEST_F(MenuTest, CheckMarksFollowTheItems) {
    open_by_mouse();
    EXPECT_TRUE(platform->menus().items(fw.run_menu)[LOGGING].checked());
    EXPECT_GT(marks_in_gutter(LOGGING), 0);
    EXPECT_EQ(marks_in_gutter(ANIMATE), 0);
    // Unchecking shows at once in the open drop-down.
    TOVIK_set_logging(0);
    EXPECT_FALSE(platform->menus().items(fw.run_menu)[LOGGING].checked());
    EXPECT_EQ(marks_in_gutter(LOGGING), 0);
}

TEST_F(MenuTest, KeyboardOpensMovesAndChooses) {
    alt(SDLK_r, SDL_SCANCODE_R);
    pump();
    ASSERT_TRUE(bar->is_open());
    EXPECT_EQ(bar->selected(), static_cast<int>(ANIMATE));
    press(SDLK_UP, SDL_SCANCODE_UP);  // wraps round to the last line that can be chosen
    pump();
    EXPECT_EQ(bar->selected(), static_cast<int>(QUIT));
    press(SDLK_DOWN, SDL_SCANCODE_DOWN);
    press(SDLK_DOWN, SDL_SCANCODE_DOWN);
    press(SDLK_DOWN, SDL_SCANCODE_DOWN);
    pump();
    EXPECT_EQ(bar->selected(), static_cast<int>(STEP));
    press(SDLK_DOWN, SDL_SCANCODE_DOWN);  // over the separator
    pump();
    EXPECT_EQ(bar->selected(), static_cast<int>(LOGGING));
    press(SDLK_UP, SDL_SCANCODE_UP);
    press(SDLK_RETURN, SDL_SCANCODE_RETURN);
    pump();
    EXPECT_FALSE(bar->is_open());
    EXPECT_EQ(fw.single_step, 1);
    EXPECT_EQ(fw.animating, 0);
}

TEST_F(MenuTest, AccessLettersChooseAndEscapeCloses) {
    press(SDLK_F10, SDL_SCANCODE_F10);
    pump();
    ASSERT_TRUE(bar->is_open());
    press(SDLK_ESCAPE, SDL_SCANCODE_ESCAPE);
    pump();
    EXPECT_FALSE(bar->is_open());

    alt(SDLK_r, SDL_SCANCODE_R);
    press(SDLK_l, SDL_SCANCODE_L, "l");
    pump();
    EXPECT_FALSE(bar->is_open());
    EXPECT_EQ(fw.logging, 0);
    EXPECT_FALSE(platform->menus().items(fw.run_menu)[LOGGING].checked());
}

TEST_F(MenuTest, KeysDoNotReachTheGameWhileTheDropDownIsOpen) {
    alt(SDLK_r, SDL_SCANCODE_R);
    press(SDLK_z, SDL_SCANCODE_Z, "z");  // no item has z
    press(SDLK_ESCAPE, SDL_SCANCODE_ESCAPE);
    press(SDLK_y, SDL_SCANCODE_Y, "y");
    EXPECT_EQ(wait(), TOVIK_KBD);
    EXPECT_EQ(typed, 'y');
}

TEST_F(MenuTest, QuitFromTheMenuEndsTheWait) {
    open_by_mouse();
    click_centre_of(bar->item_rect(QUIT));
    EXPECT_EQ(wait(), TOVIK_QUIT);
    EXPECT_NE(sdl_window(graphics()), nullptr);  // Quit does not destroy the windows
}

}  // namespace
}  // namespace tovik::testing
