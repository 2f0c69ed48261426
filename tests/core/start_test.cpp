// Opening and closing the framework: classes, windows, image, timer, origin.
#include "support/framework_fixture.h"

namespace tovik::testing {
namespace {

using StartTest = FrameworkTest;

TEST_F(StartTest, OpensBothWindowsWithTheirClassesSizesAndTimer) {
    start();
    const WindowHandle graphics = fake.find_window("TOVIK Graphics");
    const WindowHandle text = fake.find_window("TOVIK Text");
    ASSERT_NE(graphics, 0u);
    ASSERT_NE(text, 0u);
    EXPECT_EQ(fw.graphics_window, graphics);
    EXPECT_EQ(fw.text_window, text);
    EXPECT_EQ(fake.registered_classes(), 2);

    const auto& g = fake.window(graphics);
    EXPECT_EQ(g.class_name, "DrawWndClass");
    EXPECT_EQ(g.style, WindowStyle::Fixed);
    EXPECT_EQ(g.x, 0);
    EXPECT_EQ(g.y, 0);
    EXPECT_EQ(g.outer_width, 601);
    EXPECT_EQ(g.outer_height, 540);
    EXPECT_TRUE(g.visible);
    EXPECT_NE(g.menu, 0u);

    const auto& t = fake.window(text);
    EXPECT_EQ(t.class_name, "TextWndClass");
    EXPECT_EQ(t.style, WindowStyle::Resizable);
    EXPECT_EQ(t.x, 0);
    EXPECT_EQ(t.y, 550);
    EXPECT_EQ(t.outer_width, 601);
    EXPECT_EQ(t.outer_height, 768 / 3);
    EXPECT_TRUE(t.visible);
    EXPECT_EQ(t.menu, 0u);

    EXPECT_TRUE(fake.timer_running(graphics, 2));
    EXPECT_EQ(fake.timer_period(graphics, 2), 50u);
    ASSERT_TRUE(fw.offscreen_image);
    EXPECT_EQ(fw.offscreen_image->width(), 601);
    EXPECT_EQ(fw.offscreen_image->height(), 540);
    EXPECT_EQ(fw.animating, 0);
    EXPECT_EQ(fw.single_step, 0);
}

TEST_F(StartTest, ScreenHeightSetsTheTextWindowHeight) {
    FakePlatform tall(1001);
    set_platform(&tall);
    start();
    EXPECT_EQ(tall.window(tall.find_window("TOVIK Text")).outer_height, 333);
}

TEST_F(StartTest, OriginIsTheCentreOfTheClientAreaOnEverySize) {
    EXPECT_EQ(fw.origin_x, 0);
    EXPECT_EQ(fw.origin_y, 0);
    start();
    // 601 x 540 less frame, caption and menu bar leaves 595 x 491.
    EXPECT_EQ(fake.client_rect(fw.graphics_window).right, 595);
    EXPECT_EQ(fake.client_rect(fw.graphics_window).bottom, 491);
    EXPECT_EQ(fw.origin_x, 297);
    EXPECT_EQ(fw.origin_y, 245);
    fake.resize_client(fw.graphics_window, 600, 400);
    EXPECT_EQ(fw.origin_x, 300);
    EXPECT_EQ(fw.origin_y, 200);
}

TEST_F(StartTest, ALaterInstanceRegistersNoClassesAndUsesTheExistingOnes) {
    start();
    reset_framework();  // the platform keeps its classes, as the system does
    TOVIK_start(nullptr, reinterpret_cast<void*>(1), "", 1);
    EXPECT_EQ(fake.registered_classes(), 2);
    EXPECT_NE(fw.graphics_window, 0u);
}

TEST_F(StartTest, AWindowThatCannotBeCreatedEndsTheProgramWithOneLine) {
    // No earlier instance registered the classes, so no window can be made.
    EXPECT_EXIT(TOVIK_start(nullptr, reinterpret_cast<void*>(1), "", 1),
                ::testing::ExitedWithCode(1),
                "^tovik: cannot start: the window \"TOVIK Graphics\" cannot be created: "
                "no window class \"DrawWndClass\"\n$");
}

TEST_F(StartTest, FinishReleasesTheScreenContextAndClosesTheScript) {
    start();
    fw.script_file.reset(std::tmpfile());
    fw.script_mode = ScriptMode::Writing;
    EXPECT_EQ(TOVIK_finish(), 1);
    EXPECT_EQ(fake.released_contexts(), 1);
    EXPECT_FALSE(fw.script_file);
}

TEST_F(StartTest, ShowTextWindowReportsWhetherItWasVisible) {
    EXPECT_EQ(TOVIK_show_text_window(1), 0);  // no window before start
    start();
    EXPECT_EQ(TOVIK_show_text_window(0), 1);
    EXPECT_FALSE(fake.window(fw.text_window).visible);
    EXPECT_EQ(TOVIK_show_text_window(1), 0);
    EXPECT_TRUE(fake.window(fw.text_window).visible);
    fake.close_window(fw.text_window);
    EXPECT_EQ(TOVIK_show_text_window(1), 0);
}

TEST_F(StartTest, APlatformMakerIsCalledOnceAndOnlyWhenTheFrameworkStarts) {
    static FakePlatform* made;
    static int calls;
    made = &fake;
    calls = 0;
    set_platform_maker([]() -> Platform* {
        ++calls;
        return made;
    });
    const std::uint32_t pixel = 0;
    TOVIK_set_icon(1, &pixel);  // nothing open: no platform needed yet
    EXPECT_EQ(calls, 0);
    start();
    TOVIK_show_text_window(0);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(&platform(), &fake);
}

}  // namespace
}  // namespace tovik::testing
