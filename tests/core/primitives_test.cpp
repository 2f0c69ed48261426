// The drawing operations: corrections, their messages and order, log lines,
// and the shapes handed to the canvas.
#include <climits>

#include "core/draw_command.h"
#include "support/framework_fixture.h"
#include "support/recording_canvas.h"

namespace tovik::testing {
namespace {

using Lines = std::vector<std::string>;

class PrimitivesTest : public FrameworkTest {
protected:
    PrimitivesTest() {
        fake.image_factory = [this](int w, int h) {
            return std::make_unique<RecordingCanvas>(w, h, &calls);
        };
        start();  // logging is on, as at program start
        clear_log();
        calls.clear();
    }
    void clear_log() {
        for (auto& slot : fw.log_ring) slot.reset();
        fw.log_head = -1;
        fw.log_tail = 0;
    }
    // The image pixel of framework point (x, y).
    std::int64_t col(std::int64_t x) const { return 297 + x; }
    std::int64_t row(std::int64_t y) const { return 245 - y; }

    std::vector<CanvasCall> calls;
};

TEST_F(PrimitivesTest, InvalidColoursAreReportedAndDrawnRed) {
    TOVIK_draw_circle(COLOUR_GRAY_20, 1, 2, 3);
    TOVIK_draw_circle(24, 1, 2, 3);
    TOVIK_draw_circle(-1, 1, 2, 3);
    TOVIK_draw_circle(100, 1, 2, 3);
    EXPECT_EQ(log_messages(), (Lines{"20% gray circle at (1,2), radius 3\n",
                                     "Illegal color 24; using RED.\n",
                                     "red circle at (1,2), radius 3\n",
                                     "Illegal color -1; using RED.\n",
                                     "red circle at (1,2), radius 3\n",
                                     "Illegal color 100; using RED.\n",
                                     "red circle at (1,2), radius 3\n"}));
    ASSERT_EQ(calls.size(), 4u);
    EXPECT_EQ(calls[0].brush.colour, rgb(0xCC, 0xCC, 0xCC));
    EXPECT_EQ(calls[3].brush.colour, rgb(0xFF, 0, 0));
}

TEST_F(PrimitivesTest, BoxesAreNormalisedBeforeLoggingAndDrawing) {
    TOVIK_draw_rectangle(COLOUR_BLUE, 50, 10, 10, 60, 0);
    EXPECT_EQ(log_messages(),
              Lines{"blue rectangle with bounding box (10,60) to (50,10), filled\n"});
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].op, "rectangle");
    EXPECT_EQ(calls[0].args,
              (std::vector<std::int64_t>{col(10), row(60), col(50) + 1, row(10) + 1}));
    EXPECT_EQ(calls[0].pen.width, 0);
    EXPECT_FALSE(calls[0].brush.null);
}

TEST_F(PrimitivesTest, OvalAndRectangleCheckInTheirOwnOrders) {
    TOVIK_draw_oval(99, 0, 0, 10, 10, -3);
    EXPECT_EQ(log_messages(), (Lines{"Width of -3 not possible, using width 3\n",
                                     "Illegal color 99; using RED.\n",
                                     "red oval with bounding box (0,10) to (10,0), line width 3\n"}));
    clear_log();
    TOVIK_draw_rectangle(99, 0, 0, 10, 10, -3);
    EXPECT_EQ(log_messages(),
              (Lines{"Illegal color 99; using RED.\n", "Width of -3 not possible, using width 3\n",
                     "red rectangle with bounding box (0,10) to (10,0) with line width 3\n"}));
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].op, "ellipse");
    EXPECT_EQ(calls[0].pen.width, 3);
    EXPECT_TRUE(calls[0].brush.null);
    EXPECT_TRUE(calls[1].brush.null);
}

TEST_F(PrimitivesTest, LinesCheckWidthBeforeColourAndDrawWidthZeroOnePixelWide) {
    TOVIK_draw_line(COLOUR_GREEN, 1, 2, 3, 4, 0);
    TOVIK_draw_line(77, 1, 2, 3, 4, -4);
    EXPECT_EQ(log_messages(), (Lines{"green line from (1,2) to (3,4), width 0\n",
                                     "Width of -4 not possible, using width 4\n",
                                     "Illegal color 77; using RED.\n",
                                     "red line from (1,2) to (3,4), width 4\n"}));
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].op, "line");
    EXPECT_EQ(calls[0].args, (std::vector<std::int64_t>{col(1), row(2), col(3), row(4)}));
    EXPECT_EQ(calls[0].pen.width, 1);
    EXPECT_EQ(calls[1].pen.width, 4);
}

