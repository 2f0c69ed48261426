// The event wait: every row of its state table, and the animation modes.
#include "support/framework_fixture.h"

namespace tovik::testing {
namespace {

class WaitTest : public FrameworkTest {
protected:
    WaitTest() {
        fake.auto_timer = false;  // every timer message is scripted
        start();
    }
    // Client pixel of framework point (fx, fy).
    void click_at(int fx, int fy) { fake.click(fw.origin_x + fx, fw.origin_y - fy); }
};

TEST_F(WaitTest, HaltedWaitIgnoresTimersAndReturnsTheClick) {
    fake.timer();
    fake.timer();
    click_at(3, -4);
    EXPECT_EQ(wait(), TOVIK_MOUSE);
    EXPECT_EQ(fake.queued(), 0u);
    EXPECT_EQ(x, 3);
    EXPECT_EQ(y, -4);
    EXPECT_EQ(key, 0);
}

TEST_F(WaitTest, RunningWaitArmsAtOneTimerAndReturnsAtTheNext) {
    TOVIK_set_animation(ANIM_RUN);
    fake.timer();  // arms; this notification itself is discarded
    fake.timer();
    fake.timer();
    x = y = 7;
    key = 7;
    EXPECT_EQ(wait(), TOVIK_PERIODIC);
    EXPECT_EQ(fake.queued(), 1u);
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 0);
    EXPECT_EQ(key, 0);
}

TEST_F(WaitTest, ThePlatformHearsOfEachChangeOfStateBeforeTheWaitThatFollowsIt) {
    const auto wait_for_a_click = [this] {
        click_at(0, 0);
        wait();
    };
    wait_for_a_click();
    fw.animating = 1;
    fw.recording = 1;
    wait_for_a_click();
    wait_for_a_click();  // nothing changed
    fw.animating = 0;
    fw.recording = 0;
    fw.playing_back = 1;
    wait_for_a_click();
    const std::vector<RunState> told{
        {false, false, false}, {true, true, false}, {false, false, true}};
    EXPECT_EQ(fake.run_states, told);
}

TEST_F(WaitTest, AnyFirstMessageArmsTheWait) {
    TOVIK_set_animation(ANIM_RUN);
    fake.queue({fw.graphics_window, MsgKind::Other, 0, 0});  // e.g. mouse movement
    fake.timer();
    EXPECT_EQ(wait(), TOVIK_PERIODIC);
    EXPECT_EQ(fake.queued(), 0u);
}

TEST_F(WaitTest, AClickWhileArmedEndsTheWaitWithTheClick) {
    TOVIK_set_animation(ANIM_RUN);
    fake.timer();
    click_at(0, 0);
    fake.timer();
    EXPECT_EQ(wait(), TOVIK_MOUSE);
    EXPECT_EQ(fake.queued(), 1u);
}

TEST_F(WaitTest, AnArmedWaitStaysArmedWhenHaltedMeanwhile) {
    TOVIK_set_animation(ANIM_RUN);
    fake.timer();
    fake.command(CMD_HALT);
    fake.timer();
    EXPECT_EQ(wait(), TOVIK_PERIODIC);
    fake.timer();
    fake.timer();
    click_at(1, 1);
    EXPECT_EQ(wait(), TOVIK_MOUSE);  // halted now: the timers gave nothing
}

TEST_F(WaitTest, SingleStepGivesOnePeriodicEventThenHalts) {
    EXPECT_EQ(TOVIK_set_animation(ANIM_STEP), 1);
    fake.timer();
    fake.timer();
    EXPECT_EQ(wait(), TOVIK_PERIODIC);
    EXPECT_EQ(fw.single_step, 0);
    fake.timer();
    fake.timer();
    click_at(0, 0);
    EXPECT_EQ(wait(), TOVIK_MOUSE);
}

TEST_F(WaitTest, StepWhileRunningKeepsRunning) {
    TOVIK_set_animation(ANIM_RUN);
    TOVIK_set_animation(ANIM_STEP);
    for (int i = 0; i < 3; ++i) {
        fake.timer();
        fake.timer();
        EXPECT_EQ(wait(), TOVIK_PERIODIC);
    }
}

TEST_F(WaitTest, TypedCharactersBecomeSignedKeysUnlessCtrlIsHeld) {
    fake.type_char('a');
    EXPECT_EQ(wait(), TOVIK_KBD);
    EXPECT_EQ(key, 'a');
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 0);

