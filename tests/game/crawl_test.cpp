// The opening crawl: how its lines move, what it counts, and a quit during it.
#include <gtest/gtest.h>

#include "core/framework_state.h"
#include "crawl.h"
#include "game_main.h"
#include "game_test_support.h"
#include "random.h"

namespace {

using game_test::DrawnOp;
using game_test::GameTest;

class CrawlTest : public GameTest {
protected:
    GameState g;
    void SetUp() override {
        GameTest::SetUp();
        g = start_seeded_game();
    }
    CrawlEnd crawl() {
        return run_crawl(g.crawl_x, g.crawl_y, g.crawl_size, g.moon_x, g.moon_y, g.star1_x,
                         g.star1_y, g.star1_size, g.star1_colour, g.star2_x, g.star2_y,
                         g.star2_size, g.star2_colour, g.flower_x, g.flower_y,
                         g.flower_centre_radius, g.flower_centre_colour, g.flower_radius,
                         g.flower_petal_colour, g.boat_x, g.boat_y, g.boat_half_length,
                         g.boat_sail_height, g.butterfly_x, g.butterfly_y, g.butterfly_wing,
                         g.landmark_x, g.landmark_y, g.monkey_x, g.monkey_y, g.monkey_arm);
    }
    // `periodic` periodic events, then clicks on the panel's "Change Colors"
    // button up to the crawl's 75 events.
    CrawlEnd crawl_with(int periodic) {
        queue_periodic(periodic);
        for (int i = periodic; i < CRAWL_EVENT_COUNT; ++i) queue_click(-250, 232);
        return crawl();
    }
};

TEST_F(CrawlTest, LinesStartBelowThePicture) {
    EXPECT_EQ(g.crawl_x[0], -300);
    EXPECT_EQ(g.crawl_y[0], -250);
    EXPECT_EQ(g.crawl_size[0], 75);
    EXPECT_EQ(g.crawl_y[1], -300);
    EXPECT_EQ(g.crawl_size[1], 50);
    EXPECT_EQ(g.crawl_x[19], -300);
    EXPECT_EQ(g.crawl_y[19], -1200);
    EXPECT_EQ(g.crawl_size[19], 50);
}

TEST_F(CrawlTest, OnePeriodicEventMovesWithoutShrinking) {
    EXPECT_EQ(crawl_with(1), CrawlEnd::Finished);
    EXPECT_EQ(g.crawl_x[0], -299);
    EXPECT_EQ(g.crawl_y[0], -235);
    EXPECT_EQ(g.crawl_size[0], 75);
    EXPECT_EQ(platform.queued(), 0u);  // exactly 75 events taken
}

TEST_F(CrawlTest, SecondPeriodicEventShrinksTheFirstLine) {
    crawl_with(2);
    EXPECT_EQ(g.crawl_x[0], -298);
    EXPECT_EQ(g.crawl_y[0], -220);
    EXPECT_EQ(g.crawl_size[0], 73);
    EXPECT_EQ(g.crawl_size[1], 50);
}

TEST_F(CrawlTest, MinusTwoTwentyFiveCountsAsReached) {
    crawl_with(5);
    EXPECT_EQ(g.crawl_y[1], -225);
    EXPECT_EQ(g.crawl_size[1], 48);
    EXPECT_EQ(g.crawl_size[0], 67);
}

TEST_F(CrawlTest, SeventyFivePeriodicEventsEndWithTitleAndCallToAction) {
    const GameState before = g;
    EXPECT_EQ(crawl_with(75), CrawlEnd::Finished);
    const std::int32_t y[] = {225, 175, 125, 75, 25, -25, -75};
    const std::int32_t size[] = {1, 1, 2, 8, 16, 22, 28};
    for (int i = 0; i < CRAWL_LINE_COUNT; ++i) {
        EXPECT_EQ(g.crawl_x[i], -225);
        EXPECT_GE(g.crawl_size[i], 1) << "line " << i;
        if (i >= 13) {
            EXPECT_EQ(g.crawl_y[i], y[i - 13]) << "line " << i;
            EXPECT_EQ(g.crawl_size[i], size[i - 13]) << "line " << i;
        }
    }
    // Nothing but the crawl moved.
    GameState rest = g;
    rest.crawl_x = before.crawl_x;
    rest.crawl_y = before.crawl_y;
    rest.crawl_size = before.crawl_size;
    EXPECT_EQ(rest, before);
}

TEST_F(CrawlTest, ClicksWhileHaltedCountButMoveAndPressNothing) {
    TOVIK_set_animation(ANIM_HALT);
    platform.auto_timer = true;  // ticks keep coming, but a halted wait ignores them
    const GameState before = g;
    for (int i = 0; i < CRAWL_EVENT_COUNT; ++i) queue_click(-250, 232);
    ops().clear();
    EXPECT_EQ(crawl(), CrawlEnd::Finished);
    EXPECT_EQ(g, before);
    // Each click redraws the twenty lines where they stand, and nothing else.
    EXPECT_EQ(ops().size(), static_cast<std::size_t>(CRAWL_EVENT_COUNT * CRAWL_LINE_COUNT));
    EXPECT_EQ(ops()[0].text, crawl_lines[0]);
}

TEST_F(CrawlTest, FortyPeriodicEventsAndThirtyFiveClicks) {
    // Mixed: periodic events between the clicks.
    for (int i = 0; i < 35; ++i) {
        queue_periodic(1);
        queue_click(0, 0);
    }
    queue_periodic(5);
    ops().clear();
    crawl();
    for (int i = 0; i < CRAWL_LINE_COUNT; ++i) {
        EXPECT_EQ(g.crawl_x[i], -260);
        EXPECT_EQ(g.crawl_y[i], -250 - 50 * i + 600) << "line " << i;
        EXPECT_GE(g.crawl_size[i], 1);
    }
    // A periodic event repaints the scene under the text; a click only the text.
    EXPECT_EQ(ops().size(), 40u * (203 + CRAWL_LINE_COUNT) + 35u * CRAWL_LINE_COUNT);
}

TEST_F(CrawlTest, QuitEndsTheCrawlAtOnce) {
    queue_periodic(3);
    platform.on_idle = [this] { platform.close_window(platform.graphics_window()); };
    EXPECT_EQ(crawl(), CrawlEnd::Quit);
    EXPECT_EQ(g.crawl_y[0], -250 + 45);
}

TEST_F(GameTest, QuitDuringTheCrawlEndsTheProgram) {
    int waits_after_quit = 0;
    bool closed = false;
    int timers = 0;
    platform.on_idle = [&] {
        if (closed) {
            // The program should not be waiting any more: count it and end it.
            ++waits_after_quit;
            platform.post_quit(0);
        } else if (timers < 20) {
            platform.timer();
            ++timers;
        } else {
            closed = true;
            platform.close_window(platform.graphics_window());
        }
    };
    EXPECT_EQ(run_game(nullptr, nullptr, "", 1, [] { rng_seed(1); }), 0);
    EXPECT_TRUE(closed);
    EXPECT_EQ(waits_after_quit, 0);
    EXPECT_EQ(tovik::fw.screen_context, 0u);  // TOVIK_finish released it
}

}  // namespace