TEST_F(PrimitivesTest, ACircleIsAFilledOvalBoxAroundItsCentre) {
    EXPECT_EQ(TOVIK_draw_circle(COLOUR_RED, 10, 20, -7), 1);
    EXPECT_EQ(log_messages(), (Lines{"Radius of -7 not possible, using radius 7\n",
                                     "red circle at (10,20), radius 7\n"}));
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].op, "ellipse");
    EXPECT_EQ(calls[0].args,
              (std::vector<std::int64_t>{col(3), row(27), col(17) + 1, row(13) + 1}));
    EXPECT_FALSE(calls[0].brush.null);
}

TEST_F(PrimitivesTest, TrianglesKeepTheirCornersAndDoNotLogTheWidth) {
    TOVIK_draw_triangle(COLOUR_CYAN, 1, 2, 3, 4, 5, 6, 2);
    EXPECT_EQ(log_messages(), Lines{"cyan triangle at (1,2), (3,4), (5,6)\n"});
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].args,
              (std::vector<std::int64_t>{col(1), row(2), col(3), row(4), col(5), row(6)}));
    EXPECT_EQ(calls[0].pen.width, 2);
    EXPECT_TRUE(calls[0].brush.null);
}

TEST_F(PrimitivesTest, PointSizesAreMadePositiveAndCapped) {
    EXPECT_EQ(TOVIK_draw_text(COLOUR_BLACK, 0, 0, 127, "a"), 1);
    EXPECT_EQ(TOVIK_draw_text(COLOUR_BLACK, 0, 0, 128, "a"), 1);
    EXPECT_EQ(TOVIK_draw_text(COLOUR_BLACK, 0, 0, -200, "a"), 1);
    EXPECT_EQ(TOVIK_draw_text(COLOUR_BLACK, 0, 0, 0, "a"), 1);
    EXPECT_EQ(log_messages(), (Lines{"black text at (0,0), \"a\"\n",
                                     "ptsize of 128 not possible, using ptsize 127\n",
                                     "black text at (0,0), \"a\"\n",
                                     "ptsize of -200 not possible, using ptsize 200\n",
                                     "ptsize of 200 not possible, using ptsize 127\n",
                                     "black text at (0,0), \"a\"\n",
                                     "black text at (0,0), \"a\"\n"}));
    ASSERT_EQ(calls.size(), 4u);
    EXPECT_EQ(calls[0].font.height, -127);
    EXPECT_EQ(calls[1].font.height, -127);
    EXPECT_EQ(calls[2].font.height, -127);
    EXPECT_EQ(calls[3].font.height, 0);
}

TEST_F(PrimitivesTest, TheMostNegativeValuesBecomeTheLargest) {
    TOVIK_draw_circle(COLOUR_RED, 0, 0, INT_MIN);
    TOVIK_draw_line(COLOUR_RED, 0, 0, 1, 1, INT_MIN);
    TOVIK_draw_text(COLOUR_RED, 0, 0, INT_MIN, "a");
    const Lines messages = log_messages();
    EXPECT_EQ(messages[0], "Radius of -2147483648 not possible, using radius 2147483647\n");
    EXPECT_EQ(messages[2], "Width of -2147483648 not possible, using width 2147483647\n");
    EXPECT_EQ(messages[4], "ptsize of -2147483648 not possible, using ptsize 2147483647\n");
    EXPECT_EQ(messages[5], "ptsize of 2147483647 not possible, using ptsize 127\n");
    ASSERT_EQ(calls.size(), 3u);
    // The circle's box lies beyond the 32-bit range and arrives exact.
    EXPECT_EQ(calls[0].args[0], col(-std::int64_t{INT_MAX}));
    EXPECT_EQ(calls[0].args[2], col(std::int64_t{INT_MAX}) + 1);
    EXPECT_EQ(calls[1].pen.width, INT_MAX);
}

