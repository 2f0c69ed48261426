// The figures and the scene, through the log of drawing operations and the
// shapes that reach the image.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "explosion.h"
#include "figures.h"
#include "game_test_support.h"
#include "random.h"
#include "scene.h"

namespace {

using game_test::colour_of;
using game_test::DrawnOp;
using game_test::GameTest;

class FigureTest : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        open_framework();
        TOVIK_set_logging(1);
    }
    // The log lines of the last `count` drawing operations.
    static std::vector<std::string> last_lines(std::size_t count) {
        const std::vector<std::string> all = messages();
        return {all.end() - static_cast<std::ptrdiff_t>(count), all.end()};
    }
};

void expect_triangle(const DrawnOp& op, std::vector<tovik::Point64> corners) {
    ASSERT_EQ(op.kind, DrawnOp::Polygon);
    ASSERT_EQ(op.points.size(), corners.size());
    for (std::size_t k = 0; k < corners.size(); ++k) {
        EXPECT_EQ(op.points[k].x, corners[k].x) << "corner " << k;
        EXPECT_EQ(op.points[k].y, corners[k].y) << "corner " << k;
    }
}

TEST_F(FigureTest, Butterfly) {
    draw_butterfly(120, -180, 5);
    const std::vector<std::string> expected{
        "magenta triangle at (120,-180), (115,-175), (115,-185)",
        "magenta triangle at (120,-180), (125,-175), (125,-185)",
        "black line from (120,-180) to (117,-173), width 2",
        "black line from (120,-180) to (123,-173), width 2",
    };
    EXPECT_EQ(last_lines(4), expected);
}

TEST_F(FigureTest, MonkeyWithItsShortLeftLeg) {
    draw_monkey(0, 0, 4);
    const std::vector<std::string> expected{
        "brown rectangle with bounding box (-10,12) to (10,-12), filled",
        "brown circle at (0,22), radius 10",
        "olive circle at (0,17), radius 3",
        "brown circle at (10,24), radius 3",
        "brown circle at (-10,24), radius 3",
        "black circle at (5,24), radius 1",
        "black circle at (-5,24), radius 1",
        "brown rectangle with bounding box (10,-9) to (15,-29), filled",
        "brown rectangle with bounding box (-15,-9) to (-10,-27), filled",
        "brown triangle at (-10,9), (-10,4), (-30,4)",
        "brown triangle at (10,9), (10,4), (30,4)",
    };
    EXPECT_EQ(last_lines(11), expected);
    draw_monkey(0, 0, -4);
    EXPECT_EQ(last_lines(2)[0], "brown triangle at (-10,9), (-10,4), (-30,-4)");
    EXPECT_EQ(last_lines(1)[0], "brown triangle at (10,9), (10,4), (30,-4)");
}

TEST_F(FigureTest, SunkenStatue) {
    draw_landmark(-20, -75);
    const std::vector<std::string> lines = last_lines(12);
    EXPECT_EQ(lines[0], "50% gray triangle at (-32,-75), (-42,-75), (-46,-50)");
    EXPECT_EQ(lines[3], "orange triangle at (-46,-42), (-44,-42), (-45,-33)");  // the flame's tip
    EXPECT_EQ(lines[6], "20% gray circle at (-15,-75), radius 8");
    EXPECT_EQ(lines[7], "blue rectangle with bounding box (-25,-75) to (-5,-83), filled");
    EXPECT_EQ(lines[11], "50% gray triangle at (-10,-75), (-5,-75), (-7,-68)");
}

TEST_F(FigureTest, BoatSailCornerDoublesBeforeDividing) {
    draw_boat(80, -75, 25, 40);
    const std::vector<std::string> expected{
        "black rectangle with bounding box (55,-75) to (105,-79), filled",
        "cyan triangle at (80,-75), (80,-35), (120,-49)",
    };
    EXPECT_EQ(last_lines(2), expected);
    draw_boat(0, 0, 25, 41);
    EXPECT_EQ(last_lines(1)[0], "cyan triangle at (0,0), (0,41), (41,27)");
}

TEST_F(FigureTest, ExplosionAfterSeedOneTakesFourteenDraws) {
    rng_seed(1);
    draw_explosion(0, 0, {2, 5, 13, 15, 6, 8});
    const std::vector<std::string> expected{
        "red circle at (0,0), radius 9",
        "yellow circle at (0,0), radius 3",
        "orange triangle at (0,0), (4,5), (4,8)",
        "pink triangle at (0,0), (-4,-7), (-18,-12)",
        "magenta line from (0,0) to (11,-17), width 3",
        "purple line from (0,0) to (-15,7), width 3",
    };
    EXPECT_EQ(last_lines(6), expected);
    rng_seed(1);
    for (int i = 0; i < 14; ++i) rng_next();
    const std::int32_t fifteenth = rng_next();
    rng_seed(1);
    draw_explosion(0, 0, {8, 8, 8, 8, 8, 8});
    EXPECT_EQ(rng_next(), fifteenth);
}

