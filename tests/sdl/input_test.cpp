// Clicks, keys and the timer, from SDL's events to the game's events.
#include "sdl_fixture.h"

namespace tovik::testing {
namespace {

TEST_F(SdlTest, ClickAtTheClientCentreIsTheOrigin) {
    start();
    click(297, 20 + 245);
    EXPECT_EQ(wait(), TOVIK_MOUSE);
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 0);
    click(297, 20 + 244);
    EXPECT_EQ(wait(), TOVIK_MOUSE);
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 1);
    click(0, 20);
    EXPECT_EQ(wait(), TOVIK_MOUSE);
    EXPECT_EQ(x, -297);
    EXPECT_EQ(y, 245);
}

TEST_F(SdlTest, OnlyLeftClicksInTheGraphicsClientAreaAreEvents) {
    start();
    click(400, 10);                             // the menu strip, beside the title
    click(100, 100, SDL_BUTTON_RIGHT);          // another button
    click(100, 100, SDL_BUTTON_LEFT, text());   // the text window
    SDL_Event motion{};
    motion.type = SDL_MOUSEMOTION;
    motion.motion.windowID = window_id(graphics());
    motion.motion.x = 50;
    motion.motion.y = 50;
    SDL_PushEvent(&motion);
    click(300, 270);
    EXPECT_EQ(wait(), TOVIK_MOUSE);
    EXPECT_EQ(x, 3);
    EXPECT_EQ(y, -5);
}

TEST_F(SdlTest, AnimationTimerProducesPeriodicEvents) {
    start();
    TOVIK_set_animation(ANIM_RUN);
    EXPECT_EQ(wait(), TOVIK_PERIODIC);
    EXPECT_EQ(wait(), TOVIK_PERIODIC);
}

TEST_F(SdlTest, TypedCharactersAreKeyEvents) {
    start();
    press(SDLK_a, SDL_SCANCODE_A, "a");
    EXPECT_EQ(wait(), TOVIK_KBD);
    EXPECT_EQ(typed, 'a');
    press(SDLK_a, SDL_SCANCODE_A, "A", KMOD_LSHIFT);
    EXPECT_EQ(wait(), TOVIK_KBD);
    EXPECT_EQ(typed, 'A');
    // Above 127 the 8-bit key is negative.
    press(0xE4, SDL_SCANCODE_APOSTROPHE, "\xC3\xA4");  // a with diaeresis
    EXPECT_EQ(wait(), TOVIK_KBD);
    EXPECT_EQ(typed, static_cast<signed char>(0xE4));
    press(SDLK_RETURN, SDL_SCANCODE_RETURN);
    EXPECT_EQ(wait(), TOVIK_KBD);
    EXPECT_EQ(typed, 13);
    press(SDLK_BACKSPACE, SDL_SCANCODE_BACKSPACE);
    EXPECT_EQ(wait(), TOVIK_KBD);
    EXPECT_EQ(typed, 8);
}

TEST_F(SdlTest, KeysThatTypeNothingTheGameCanTakeAreNoEvents) {
    start();
    press(0x20AC, SDL_SCANCODE_E, "\xE2\x82\xAC");  // the euro sign: beyond 8 bits
    press(SDLK_LEFT, SDL_SCANCODE_LEFT);
    press(SDLK_x, SDL_SCANCODE_X, "x", KMOD_LALT);  // a system key
    text_input("\xE2\x82\xAC");                      // text of an input method
    // The text still belongs to its key when another event comes between them.
    key(SDL_KEYDOWN, SDLK_x, SDL_SCANCODE_X, KMOD_LALT);
    push_window_system_event();
    text_input("x");
    press(SDLK_b, SDL_SCANCODE_B, "b");
    EXPECT_EQ(wait(), TOVIK_KBD);
    EXPECT_EQ(typed, 'b');
}

TEST_F(SdlTest, CtrlIsTrackedAndItsLettersAreCommands) {
    start();
    ASSERT_EQ(fw.logging, 1);
    key(SDL_KEYDOWN, SDLK_LCTRL, SDL_SCANCODE_LCTRL, KMOD_LCTRL);
    press(SDLK_l, SDL_SCANCODE_L, "l", KMOD_LCTRL);  // whatever text SDL makes, Ctrl+L types none
    key(SDL_KEYUP, SDLK_LCTRL, SDL_SCANCODE_LCTRL, 0);
    press(SDLK_c, SDL_SCANCODE_C, "c");
    EXPECT_EQ(wait(), TOVIK_KBD);
    EXPECT_EQ(typed, 'c');
    EXPECT_EQ(fw.logging, 0);
    EXPECT_EQ(fw.ctrl_held, 0);

    // Keys typed in the text window act as in the graphics window.
    key(SDL_KEYDOWN, SDLK_RCTRL, SDL_SCANCODE_RCTRL, KMOD_RCTRL, text());
    press(SDLK_l, SDL_SCANCODE_L, "", KMOD_RCTRL, text());
    pump();
    EXPECT_EQ(fw.ctrl_held, 1);
    EXPECT_EQ(fw.logging, 1);
    // Ctrl let go while another application has the focus.
    window_event(SDL_WINDOWEVENT_FOCUS_LOST, text());
    press(SDLK_q, SDL_SCANCODE_Q, "q");
    EXPECT_EQ(wait(), TOVIK_KBD);
    EXPECT_EQ(typed, 'q');
}

}  // namespace
}  // namespace tovik::testing
