// The message queue in the native order, the timer rule and key translation.
#include "window_system/keyboard.h"
#include "window_system/window_system_fixture.h"

namespace tovik::testing {
namespace {

using MessagesTest = WindowSystemTest;

Message next(FakePlatform& fake) {
    Message message;
    EXPECT_TRUE(fake.get_message(message));
    return message;
}

TEST_F(MessagesTest, QuitIsReportedOnceAfterPostedMessagesAndBeforePaintAndTicks) {
    fake.auto_timer = true;
    fake.invalidate(graphics());
    fake.invalidate(graphics());
    fake.post_quit(0);
    fake.post_message({graphics(), MsgKind::Other, 0, 0});
    EXPECT_EQ(next(fake).kind, MsgKind::Other);
    Message message;
    EXPECT_FALSE(fake.get_message(message));
    message = next(fake);
    EXPECT_EQ(message.kind, MsgKind::Paint);
    EXPECT_EQ(message.window, graphics());
    fake.dispatch_message(message);
    // One paint for both requests: what follows is the timer's tick.
    message = next(fake);
    EXPECT_EQ(message.kind, MsgKind::Timer);
    EXPECT_EQ(message.wparam, 2u);
}

TEST_F(MessagesTest, TicksWaitForOtherMessagesAndNeverPileUp) {
    fake.auto_timer = true;
    fake.click(10, 10);
    fake.key_down('X', 'x');
    EXPECT_EQ(next(fake).kind, MsgKind::LButtonDown);
    const Message key_down = next(fake);
    EXPECT_EQ(key_down.kind, MsgKind::KeyDown);
    fake.translate_message(key_down);  // the character it types comes next, ahead of all
    const Message typed = next(fake);
    EXPECT_EQ(typed.kind, MsgKind::Char);
    EXPECT_EQ(typed.wparam, static_cast<std::uintptr_t>('x'));
    // However long nothing else came, one tick is pending, then the next period's.
    EXPECT_EQ(next(fake).kind, MsgKind::Timer);
    EXPECT_EQ(next(fake).kind, MsgKind::Timer);
    fake.kill_timer(graphics(), 2);
    EXPECT_FALSE(fake.timer_running(graphics(), 2));
    EXPECT_DEATH(next(fake), "would wait forever");
}

TEST_F(MessagesTest, ClosingAWindowDropsItsMessagesAndTimers) {
    fake.click(10, 10);
    fake.close_window(graphics());
    EXPECT_TRUE(fake.window(graphics()).destroyed);
    EXPECT_EQ(fake.queued(), 0u);
    EXPECT_FALSE(fake.timer_running(graphics(), 2));
    EXPECT_EQ(wait(), TOVIK_QUIT);  // the graphics window's handler posted the quit request
    fake.click(10, 10);             // input for a window that is gone is dropped
    EXPECT_EQ(fake.queued(), 0u);
}

TEST_F(MessagesTest, ClicksOutsideTheClientAreaAreNoEvents) {
    fake.click(400, -1);  // the menu strip, beside the title: the menu's
    fake.click(595, 10);  // right of the client area
    fake.click(0, 491);   // below it
    EXPECT_EQ(fake.queued(), 2u);
    pump();
    fake.click(0, 490);
    EXPECT_EQ(wait(), TOVIK_MOUSE);
    EXPECT_EQ(x, -297);
    EXPECT_EQ(y, -245);
}

TEST(Keyboard, TypedCharactersAndSystemKeys) {
    using window_system::is_system_key;
    using window_system::KeyState;
    using window_system::typed_characters;
    const KeyState none, ctrl{true}, alt{false, true}, alt_gr{true, true};
    EXPECT_EQ(typed_characters('A', none, "a"), "a");
    EXPECT_EQ(typed_characters('A', ctrl, "a"), "\x01");  // whatever text the key has
    EXPECT_EQ(typed_characters('Z', ctrl, ""), "\x1A");
    EXPECT_EQ(typed_characters('1', ctrl, "1"), "");
    EXPECT_EQ(typed_characters(219, ctrl, ""), "\x1B");  // Ctrl+[
    EXPECT_EQ(typed_characters('Q', alt_gr, "@"), "@");
    EXPECT_EQ(typed_characters(VKEY_RETURN, none, ""), "\r");
    EXPECT_EQ(typed_characters(VKEY_RETURN, ctrl, ""), "\n");
    EXPECT_EQ(typed_characters(VKEY_BACK, none, ""), "\b");
    EXPECT_EQ(typed_characters(VKEY_BACK, ctrl, ""), "\x7F");
    EXPECT_EQ(typed_characters(VKEY_TAB, none, ""), "\t");
    EXPECT_EQ(typed_characters(VKEY_ESCAPE, none, ""), "\x1B");
    EXPECT_EQ(typed_characters(222, none, "\xE9"), "\xE9");
    EXPECT_EQ(typed_characters('X', none, "xy"), "xy");  // an input method's text
    EXPECT_TRUE(is_system_key('R', alt));
    EXPECT_TRUE(is_system_key(VKEY_F10, none));
    EXPECT_TRUE(is_system_key(VKEY_MENU, none));
    EXPECT_FALSE(is_system_key('R', none));
    EXPECT_FALSE(is_system_key('R', alt_gr));
}

}  // namespace
}  // namespace tovik::testing