    fake.type_char(200);
    EXPECT_EQ(wait(), TOVIK_KBD);
    EXPECT_EQ(key, -56);

    fake.key_down(VKEY_CONTROL);
    fake.type_char('x');  // a command character, never a key event
    click_at(0, 0);
    EXPECT_EQ(wait(), TOVIK_MOUSE);
    EXPECT_EQ(key, 0);

    fake.key_up(VKEY_CONTROL);
    fake.key_down('B', 'b');  // translated into a typed character
    EXPECT_EQ(wait(), TOVIK_KBD);
    EXPECT_EQ(key, 'b');
}

TEST_F(WaitTest, ClicksConvertThroughTheOrigin) {
    fake.click(297, 245);
    EXPECT_EQ(wait(), TOVIK_MOUSE);
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 0);
    fake.click(297, 244);
    wait();
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 1);
    fake.click(0, 0);
    wait();
    EXPECT_EQ(x, -297);
    EXPECT_EQ(y, 245);
    fake.click(594, 490);
    wait();
    EXPECT_EQ(x, 297);
    EXPECT_EQ(y, -245);
}

TEST_F(WaitTest, ThePlatformQuitIsReportedOnce) {
    TOVIK_set_animation(ANIM_RUN);
    fake.command(CMD_QUIT);
    EXPECT_EQ(wait(), TOVIK_QUIT);
    fake.timer();
    fake.timer();
    EXPECT_EQ(wait(), TOVIK_PERIODIC);
}

TEST_F(WaitTest, ClosingTheGraphicsWindowEndsTheWaitWithQuit) {
    TOVIK_set_animation(ANIM_RUN);
    fake.timer();
    fake.on_idle = [this] { fake.close_window(fw.graphics_window); };
    EXPECT_EQ(wait(), TOVIK_QUIT);
    EXPECT_FALSE(fake.timer_running(fw.graphics_window, 2));
}

TEST_F(WaitTest, AnimQuitTurnsEveryLaterEventIntoQuit) {
    TOVIK_set_animation(ANIM_RUN);
    EXPECT_EQ(TOVIK_set_animation(ANIM_QUIT), 1);
    click_at(5, 5);
    EXPECT_EQ(wait(), TOVIK_QUIT);
    EXPECT_EQ(x, 5);  // the event's data still arrives
    fake.timer();
    fake.timer();
    EXPECT_EQ(wait(), TOVIK_QUIT);
    TOVIK_set_animation(ANIM_HALT);
    fake.type_char('q');
    EXPECT_EQ(wait(), TOVIK_QUIT);
}

TEST_F(WaitTest, ModesOutsideTheTableChangeNothing) {
    TOVIK_set_animation(ANIM_RUN);
    for (const std::int32_t mode : {3, 4, 6, -1, -5, 1000}) {
        EXPECT_EQ(TOVIK_set_animation(mode), 1);
    }
    EXPECT_EQ(fw.animating, 1);
    EXPECT_EQ(fw.single_step, 0);
    EXPECT_EQ(fw.quit_requested, 0);
}

TEST(WaitBeforeStart, SetAnimationBeforeStartIsRefused) {
    reset_framework();
    FakePlatform fake;
    set_platform(&fake);
    EXPECT_EQ(TOVIK_set_animation(ANIM_RUN), 0);
    TOVIK_start(nullptr, nullptr, "", 1);
    EXPECT_EQ(fw.animating, 0);
    fake.auto_timer = false;
    fake.timer();
    fake.timer();
    fake.click(1, 1);
    EXPECT_EQ(TOVIK_wait_event(nullptr, nullptr, nullptr), TOVIK_MOUSE);
    reset_framework();
    set_platform(nullptr);
}

}  // namespace
}  // namespace tovik::testing
