// The ring of the last 25 messages and the painting of the text window.
#include <cstring>
#include <string>

#include "core/internal.h"
#include "support/framework_fixture.h"
#include "support/recording_canvas.h"

namespace tovik::testing {
namespace {

class MessageLogTest : public FrameworkTest {
protected:
    MessageLogTest() {
        fake.image_factory = [this](int w, int h) {
            return std::make_unique<RecordingCanvas>(w, h, &calls);
        };
        start();
        TOVIK_set_logging(0);
    }
    // The texts drawn by the last painting of the text window, top to bottom,
    // with the rows they were drawn at.
    std::vector<std::pair<std::string, std::int64_t>> paint() {
        calls.clear();
        paint_text_window(fw.text_window);
        std::vector<std::pair<std::string, std::int64_t>> lines;
        int scrolls = 0;
        for (const CanvasCall& c : calls) {
            if (c.op == "scroll") {
                ++scrolls;
                for (auto& line : lines) line.second -= c.args[0];
            }
            if (c.op == "text") lines.emplace_back(c.text, c.args[1]);
        }
        EXPECT_EQ(static_cast<std::size_t>(scrolls), lines.size());
        return lines;
    }
    std::vector<CanvasCall> calls;
};

TEST_F(MessageLogTest, TheRingKeepsTheLast25Messages) {
    EXPECT_EQ(fw.log_head, -1);
    EXPECT_EQ(fw.log_tail, 0);
    TOVIK_print("message %d\n", 1);
    EXPECT_EQ(fw.log_head, 0);
    EXPECT_EQ(fw.log_tail, 1);
    for (int i = 2; i <= 25; ++i) TOVIK_print("message %d\n", i);
    EXPECT_EQ(fw.log_head, 0);
    EXPECT_EQ(fw.log_tail, 0);
    EXPECT_EQ(paint().size(), 25u);

    TOVIK_print("message %d\n", 26);
    EXPECT_EQ(fw.log_head, 1);
    EXPECT_EQ(fw.log_tail, 1);
    EXPECT_STREQ(fw.log_ring[0].get(), "message 26\n");
    const auto lines = paint();
    ASSERT_EQ(lines.size(), 25u);
    EXPECT_EQ(lines.front().first, "message 2");
    EXPECT_EQ(lines.back().first, "message 26");
}

TEST_F(MessageLogTest, PaintingStacksMessagesUpFromTheBottomLine) {
    TOVIK_print("first\n");
    TOVIK_print("%s", "");
    TOVIK_print("two newlines\n\n");
    const auto lines = paint();
    const int height = fake.client_rect(fw.text_window).bottom;
    const int lh = RecordingCanvas::LINE + RecordingCanvas::LEADING;
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], std::make_pair(std::string("first"), std::int64_t{height - 3 * lh}));
    EXPECT_EQ(lines[1], std::make_pair(std::string(""), std::int64_t{height - 2 * lh}));
    EXPECT_EQ(lines[2], std::make_pair(std::string("two newlines\n"), std::int64_t{height - lh}));
    // The trailing newline is dropped in the stored copy itself.
    EXPECT_STREQ(fw.log_ring[0].get(), "first");
}

TEST_F(MessageLogTest, PaintingDrawsOpaqueBlackTextOnWhiteAndCopiesOnce) {
    TOVIK_print("hello\n");
    int copies = 0;
    fake.on_copy_image = [&](WindowHandle w, const Canvas&, int, int) {
        copies += w == fw.text_window ? 1 : 0;
    };
    paint();
    EXPECT_EQ(copies, 1);
    ASSERT_GE(calls.size(), 4u);
    EXPECT_EQ(calls[0].op, "fill");  // the whole image white first
    const CanvasCall& text = calls.back();
    EXPECT_EQ(text.op, "text");
    EXPECT_EQ(text.args[0], 5);
    EXPECT_FALSE(text.transparent);
    EXPECT_EQ(text.pen.colour, rgb(0, 0, 0));
    EXPECT_EQ(text.brush.colour, rgb(255, 255, 255));
    EXPECT_EQ(text.font.face, FontFace::FixedPitch);
}

TEST_F(MessageLogTest, PaintingKeepsItsImageUntilTheWindowChangesSize) {
    std::vector<std::pair<int, int>> made;
    fake.image_factory = [&](int w, int h) {
        made.emplace_back(w, h);
        return std::make_unique<RecordingCanvas>(w, h, &calls);
    };
    TOVIK_print("kept\n");
    paint();
    paint();
    ASSERT_EQ(made.size(), 1u);

    fake.resize_client(fw.text_window, 300, 100);
    const auto lines = paint();
    ASSERT_EQ(made.size(), 2u);
    EXPECT_EQ(made.back(), std::make_pair(300, 100));
    // A kept image is drawn whole again: white over all of it, then the text.
    EXPECT_EQ(calls.front().op, "fill");
    EXPECT_EQ(calls.front().args, (std::vector<std::int64_t>{0, 0, 300, 100}));
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].second, 100 - (RecordingCanvas::LINE + RecordingCanvas::LEADING));
}

TEST_F(MessageLogTest, AnEmptyRingPaintsAWhiteWindow) {
    paint();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].op, "fill");
    EXPECT_EQ(calls[0].brush.colour, rgb(255, 255, 255));
}

TEST_F(MessageLogTest, PrintAsksForARepaintAndReturnsTheFormattedCount) {
    fake.begin_paint(fw.text_window);
    EXPECT_FALSE(fake.window(fw.text_window).invalid);
    EXPECT_EQ(TOVIK_print("abc %d\n", 42), 7);
    EXPECT_TRUE(fake.window(fw.text_window).invalid);
}

TEST_F(MessageLogTest, ALongMessageIsCutAt1023Characters) {
    const std::string long_text(5000, 'x');
    EXPECT_EQ(TOVIK_print("%s", long_text.c_str()), 5000);
    EXPECT_EQ(std::strlen(fw.log_ring[0].get()), 1023u);
}

TEST(MessageLogBeforeStart, MessagesAreKeptBeforeTheWindowsExist) {
    reset_framework();
    EXPECT_EQ(TOVIK_print("early\n"), 6);
    EXPECT_EQ(log_messages(), std::vector<std::string>{"early\n"});
    reset_framework();
}

}  // namespace
}  // namespace tovik::testing
