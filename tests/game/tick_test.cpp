// The rules of the periodic tick.
#include <gtest/gtest.h>

#include <limits>

#include "game_test_support.h"
#include "main_loop.h"
#include "random.h"
#include "rules.h"
#include "tick.h"

namespace {

using game_test::clear_monkeys;
using game_test::GameTest;
using game_test::place_monkey;

constexpr std::int32_t INT_MAX32 = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t INT_MIN32 = std::numeric_limits<std::int32_t>::min();

// A seed whose first draw leaves `remainder` modulo 3.
std::uint32_t seed_with_first_step(std::int32_t remainder) {
    for (std::uint32_t seed = 1;; ++seed) {
        rng_seed(seed);
        if (rng_next() % 3 == remainder) {
            rng_seed(seed);
            return seed;
        }
    }
}

TEST_F(GameTest, FirstTickAfterSeedOneGivesTheKnownValues) {
    GameState g = start_seeded_game();
    play_event(g, TOVIK_PERIODIC, 0, 0);
    EXPECT_EQ(g.star1_size, 1);
    EXPECT_EQ(g.star1_colour, 21);
    EXPECT_EQ(g.star2_size, 4);
    EXPECT_EQ(g.star2_colour, 5);
    EXPECT_EQ(g.butterfly_x, 120);
    EXPECT_EQ(g.butterfly_y, -179);
    EXPECT_EQ(g.butterfly_wing, 7);
    const MonkeyArray arms{0, -1, -1, 0, 1, -1, 0, 0, 0, 1, 1, -1, -1, 0, 0};
    EXPECT_EQ(g.monkey_arm, arms);
    const FireColours colours{13, 6, 6, 13, 15, 13};
    EXPECT_EQ(g.explosion_colours, colours);
    EXPECT_EQ(g.moon_x, 249);
    EXPECT_EQ(g.splash_clock, 1);
    EXPECT_EQ(g.monkey_timer[0], 1);
}

TEST_F(GameTest, SeedOneMonkeysLandInTheLakeAndOnTheGround) {
    GameState g = start_seeded_game();
    for (int tick = 1; tick <= 193; ++tick) play_event(g, TOVIK_PERIODIC, 0, 0);
    EXPECT_EQ(g.monkey_y[4], -59);  // floor -61, x -181: not over the lake
    play_event(g, TOVIK_PERIODIC, 0, 0);
    EXPECT_EQ(g.monkey_y[4], -61);
    for (int tick = 195; tick <= 251; ++tick) play_event(g, TOVIK_PERIODIC, 0, 0);
    EXPECT_EQ(g.monkey_y[4], -61);
    EXPECT_EQ(g.monkey_y[3], -47);
    EXPECT_NE(g.splash_clock, -10);
    play_event(g, TOVIK_PERIODIC, 0, 0);  // the 252nd: down to -49, floor + 1, and under
    EXPECT_EQ(g.monkey_y[3], -350);
    EXPECT_EQ(g.splash_clock, -10);
    EXPECT_EQ(g.splash_monkey, 3);
}

TEST_F(GameTest, LakeLandingNeedsTheLakesFloorsAndItsXRange) {
    GameState g = start_seeded_game();
    clear_monkeys(g);
    place_monkey(g, 0, 100, -58, -60);   // lake's lowest floor, its right edge
    place_monkey(g, 1, 100, -59, -61);   // one floor too low
    place_monkey(g, 2, 101, -58, -60);   // one unit right of the lake
    place_monkey(g, 3, -299, -47, -50);  // reaches floor + 1 over the lake
    place_monkey(g, 4, 200, -47, -50);   // reaches floor + 1 elsewhere
    run_tick(g);
    EXPECT_EQ(g.monkey_y[0], -350);
    EXPECT_EQ(g.monkey_y[1], -61);
    EXPECT_EQ(g.monkey_y[2], -60);
    EXPECT_EQ(g.monkey_y[3], -350);
    EXPECT_EQ(g.monkey_y[4], -49);
    EXPECT_EQ(g.splash_clock, -10);
    EXPECT_EQ(g.splash_monkey, 3);  // of two landings the higher index is shown
    run_tick(g);
    EXPECT_EQ(g.monkey_y[4], -51);  // one more fall, then it rests below its floor
    EXPECT_EQ(g.monkey_y[1], -61);
    const GameState before = g;
    run_tick(g);
    EXPECT_EQ(g.monkey_y, before.monkey_y);
    EXPECT_EQ(g.monkey_arm, before.monkey_arm);  // resting monkeys keep their arms still
}

TEST_F(GameTest, ExplodedMonkeyLeavesOnTheEleventhTickAndStaysGone) {
    GameState g = start_seeded_game();
    clear_monkeys(g);
    place_monkey(g, 5, 0, 400, -100);
    play_event(g, TOVIK_MOUSE, 0, 400);
    EXPECT_EQ(g.monkey_timer[5], -100);
    for (int tick = 1; tick <= 10; ++tick) play_event(g, TOVIK_PERIODIC, 0, 0);
    EXPECT_EQ(g.monkey_y[5], 380);  // still falling while it explodes
    play_event(g, TOVIK_PERIODIC, 0, 0);
    EXPECT_EQ(g.monkey_timer[5], -89);
    EXPECT_EQ(g.monkey_y[5], -350);
    for (int tick = 1; tick <= 100; ++tick) play_event(g, TOVIK_PERIODIC, 0, 0);
    EXPECT_EQ(g.monkey_y[5], -350);
    EXPECT_EQ(g.monkey_timer[5], 11);
}

TEST(Rules, MoonWrapsPastMinus330OneUnitLower) {
    std::int32_t x = -330;
    std::int32_t y = 215;
    move_moon(x, y);
    EXPECT_EQ(x, 331);
    EXPECT_EQ(y, 214);
    x = -329;
    move_moon(x, y);
    EXPECT_EQ(x, -330);
    EXPECT_EQ(y, 214);
}

TEST(Rules, ArmSpringsBackFromEitherEnd) {
    seed_with_first_step(2);
    EXPECT_EQ(swing_arm(4), 3);
    seed_with_first_step(0);
    EXPECT_EQ(swing_arm(-4), -3);
    seed_with_first_step(2);
    EXPECT_EQ(swing_arm(3), 4);
    seed_with_first_step(1);
    EXPECT_EQ(swing_arm(INT_MAX32), 3);  // any value is taken without overflow
}

TEST(Rules, SinkMonkeyNeverGoesBelowMinus350) {
    EXPECT_EQ(sink_monkey(499), -350);
    EXPECT_EQ(sink_monkey(2650), -350);
    EXPECT_EQ(sink_monkey(2651), -349);
    EXPECT_EQ(sink_monkey(INT_MIN32), -350);
}

// Counters that run for the whole game stop at their end instead of
// overflowing, and every rule still answers as for the true count.
TEST_F(GameTest, EndlessCountersStopAtTheirEnds) {
    GameState g = start_seeded_game();
    clear_monkeys(g);
    g.monkey_timer.fill(INT_MAX32);
    g.splash_clock = INT_MAX32;
    g.moon_x = -330;
    g.moon_y = INT_MIN32 + 20;
    g.butterfly_x = INT_MAX32 - 9;
    g.butterfly_y = INT_MIN32 + 9;
    for (int tick = 0; tick < 50; ++tick) play_event(g, TOVIK_PERIODIC, 0, 0);
    for (const std::int32_t timer : g.monkey_timer) EXPECT_EQ(timer, INT_MAX32);
    EXPECT_EQ(g.splash_clock, INT_MAX32);
    EXPECT_EQ(g.moon_y, INT_MIN32 + 20);
    EXPECT_LE(g.butterfly_x, INT_MAX32 - 9);
    EXPECT_GE(g.butterfly_y, INT_MIN32 + 9);
    EXPECT_EQ(count_up(-1), 0);
    EXPECT_EQ(count_up(INT_MAX32 - 1), INT_MAX32);
    // A monkey clicked after that starts its explosion as always.
    place_monkey(g, 0, 0, 100, -100);
    g.monkey_timer[0] = INT_MAX32;
    play_event(g, TOVIK_MOUSE, 0, 100);
    EXPECT_EQ(g.monkey_timer[0], -100);
}

}  // namespace
