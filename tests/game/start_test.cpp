// The generator, the monkeys' start and the game's start-up.
#include <gtest/gtest.h>

#include "core/framework_state.h"
#include "game_test_support.h"
#include "monkeys.h"
#include "random.h"

namespace {

using game_test::GameTest;

// The first seed from 1 up whose draw number `index` (1-based) leaves `remainder`
// modulo `modulus`.
std::uint32_t seed_where(int index, std::int32_t modulus, std::int32_t remainder) {
    for (std::uint32_t seed = 1;; ++seed) {
        rng_seed(seed);
        std::int32_t draw = 0;
        for (int i = 0; i < index; ++i) draw = rng_next();
        if (draw % modulus == remainder) return seed;
    }
}

GameState monkeys_from(std::uint32_t seed) {
    GameState g;
    rng_seed(seed);
    init_monkeys(g.monkey_x, g.monkey_y, g.monkey_floor, g.monkey_arm, g.monkey_timer);
    return g;
}

TEST(Generator, FirstDrawsAfterSeedingWithOne) {
    rng_seed(1);
    for (const std::int32_t expected : {41, 18467, 6334, 26500, 19169, 15724}) {
        EXPECT_EQ(rng_next(), expected);
    }
}

TEST(InitMonkeys, GivesTheKnownStartsForSeedOne) {
    const GameState g = monkeys_from(1);
    struct Start { int i; std::int32_t x, y, floor; };
    for (const Start s : {Start{0, 259, 467, -50}, Start{1, 200, 419, -199},
                          Start{3, -164, 455, -50}, Start{4, -181, 327, -61}}) {
        EXPECT_EQ(g.monkey_x[s.i], s.x) << "monkey " << s.i;
        EXPECT_EQ(g.monkey_y[s.i], s.y) << "monkey " << s.i;
        EXPECT_EQ(g.monkey_floor[s.i], s.floor) << "monkey " << s.i;
    }
    // 45 draws: the next one is the 46th of the sequence.
    rng_seed(1);
    for (int i = 0; i < 45; ++i) rng_next();
    const std::int32_t draw46 = rng_next();
    monkeys_from(1);
    EXPECT_EQ(rng_next(), draw46);
}

TEST(InitMonkeys, FloorsAboveMinusFiftyAreRaisedToIt) {
    EXPECT_EQ(monkeys_from(seed_where(3, 225, 49)).monkey_floor[0], -50);
    EXPECT_EQ(monkeys_from(seed_where(3, 225, 50)).monkey_floor[0], -50);
    EXPECT_EQ(monkeys_from(seed_where(3, 225, 51)).monkey_floor[0], -51);
    EXPECT_EQ(monkeys_from(seed_where(3, 225, 224)).monkey_floor[0], -224);
}

TEST(InitMonkeys, XRunsFromMinus299To300) {
    EXPECT_EQ(monkeys_from(seed_where(1, 600, 599)).monkey_x[0], -299);
    EXPECT_EQ(monkeys_from(seed_where(1, 600, 0)).monkey_x[0], 300);
}

TEST_F(GameTest, StartUpFillsTheStateAndOpensTheFramework) {
    const GameState g = start_seeded_game();
    // The monkeys took the first draws after seeding: nothing drew before them.
    EXPECT_EQ(g.monkey_x, monkeys_from(1).monkey_x);
    EXPECT_EQ(g.moon_x, 250);
    EXPECT_EQ(g.moon_y, 215);
    EXPECT_EQ(g.butterfly_x, 120);
    EXPECT_EQ(g.butterfly_y, -180);
    EXPECT_EQ(g.splash_clock, 0);
    EXPECT_EQ(g.crawl_y[19], -1200);
    const FireColours palette{2, 5, 13, 15, 6, 8};
    EXPECT_EQ(g.fire_palette, palette);
    for (const ColourIndex c : g.explosion_colours) {
        EXPECT_NE(std::find(palette.begin(), palette.end(), c), palette.end());
    }
    EXPECT_EQ(tovik::fw.logging, 0);
    EXPECT_EQ(tovik::fw.animating, 1);
    EXPECT_NE(platform.graphics_window(), 0u);
}

}  // namespace
