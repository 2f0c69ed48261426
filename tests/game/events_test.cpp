// Clicks, keys and quit in the main loop, and what the redraw after each shows.
#include <gtest/gtest.h>

#include <limits>

#include "control_panel.h"
#include "core/framework_state.h"
#include "game_test_support.h"
#include "main_loop.h"
#include "monkeys.h"

namespace {

using game_test::clear_monkeys;
using game_test::colour_of;
using game_test::DrawnOp;
using game_test::GameTest;
using game_test::place_monkey;

constexpr std::size_t SCENE_OPS = 203;
constexpr std::size_t PANEL_OPS = 4;  // two rows, two labels

std::size_t count_of(const std::vector<DrawnOp>& ops, DrawnOp::Kind kind, tovik::Colour colour) {
    std::size_t n = 0;
    for (const DrawnOp& op : ops) n += op.kind == kind && op.colour == colour ? 1 : 0;
    return n;
}

TEST_F(GameTest, ClickBoxReachesTenAcrossAndTwelveUpInclusive) {
    GameState g = start_seeded_game();
    clear_monkeys(g);
    place_monkey(g, 0, 0, 0, -100);
    play_event(g, TOVIK_MOUSE, 11, 0);
    play_event(g, TOVIK_MOUSE, 0, 13);
    play_event(g, TOVIK_MOUSE, -11, -12);
    EXPECT_EQ(g.monkey_timer[0], 0);
    play_event(g, TOVIK_MOUSE, 10, 12);
    EXPECT_EQ(g.monkey_timer[0], -100);
    g.monkey_timer[0] = -95;
    play_event(g, TOVIK_MOUSE, -10, -12);
    EXPECT_EQ(g.monkey_timer[0], -100);  // an explosion starts over
}

TEST_F(GameTest, ClickOnOverlappingMonkeysExplodesBoth) {
    GameState g = start_seeded_game();
    clear_monkeys(g);
    place_monkey(g, 2, 0, 0, -100);
    place_monkey(g, 9, 15, 5, -100);
    play_event(g, TOVIK_MOUSE, 8, 3);
    EXPECT_EQ(g.monkey_timer[2], -100);
    EXPECT_EQ(g.monkey_timer[9], -100);
    EXPECT_EQ(g.monkey_timer[0], 0);
}

TEST_F(GameTest, ClickOnThePanelPressesTheButtonAndExplodesNothing) {
    GameState g = start_seeded_game();
    clear_monkeys(g);
    place_monkey(g, 0, -250, 240, -100);  // passing behind "Change Colors"
    play_event(g, TOVIK_MOUSE, -250, 232);
    EXPECT_EQ(g.monkey_timer[0], 0);
    EXPECT_EQ(g.flower_petal_colour, 3);
    // The panel's outer rows are not the panel: the monkey there explodes.
    play_event(g, TOVIK_MOUSE, -250, 245);
    EXPECT_EQ(g.monkey_timer[0], -100);
    EXPECT_EQ(g.flower_petal_colour, 3);
}

TEST_F(GameTest, KeyEventChangesNothingButRedraws) {
    GameState g = start_seeded_game();
    const GameState before = g;
    EXPECT_TRUE(play_event(g, TOVIK_KBD, 0, 0));
    EXPECT_EQ(g, before);
    EXPECT_EQ(ops().size(), SCENE_OPS + PANEL_OPS);
}

TEST_F(GameTest, QuitStillRedrawsBeforeTheLoopEnds) {
    GameState g = start_seeded_game();
    EXPECT_FALSE(play_event(g, TOVIK_QUIT, 0, 0));
    EXPECT_EQ(ops().size(), SCENE_OPS + PANEL_OPS);
}

TEST_F(GameTest, RedrawPaintsSceneThenPanelThenSplashThenExplosions) {
    GameState g = start_seeded_game();
    clear_monkeys(g);
    place_monkey(g, 4, -40, 100, -100);
    place_monkey(g, 7, 60, 150, -100);
    g.splash_clock = -3;
    g.splash_monkey = 4;
    g.monkey_timer[4] = -100;
    g.monkey_timer[7] = -90;
    g.explosion_colours = {8, 8, 8, 8, 8, 8};
    play_event(g, TOVIK_KBD, 0, 0);

    const std::vector<DrawnOp>& drawn = ops();
    ASSERT_EQ(drawn.size(), SCENE_OPS + PANEL_OPS + 1 + 2 * 6);
    EXPECT_EQ(drawn[0].kind, DrawnOp::Rectangle);  // the sky first
    EXPECT_EQ(drawn[0].colour, colour_of(COLOUR_NAVY_BLUE));
    EXPECT_EQ(drawn[SCENE_OPS].colour, colour_of(COLOUR_OLIVE));
    EXPECT_EQ(drawn[SCENE_OPS + 2].text, "Change Colors");
    EXPECT_EQ(drawn[SCENE_OPS + 3].text, "Initialize Monkeys");
    const DrawnOp& splash = drawn[SCENE_OPS + PANEL_OPS];
    EXPECT_EQ(splash.colour, colour_of(COLOUR_BLUE));
    const std::vector<tovik::Point64> fan{{-40, -100}, {-115, 0}, {35, 0}};
    ASSERT_EQ(splash.points.size(), 3u);
    for (std::size_t k = 0; k < 3; ++k) {
        EXPECT_EQ(splash.points[k].x, fan[k].x);
        EXPECT_EQ(splash.points[k].y, fan[k].y);
    }
    // Every stroke of both explosions in the colours given, the lower index first.
    const std::size_t first = SCENE_OPS + PANEL_OPS + 1;
    for (std::size_t k = first; k < drawn.size(); ++k) {
        EXPECT_EQ(drawn[k].colour, colour_of(COLOUR_PURPLE));
    }
    EXPECT_EQ(drawn[first].points[0].x + drawn[first].points[1].x, 2 * -40);
    EXPECT_EQ(drawn[first + 6].points[0].x + drawn[first + 6].points[1].x, 2 * 60);
}

TEST_F(GameTest, ExplosionAndSplashAreDrawnOnlyWithinTheirWindows) {
    GameState g = start_seeded_game();
    clear_monkeys(g);
    g.explosion_colours = {8, 8, 8, 8, 8, 8};
    struct Case { std::int32_t timer; bool drawn; };
    for (const Case c : {Case{-101, false}, Case{-100, true}, Case{-90, true}, Case{-89, false}}) {
        g.monkey_timer[0] = c.timer;
        ops().clear();
        play_event(g, TOVIK_KBD, 0, 0);
        EXPECT_EQ(count_of(ops(), DrawnOp::Ellipse, colour_of(COLOUR_PURPLE)), c.drawn ? 2u : 0u)
            << "timer " << c.timer;
    }
    g.monkey_timer[0] = 0;
    struct Splash { std::int32_t clock; bool drawn; };
    for (const Splash s : {Splash{-11, false}, Splash{-10, true}, Splash{-1, true},
                           Splash{0, false}}) {
        g.splash_clock = s.clock;
        ops().clear();
        play_event(g, TOVIK_KBD, 0, 0);
        EXPECT_EQ(ops().size(), SCENE_OPS + PANEL_OPS + (s.drawn ? 1u : 0u)) << "clock " << s.clock;
    }
}

TEST_F(GameTest, InitializeMonkeysEndsExplosionsAndKeepsTheSplash) {
    GameState g = start_seeded_game();
    g.monkey_timer[6] = -97;
    g.splash_clock = -6;
    g.splash_monkey = 2;
    play_event(g, TOVIK_MOUSE, -250, 208);
    for (const std::int32_t timer : g.monkey_timer) EXPECT_EQ(timer, 0);
    EXPECT_EQ(g.splash_clock, -6);
    EXPECT_EQ(g.splash_monkey, 2);
    // The splash goes on under the new x of its monkey.
    const DrawnOp& splash = ops().back();
    ASSERT_EQ(splash.points.size(), 3u);
    EXPECT_EQ(splash.points[0].x, g.monkey_x[2]);
}

TEST_F(GameTest, TwentyFourPressesOfChangeColorsComeBack) {
    GameState g = start_seeded_game();
    for (int press = 1; press <= 24; ++press) {
        play_event(g, TOVIK_MOUSE, -250, 232);
        if (press == 1) {
            EXPECT_EQ(g.flower_petal_colour, 3);
            EXPECT_EQ(g.flower_centre_colour, 6);
        }
    }
    EXPECT_EQ(g.flower_petal_colour, COLOUR_RED);
    EXPECT_EQ(g.flower_centre_colour, COLOUR_YELLOW);
}

TEST(ControlPanel, HitBoundsAreStrict) {
    EXPECT_EQ(panel_hit(-295, 232), 0);
    EXPECT_EQ(panel_hit(-195, 232), 0);
    EXPECT_EQ(panel_hit(-294, 232), 1);
    EXPECT_EQ(panel_hit(-196, 232), 1);
    EXPECT_EQ(panel_hit(-250, 245), 0);
    EXPECT_EQ(panel_hit(-250, 195), 0);
    EXPECT_EQ(panel_hit(-250, 244), 1);
    EXPECT_EQ(panel_hit(-250, 196), 1);
}

TEST_F(GameTest, PanelRowsSplitAtTwoHundredAndTwenty) {
    GameState g = start_seeded_game();
    const MonkeyArray start_x = g.monkey_x;
    auto click = [&g](std::int32_t y) {
        panel_click(-250, y, g.flower_petal_colour, g.flower_centre_colour, g.monkey_x,
                    g.monkey_y, g.monkey_floor, g.monkey_arm, g.monkey_timer);
    };
    click(221);
    EXPECT_EQ(g.flower_petal_colour, 3);
    EXPECT_EQ(g.monkey_x, start_x);
    click(220);
    EXPECT_EQ(g.flower_petal_colour, 3);
    EXPECT_NE(g.monkey_x, start_x);
    const MonkeyArray second_x = g.monkey_x;
    click(196);
    EXPECT_NE(g.monkey_x, second_x);
    EXPECT_EQ(g.flower_petal_colour, 3);
}

TEST_F(GameTest, PanelClickOutsideItsButtonsShowsTheError) {
    GameState g = start_seeded_game();
    TOVIK_set_logging(1);
    const GameState before = g;
    auto click = [&g](std::int32_t x, std::int32_t y) {
        panel_click(x, y, g.flower_petal_colour, g.flower_centre_colour, g.monkey_x,
                    g.monkey_y, g.monkey_floor, g.monkey_arm, g.monkey_timer);
    };
    click(-296, 232);  // beside the buttons: the error, the animation runs on
    EXPECT_EQ(messages().back(), "red text at (0,0), \"Program error!\"");
    EXPECT_EQ(tovik::fw.animating, 1);
    click(-250, 190);  // row 2: the animation halts as well
    EXPECT_EQ(messages().back(), "red text at (0,0), \"Program error!\"");
    EXPECT_EQ(tovik::fw.animating, 0);
    TOVIK_set_animation(ANIM_RUN);
    click(-250, std::numeric_limits<std::int32_t>::min());  // far rows stay rows
    EXPECT_EQ(tovik::fw.animating, 0);
    EXPECT_EQ(g, before);
}

}  // namespace