TEST_F(FigureTest, ExplosionAcceptsAnInnerCircleOfRadiusZero) {
    // A seed whose second draw is a multiple of 8.
    std::uint32_t seed = 1;
    for (;; ++seed) {
        rng_seed(seed);
        rng_next();
        if (rng_next() % 8 == 0) break;
    }
    rng_seed(seed);
    draw_explosion(10, 20, {8, 8, 8, 8, 8, 8});
    EXPECT_EQ(last_lines(5)[0], "purple circle at (10,20), radius 0");
}

class SceneTest : public FigureTest {
protected:
    GameState g;
    void draw() {
        ops().clear();
        draw_scene_of(g);
    }
};

TEST_F(SceneTest, IssuesTwoHundredAndThreeOperationsBackToFront) {
    g.monkey_x.fill(0);
    g.monkey_y.fill(100);
    draw();
    ASSERT_EQ(ops().size(), 203u);
    // Steps 1 to 20 of the scene's own, then boat, statue, butterfly, monkeys.
    const std::vector<std::pair<DrawnOp::Kind, ColourIndex>> own{
        {DrawnOp::Rectangle, COLOUR_NAVY_BLUE}, {DrawnOp::Ellipse, COLOUR_WHITE},
        {DrawnOp::Ellipse, COLOUR_NAVY_BLUE},   {DrawnOp::Polygon, COLOUR_WHITE},
        {DrawnOp::Polygon, COLOUR_WHITE},       {DrawnOp::Polygon, COLOUR_YELLOW},
        {DrawnOp::Polygon, COLOUR_YELLOW},      {DrawnOp::Polygon, COLOUR_GRAY_20},
        {DrawnOp::Polygon, COLOUR_GRAY_50},     {DrawnOp::Polygon, COLOUR_CHALK},
        {DrawnOp::Polygon, COLOUR_OLIVE},       {DrawnOp::Polygon, COLOUR_FOREST_GREEN},
        {DrawnOp::Rectangle, COLOUR_SEA_GREEN}, {DrawnOp::Ellipse, COLOUR_BLUE},
        {DrawnOp::Ellipse, COLOUR_RED},         {DrawnOp::Ellipse, COLOUR_YELLOW},
        {DrawnOp::Line, COLOUR_FOREST_GREEN},   {DrawnOp::Line, COLOUR_FOREST_GREEN},
        {DrawnOp::Rectangle, COLOUR_BROWN},     {DrawnOp::Ellipse, COLOUR_FOREST_GREEN},
        {DrawnOp::Rectangle, COLOUR_BLACK},     {DrawnOp::Polygon, COLOUR_CYAN},
    };
    for (std::size_t k = 0; k < own.size(); ++k) {
        EXPECT_EQ(ops()[k].kind, own[k].first) << "operation " << k;
        EXPECT_EQ(ops()[k].colour, colour_of(own[k].second)) << "operation " << k;
    }
    // The whole sky, the moon's shadow from its centre, and the lake.
    EXPECT_EQ(ops()[0].points[0].x, -300);
    EXPECT_EQ(ops()[0].points[0].y, 250);
    EXPECT_EQ(ops()[0].points[1].x, 300);
    EXPECT_EQ(ops()[0].points[1].y, -250);
    EXPECT_EQ(ops()[2].points[0].x, 250);
    EXPECT_EQ(ops()[2].points[0].y, 235);
    EXPECT_EQ(ops()[2].points[1].x, 300);
    EXPECT_EQ(ops()[2].points[1].y, 195);
    EXPECT_EQ(ops()[13].points[0].x, -400);
    EXPECT_EQ(ops()[13].points[1].y, -100);
    expect_triangle(ops()[11], {{-100, -50}, {300, -50}, {300, 166}});
    // Stem and leaf hang from the bottom of the petals.
    EXPECT_EQ(ops()[16].points[0].y, -218);
    EXPECT_EQ(ops()[16].points[1].y, -233);
    EXPECT_EQ(ops()[17].points[1].x, 105);
    EXPECT_EQ(ops()[17].points[1].y, -221);
    // The last monkey's right arm is the last shape.
    expect_triangle(ops().back(), {{10, 109}, {10, 104}, {30, 100}});
}

TEST_F(SceneTest, StarsOfSizeFourAndOne) {
    g.star1_size = 4;
    g.star2_size = 1;
    draw();
    expect_triangle(ops()[3], {{100, 164}, {103, 158}, {97, 158}});
    expect_triangle(ops()[4], {{100, 156}, {97, 162}, {103, 162}});
    // Degenerate, and drawn all the same.
    expect_triangle(ops()[5], {{-150, 171}, {-150, 170}, {-150, 170}});
    expect_triangle(ops()[6], {{-150, 169}, {-150, 170}, {-150, 170}});
}

}  // namespace
