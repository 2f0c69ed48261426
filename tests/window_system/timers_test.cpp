// Timers as deadlines on the message loop's clock: on any clock.
#include <gtest/gtest.h>

#include "window_system/timers.h"

namespace tovik::window_system {
namespace {

TEST(Timers, ADueTimerTicksOnceAndSleepsLastUntilTheNextDeadline) {
    Timers timers;
    EXPECT_EQ(timers.sleep_ms(0), -1);  // nothing to wake for
    timers.set(1, 2, 50, 1000);
    EXPECT_EQ(timers.sleep_ms(1000), 50);
    EXPECT_FALSE(timers.take_tick(1049));
    EXPECT_EQ(timers.sleep_ms(1049), 1);

    const auto tick = timers.take_tick(1050);
    ASSERT_TRUE(tick);
    EXPECT_EQ(tick->window, 1u);
    EXPECT_EQ(tick->id, 2u);
    EXPECT_FALSE(timers.take_tick(1050));  // one tick per expiry
    EXPECT_EQ(timers.sleep_ms(1060), 40);  // on the period's grid, not 50 from the take

    // Far behind (a long frame): one tick, not one per missed period.
    EXPECT_TRUE(timers.take_tick(1400));
    EXPECT_FALSE(timers.take_tick(1449));
    EXPECT_TRUE(timers.take_tick(1450));

    timers.set(1, 2, 0, 2000);  // restarted: a zero period runs as fast as it can
    EXPECT_EQ(timers.sleep_ms(2000), 1);
    timers.kill(1, 2);
    EXPECT_FALSE(timers.running(1, 2));
    EXPECT_EQ(timers.sleep_ms(5000), -1);
}

TEST(Timers, DueTimersTakeTurns) {
    Timers timers;
    timers.set(1, 7, 10, 0);
    timers.set(2, 7, 10, 0);
    ASSERT_EQ(timers.take_tick(10)->window, 1u);
    ASSERT_EQ(timers.take_tick(20)->window, 2u);  // both due: the other one first
    ASSERT_EQ(timers.take_tick(20)->window, 1u);
    timers.kill_all(1);
    EXPECT_TRUE(timers.running(2, 7));
    EXPECT_FALSE(timers.running(1, 7));
}

}  // namespace
}  // namespace tovik::window_system
