// The drawn Run menu: opening, choosing and closing it by mouse and by
// keyboard, what it shows, and the menus as stored.
#include "window_system/window_system_fixture.h"

namespace tovik::testing {
namespace {

using window_system::LabelParts;
using window_system::MenuStore;
using window_system::parse_label;

// Positions in the Run menu as the framework builds it.
constexpr std::size_t ANIMATE = 0;
constexpr std::size_t STEP = 2;
constexpr std::size_t FIRST_SEPARATOR = 3;
constexpr std::size_t LOGGING = 4;
constexpr std::size_t QUIT = 10;
constexpr std::size_t FIRST_INFO = 12;

class MenuTest : public WindowSystemTest {
protected:
    void SetUp() override {
        WindowSystemTest::SetUp();
        bar = fake.menu_bar(graphics());
        ASSERT_NE(bar, nullptr);
    }

    void open_by_mouse() {
        click_centre_of(bar->title_rect(0));
        pump();
        ASSERT_TRUE(bar->is_open());
    }
    void alt(std::uintptr_t key) {
        native().key_down(graphics(), VKEY_MENU, {false, true}, "");
        press(key, "", {false, true});
        native().key_up(graphics(), VKEY_MENU, {});
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

    const WindowSystem::MenuBar* bar = nullptr;
};

TEST_F(MenuTest, BarIsDrawnInTheStripAboveTheClientArea) {
    show_picture(rgb(0, 0, 0));
    EXPECT_NE(shown(590, 5), shown(590, 25));
    EXPECT_EQ(bar->title_rect(0).top, 0);
    EXPECT_EQ(bar->title_rect(0).bottom, 20);
    // The access letter R is underlined.
    int dark = 0;
    for (const std::uint32_t p : shown(bar->title_rect(0))) dark += (p & 0xFF) < 0x80 ? 1 : 0;
    EXPECT_GT(dark, 0);
}

TEST_F(MenuTest, MouseOpensChoosesAndClosesRestoringThePicture) {
    show_picture(rgb(10, 120, 30));
    open_by_mouse();
    const Rect drop = bar->drop_rect();
    EXPECT_EQ(drop.top, 20);
    EXPECT_NE(shown(drop.left + 2, drop.top + 2), 0x0A781Eu);
    EXPECT_EQ(bar->selected(), -1);

    click_centre_of(bar->item_rect(ANIMATE));
    pump();
    EXPECT_FALSE(bar->is_open());
    EXPECT_EQ(fw.animating, 1);
    for (const std::uint32_t p : shown(drop)) ASSERT_EQ(p, 0x0A781Eu);
}

// The drop-down stays over a picture copied while it is open, and closing it
// shows that picture, not the one it was opened over.
TEST_F(MenuTest, PictureCopiedUnderTheOpenDropDownShowsWhenItCloses) {
    show_picture(rgb(10, 120, 30));
    open_by_mouse();
    const Rect drop = bar->drop_rect();
    const std::vector<std::uint32_t> menu = shown(drop);
    show_picture(rgb(0, 0, 255));
    EXPECT_EQ(shown(drop), menu);
    EXPECT_EQ(shown(drop.right, drop.top), 0x0000FFu);
    EXPECT_EQ(shown(drop.left, drop.bottom), 0x0000FFu);
    press(VKEY_ESCAPE);
    for (const std::uint32_t p : shown(drop)) ASSERT_EQ(p, 0x0000FFu);
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
    EXPECT_TRUE(fake.menus().items(fw.run_menu)[LOGGING].checked());
    EXPECT_GT(marks_in_gutter(LOGGING), 0);
    EXPECT_EQ(marks_in_gutter(ANIMATE), 0);
    // Unchecking shows at once in the open drop-down.
    TOVIK_set_logging(0);
    EXPECT_FALSE(fake.menus().items(fw.run_menu)[LOGGING].checked());
    EXPECT_EQ(marks_in_gutter(LOGGING), 0);
}

TEST_F(MenuTest, KeyboardOpensMovesAndChooses) {
    alt('R');
    pump();
    ASSERT_TRUE(bar->is_open());
    EXPECT_EQ(bar->selected(), static_cast<int>(ANIMATE));
    press(VKEY_UP);  // wraps round to the last line that can be chosen
    EXPECT_EQ(bar->selected(), static_cast<int>(QUIT));
    press(VKEY_DOWN);
    press(VKEY_DOWN);
    press(VKEY_DOWN);
    EXPECT_EQ(bar->selected(), static_cast<int>(STEP));
    press(VKEY_DOWN);  // over the separator
    EXPECT_EQ(bar->selected(), static_cast<int>(LOGGING));
    // A held key repeating moves on, but does not choose.
    native().key_down(graphics(), VKEY_UP, {false, false, true}, "");
    native().key_down(graphics(), VKEY_RETURN, {false, false, true}, "");
    EXPECT_TRUE(bar->is_open());
    press(VKEY_RETURN);
    pump();
    EXPECT_FALSE(bar->is_open());
    EXPECT_EQ(fw.single_step, 1);
    EXPECT_EQ(fw.animating, 0);
}

TEST_F(MenuTest, AccessLettersChooseAndEscapeCloses) {
    press(VKEY_F10);
    ASSERT_TRUE(bar->is_open());
    press(VKEY_ESCAPE);
    EXPECT_FALSE(bar->is_open());

    alt('R');
    press('L', "l");
    pump();
    EXPECT_FALSE(bar->is_open());
    EXPECT_EQ(fw.logging, 0);
    EXPECT_FALSE(fake.menus().items(fw.run_menu)[LOGGING].checked());
}

TEST_F(MenuTest, KeysDoNotReachTheGameWhileTheDropDownIsOpenButReleasesDo) {
    native().key_down(graphics(), VKEY_CONTROL, {true}, "");
    alt('R');
    press('Z', "z");  // no item has z
    native().key_up(graphics(), VKEY_CONTROL, {});  // let go over the open drop-down
    press(VKEY_ESCAPE);
    press('Y', "y");
    EXPECT_EQ(wait(), TOVIK_KBD);
    EXPECT_EQ(key, 'y');
    EXPECT_EQ(fw.ctrl_held, 0);
}

TEST_F(MenuTest, FocusLossClosesTheDropDown) {
    open_by_mouse();
    fake.lose_focus();
    EXPECT_FALSE(bar->is_open());
}

TEST_F(MenuTest, QuitFromTheMenuEndsTheWait) {
    open_by_mouse();
    click_centre_of(bar->item_rect(QUIT));
    EXPECT_EQ(wait(), TOVIK_QUIT);
    EXPECT_FALSE(fake.window(graphics()).destroyed);  // Quit does not destroy the windows
}

TEST(MenuLabels, AccessLetterAndShortcut) {
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

TEST(MenuStore, CheckTouchesTheFirstCommandWithTheId) {
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
}  // namespace tovik::testing
