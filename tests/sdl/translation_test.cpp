// SDL's key codes and text as the window system takes them.
#include <gtest/gtest.h>

#include "sdl/sdl_keys.h"

namespace tovik::sdl {
namespace {

SDL_Keysym keysym(SDL_Keycode sym, SDL_Scancode scancode, Uint16 mod = 0) {
    SDL_Keysym key{};
    key.sym = sym;
    key.scancode = scancode;
    key.mod = mod;
    return key;
}

TEST(SdlKeys, VirtualKeyCodes) {
    EXPECT_EQ(virtual_key(keysym(SDLK_a, SDL_SCANCODE_A)), 'A');
    // Letters follow the layout (the A key of an AZERTY keyboard sits where Q is).
    EXPECT_EQ(virtual_key(keysym(SDLK_a, SDL_SCANCODE_Q)), 'A');
    // A letter of another alphabet names its key by position.
    EXPECT_EQ(virtual_key(keysym(0x0439, SDL_SCANCODE_Q)), 'Q');
    EXPECT_EQ(virtual_key(keysym(SDLK_0, SDL_SCANCODE_0)), '0');
    EXPECT_EQ(virtual_key(keysym(SDLK_AMPERSAND, SDL_SCANCODE_1)), '1');
    EXPECT_EQ(virtual_key(keysym(SDLK_LCTRL, SDL_SCANCODE_LCTRL)), 17u);
    EXPECT_EQ(virtual_key(keysym(SDLK_RCTRL, SDL_SCANCODE_RCTRL)), 17u);
    EXPECT_EQ(virtual_key(keysym(SDLK_RETURN, SDL_SCANCODE_RETURN)), 13u);
    EXPECT_EQ(virtual_key(keysym(SDLK_KP_ENTER, SDL_SCANCODE_KP_ENTER)), 13u);
    EXPECT_EQ(virtual_key(keysym(SDLK_ESCAPE, SDL_SCANCODE_ESCAPE)), 27u);
    EXPECT_EQ(virtual_key(keysym(SDLK_LEFT, SDL_SCANCODE_LEFT)), 37u);
    EXPECT_EQ(virtual_key(keysym(SDLK_DOWN, SDL_SCANCODE_DOWN)), 40u);
    EXPECT_EQ(virtual_key(keysym(SDLK_F1, SDL_SCANCODE_F1)), 112u);
    EXPECT_EQ(virtual_key(keysym(SDLK_F12, SDL_SCANCODE_F12)), 123u);
    EXPECT_EQ(virtual_key(keysym(SDLK_KP_5, SDL_SCANCODE_KP_5)), 101u);
    EXPECT_EQ(virtual_key(keysym(SDLK_SEMICOLON, SDL_SCANCODE_SEMICOLON)), 186u);
}

TEST(SdlKeys, Latin1FromUtf8) {
    using Bytes = std::string;
    EXPECT_EQ(latin1_characters("a"), Bytes("a"));
    EXPECT_EQ(latin1_characters("\xC3\xA9\xC3\xBF"), Bytes("\xE9\xFF"));
    EXPECT_EQ(latin1_characters("x\xE2\x82\xACy"), Bytes("xy"));  // euro dropped
    EXPECT_EQ(latin1_characters("\xF0\x9F\x98\x80"), Bytes());      // emoji dropped
    EXPECT_EQ(latin1_characters("\xC1\x81"), Bytes());              // overlong 'A'
    EXPECT_EQ(latin1_characters("\xC3"), Bytes());                  // cut short
    EXPECT_EQ(latin1_characters("\xA9z\xC3("), Bytes("z("));        // stray bytes
}

}  // namespace
}  // namespace tovik::sdl
