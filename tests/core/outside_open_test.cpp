// A program that uses the framework before TOVIK_start or after TOVIK_finish:
// nothing blocks, nothing breaks, and a new start works as the first.
#include "support/framework_fixture.h"

namespace tovik::testing {
namespace {

using OutsideOpenTest = FrameworkTest;

TEST_F(OutsideOpenTest, BeforeStartDrawingIsHarmlessAndTheWaitEndsAtOnce) {
    x = y = 7;
    key = 'k';
    EXPECT_EQ(TOVIK_draw_circle(COLOUR_RED, 0, 0, -5), 1);
    EXPECT_EQ(TOVIK_draw_text(COLOUR_BLUE, 0, 0, 12, "%d", 42), 2);
    EXPECT_EQ(wait(), TOVIK_QUIT);
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 0);
    EXPECT_EQ(key, 0);
    // The correction and the log lines (logging is on until turned off) wait
    // in the log for the text window.
    ASSERT_EQ(log_messages().size(), 3u);
    EXPECT_EQ(log_messages()[0], "Radius of -5 not possible, using radius 5\n");
    EXPECT_EQ(log_messages()[2], "blue text at (0,0), \"42\"\n");

    start();
    fake.click(10, 10);
    EXPECT_EQ(wait(), TOVIK_MOUSE);
}

TEST_F(OutsideOpenTest, AfterFinishTheWaitEndsAtOnceWithQueuedInputLeftAlone) {
    start();
    TOVIK_set_animation(ANIM_RUN);
    TOVIK_finish();
    fake.click(10, 10);
    EXPECT_EQ(wait(), TOVIK_QUIT);
    EXPECT_EQ(x, 0);
    EXPECT_EQ(TOVIK_draw_rectangle(COLOUR_GREEN, -5, 5, 5, -5, 0), 1);
    EXPECT_EQ(fake.released_contexts(), 1);

    // Opened again, the framework hands out events once more.
    start();
    EXPECT_EQ(wait(), TOVIK_MOUSE);
}

}  // namespace
}  // namespace tovik::testing