TEST_F(PrimitivesTest, WithLoggingOffOnlyCorrectionsAreWritten) {
    TOVIK_set_logging(0);
    TOVIK_draw_circle(COLOUR_RED, 0, 0, 5);
    TOVIK_draw_rectangle(COLOUR_RED, 0, 0, 5, 5, 0);
    TOVIK_draw_text(COLOUR_RED, 0, 0, 12, "x");
    TOVIK_clear();
    EXPECT_TRUE(log_messages().empty());
    TOVIK_draw_rectangle(30, 0, 0, 5, 5, 0);
    EXPECT_EQ(log_messages(), Lines{"Illegal color 30; using RED.\n"});
}

TEST_F(PrimitivesTest, TextIsFormattedLoggedAsOneMessageAndSplitIntoLines) {
    EXPECT_EQ(TOVIK_draw_text(COLOUR_YELLOW, 10, 20, 12, "%s\n%d", "two", 2), 5);
    EXPECT_EQ(log_messages(), Lines{"yellow text at (10,20), \"two\n2\"\n"});
    ASSERT_EQ(calls.size(), 2u);
    const std::int64_t h = RecordingCanvas::LINE;
    EXPECT_EQ(calls[0].text, "two");
    EXPECT_EQ(calls[0].args, (std::vector<std::int64_t>{col(10), row(20) - h}));
    EXPECT_EQ(calls[1].text, "2");
    EXPECT_EQ(calls[1].args, (std::vector<std::int64_t>{col(10), row(20)}));
    EXPECT_TRUE(calls[0].transparent);
    EXPECT_EQ(calls[0].font.face, FontFace::Drawing);
    EXPECT_EQ(calls[0].pen.colour, rgb(0xFF, 0xFF, 0));
}

TEST_F(PrimitivesTest, EmptyLinesAdvanceTheLineCounter) {
    TOVIK_draw_text(COLOUR_BLACK, 0, 0, 12, "a\n\nb\n");
    ASSERT_EQ(calls.size(), 2u);
    const std::int64_t h = RecordingCanvas::LINE;
    EXPECT_EQ(calls[0].args[1], row(0) - h);
    EXPECT_EQ(calls[1].args[1], row(0) + h);
    calls.clear();
    EXPECT_EQ(TOVIK_draw_text(COLOUR_BLACK, 0, 0, 12, "%s", ""), 0);
    EXPECT_TRUE(calls.empty());
}

TEST_F(PrimitivesTest, LongTextsAreCutAt1023Characters) {
    const std::string text(3000, 'y');
    EXPECT_EQ(TOVIK_draw_text(COLOUR_BLACK, 0, 0, 12, "%s", text.c_str()), 3000);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].text.size(), 1023u);
}

TEST_F(PrimitivesTest, ClearingLogsAndFramesAWhiteImage) {
    fw.image_changed = 0;
    EXPECT_EQ(TOVIK_clear(), 1);
    EXPECT_EQ(log_messages(), Lines{"Clearing the graphics window\n"});
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].op, "rectangle");
    EXPECT_EQ(calls[0].args, (std::vector<std::int64_t>{0, 0, 601, 540}));
    EXPECT_EQ(calls[0].pen.colour, rgb(0, 0, 0));
    EXPECT_EQ(calls[0].pen.width, 0);
    EXPECT_EQ(calls[0].brush.colour, rgb(255, 255, 255));
    EXPECT_EQ(fw.image_changed, 1);
}

TEST_F(PrimitivesTest, EveryCommandSetsImageChangedEvenAnUnknownKind) {
    DrawCommand pixel;
    pixel.kind = DRAW_PIXEL;
    pixel.colour = COLOUR_GREEN;
    pixel.x1 = -3;
    pixel.y1 = 4;
    fw.image_changed = 0;
    render_command(pixel);
    EXPECT_EQ(fw.image_changed, 1);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].op, "pixel");
    EXPECT_EQ(calls[0].args, (std::vector<std::int64_t>{col(-3), row(4)}));

    DrawCommand unknown;
    unknown.kind = 6;
    fw.image_changed = 0;
    render_command(unknown);
    EXPECT_EQ(fw.image_changed, 1);
    EXPECT_EQ(calls.size(), 1u);
}

TEST(PrimitivesBeforeStart, DrawingWithoutAnImageIsHarmless) {
    reset_framework();
    EXPECT_EQ(TOVIK_draw_circle(COLOUR_RED, 0, 0, 5), 1);
    EXPECT_EQ(TOVIK_clear(), 1);
    reset_framework();
}

}  // namespace
}  // namespace tovik::testing
