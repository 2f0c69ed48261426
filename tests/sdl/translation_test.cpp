// Key codes, typed characters and menu labels.
#include <gtest/gtest.h>

#include "drawn_menu/menu_store.h"
#include "sdl/sdl_keys.h"

namespace tovik::sdl {
namespace {

using drawn_menu::LabelParts;
using drawn_menu::MenuStore;
using drawn_menu::parse_label;

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

TEST(SdlKeys, CharactersTypedWithoutText) {
    EXPECT_EQ(control_character(keysym(SDLK_RETURN, SDL_SCANCODE_RETURN)), 13u);
    EXPECT_EQ(control_character(keysym(SDLK_BACKSPACE, SDL_SCANCODE_BACKSPACE)), 8u);
    EXPECT_EQ(control_character(keysym(SDLK_TAB, SDL_SCANCODE_TAB, KMOD_LSHIFT)), 9u);
    EXPECT_EQ(control_character(keysym(SDLK_ESCAPE, SDL_SCANCODE_ESCAPE)), 27u);
    EXPECT_EQ(control_character(keysym(SDLK_a, SDL_SCANCODE_A, KMOD_LCTRL)), 1u);
    EXPECT_EQ(control_character(keysym(SDLK_z, SDL_SCANCODE_Z, KMOD_RCTRL)), 26u);
    EXPECT_EQ(control_character(keysym(SDLK_RETURN, SDL_SCANCODE_RETURN, KMOD_LCTRL)), 10u);
    EXPECT_EQ(control_character(keysym(SDLK_a, SDL_SCANCODE_A)), 0u);  // from its text
    EXPECT_EQ(control_character(keysym(SDLK_1, SDL_SCANCODE_1, KMOD_LCTRL)), 0u);
}

TEST(SdlKeys, SystemKeys) {
    EXPECT_TRUE(is_system_key(keysym(SDLK_r, SDL_SCANCODE_R, KMOD_LALT)));
    EXPECT_TRUE(is_system_key(keysym(SDLK_F10, SDL_SCANCODE_F10)));
    EXPECT_TRUE(is_system_key(keysym(SDLK_LALT, SDL_SCANCODE_LALT)));
    EXPECT_FALSE(is_system_key(keysym(SDLK_r, SDL_SCANCODE_R)));
    EXPECT_FALSE(is_system_key(keysym(SDLK_r, SDL_SCANCODE_R, KMOD_LALT | KMOD_LCTRL)));
}

TEST(SdlKeys, Latin1FromUtf8) {
    using Bytes = std::vector<unsigned char>;
    EXPECT_EQ(latin1_characters("a"), Bytes{'a'});
    EXPECT_EQ(latin1_characters("\xC3\xA9\xC3\xBF"), (Bytes{0xE9, 0xFF}));
    EXPECT_EQ(latin1_characters("x\xE2\x82\xACy"), (Bytes{'x', 'y'}));        // euro dropped
    EXPECT_EQ(latin1_characters("\xF0\x9F\x98\x80"), Bytes{});                // emoji dropped
    EXPECT_EQ(latin1_characters("\xC1\x81"), Bytes{});                        // overlong 'A'
    EXPECT_EQ(latin1_characters("\xC3"), Bytes{});                            // cut short
    EXPECT_EQ(latin1_characters("\xA9z\xC3(" ), (Bytes{'z', '('}));           // stray bytes
}

TEST(SdlMenuLabels, AccessLetterAndShortcut) {
    const LabelParts frame = parse_label("Advance one &frame\tCtrl+F");
    EXPECT_EQ(frame.text, "Advance one frame");
    EXPECT_EQ(frame.shortcut, "Ctrl+F");
    EXPECT_EQ(frame.access, 12);
    EXPECT_EQ(frame.access_letter(), 'f');
    const LabelParts plain = parse_label("Fish && &Chips");
    EXPECT_EQ(plain.text, "Fish & Chips");
    EXPECT_EQ(plain.access_letter(), 'c');
    EXPECT_EQ(parse_label("MAC: a@b").access, -1);
    EXPECT_EQ(parse_label("trailing&").text, "trailing&");
}

TEST(SdlMenuStore, CheckTouchesTheFirstCommandWithTheId) {
    MenuStore store;
    const MenuHandle menu = store.create();
    store.append(menu, MENU_SEPARATOR, 4, nullptr);
    store.append(menu, MENU_STRING, 4, "one");
    store.append(menu, MENU_STRING, 4, "two");
    EXPECT_TRUE(store.check(menu, 4, true));
    EXPECT_FALSE(store.check(menu, 4, true));
    EXPECT_TRUE(store.items(menu)[1].checked());
    EXPECT_FALSE(store.items(menu)[2].checked());
    store.append(99, MENU_STRING, 1, "nowhere");  // no such menu: ignored
    EXPECT_TRUE(store.items(99).empty());
}

}  // namespace
}  // namespace tovik::sdl
