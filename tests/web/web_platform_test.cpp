// The web backend against a fake page: what reaches the canvas, and how page
// events become messages.
#include <gtest/gtest.h>

#include <deque>
#include <stdexcept>

#include "canvas/software_canvas.h"
#include "web/web_platform.h"

namespace tovik::web {
namespace {

class FakePage final : public Page {
public:
    void create_canvas(WindowHandle, const char*, int width, int height) override {
        canvas_width = width;
        canvas_height = height;
    }
    void show_canvas(WindowHandle, bool) override {}
    void place_canvas(WindowHandle, int width, int height, double shown_w, double) override {
        canvas_width = width;
        canvas_height = height;
        shown_width = shown_w;
    }
    void show_state(const RunState& state) override { states.push_back(state); }
    void present(WindowHandle, const std::uint32_t* rgba, int width, int height, int top,
                 int count) override {
        ++presents;
        shown.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
        std::copy_n(rgba + static_cast<std::ptrdiff_t>(top) * width,
                    static_cast<std::ptrdiff_t>(count) * width,
                    shown.begin() + static_cast<std::ptrdiff_t>(top) * width);
        rows_presented = count;
    }
    int screen_height() override { return 768; }
    std::uint64_t now_ms() override { return now; }
    std::optional<PageEvent> take_event() override {
        if (events.empty()) return std::nullopt;
        PageEvent e = events.front();
        events.pop_front();
        return e;
    }
    // Time passes as asked, unless the wait has no limit: then nothing would
    // ever come, and a test that gets here expected a message.
    void wait_for_event(int timeout_ms) override {
        if (timeout_ms < 0) throw std::runtime_error("the platform waited");
        waits.push_back(timeout_ms);
        now += static_cast<std::uint64_t>(timeout_ms);
    }

    std::deque<PageEvent> events;
    std::vector<std::uint32_t> shown;
    std::vector<int> waits;
    std::vector<RunState> states;
    double shown_width = 0;
    std::uint64_t now = 1000;
    int canvas_width = 0, canvas_height = 0, presents = 0, rows_presented = 0;
};

std::intptr_t ignore(WindowHandle, MsgKind, std::uintptr_t, std::intptr_t) { return 0; }

class WebPlatformTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform.register_class({"W", ignore, 0, 0x00FFFFFF, nullptr});
        window = platform.create_window({"W", "TOVIK Graphics", WindowStyle::Fixed, 0, 0, 601, 540});
        const MenuHandle bar = platform.create_menu();
        const MenuHandle run = platform.create_popup_menu();
        platform.append_menu(run, MENU_STRING, 40001, "&Animate\tCtrl+A");
        platform.append_menu(bar, MENU_POPUP, run, "&Run");
        platform.set_menu(window, bar);
        platform.show_window(window, true);
        Message paint;
        ASSERT_TRUE(platform.get_message(paint));  // the first paint of the shown window
        platform.begin_paint(window);
    }

    void page_event(PageEventKind kind, int a = 0, int b = 0, int c = 0, int mods = 0) {
        page.events.push_back({kind, window, a, b, c, mods, {}});
    }
    Message next() {
        Message m;
        EXPECT_TRUE(platform.get_message(m));
        return m;
    }

    FakePage page;
    WebPlatform platform{page};
    WindowHandle window = 0;
};

TEST_F(WebPlatformTest, ClientAreaSitsUnderTheStripAndItsChangedRowsReachTheCanvasInOneCopy) {
    EXPECT_EQ(page.canvas_width, 595);
    EXPECT_EQ(page.canvas_height, 511);
    const Rect client = platform.client_rect(window);
    EXPECT_EQ(client.right, 595);
    EXPECT_EQ(client.bottom, 491);

    SoftwareCanvas image(595, 491);
    image.fill_rect(0, 0, 595, 491, rgb(0x12, 0x34, 0x56));
    const int before = page.presents;
    platform.copy_image(window, platform.get_dc(window), image, 595, 491);
    EXPECT_EQ(page.presents, before + 1);
    // Bytes R, G, B, A in memory: one little-endian word 0xAABBGGRR.
    EXPECT_EQ(page.shown[static_cast<std::size_t>(20 * 595 + 10)], 0xFF563412u);
    EXPECT_NE(page.shown[static_cast<std::size_t>(5 * 595 + 590)], 0xFF563412u);  // the strip

    image.fill_rect(7, 30, 8, 41, rgb(1, 2, 3));
    platform.copy_image(window, platform.get_dc(window), image, 595, 491);
    EXPECT_EQ(page.rows_presented, 11);
    EXPECT_EQ(page.shown[static_cast<std::size_t>(60 * 595 + 7)], 0xFF030201u);
}

TEST_F(WebPlatformTest, ClicksBecomeClientPointsOrWorkTheMenu) {
    page_event(PageEventKind::MouseDown, 100, 70, 0);
    Message m = next();
    EXPECT_EQ(m.kind, MsgKind::LButtonDown);
    EXPECT_EQ(m.lparam, pack_point(100, 50));

    page_event(PageEventKind::MouseDown, 100, 70, 2);  // right button
    EXPECT_EQ(next().kind, MsgKind::Other);

    // A press on "Run" opens the drop-down; a release on its item chooses it.
    const Rect title = platform.menu_bar(window)->title_rect(0);
    page_event(PageEventKind::MouseDown, title.left + 2, title.top + 2, 0);
    EXPECT_THROW(next(), std::runtime_error);  // the menu's: no message
    ASSERT_TRUE(platform.menu_bar(window)->is_open());
    const Rect item = platform.menu_bar(window)->item_rect(0);
    page_event(PageEventKind::MouseUp, item.left + 4, item.top + 4, 0);
    m = next();
    EXPECT_EQ(m.kind, MsgKind::Command);
    EXPECT_EQ(m.wparam, 40001u);
}

TEST_F(WebPlatformTest, OfSeveralFingersTheFirstIsOneClickAndTapsWorkTheMenu) {
    page_event(PageEventKind::TouchDown, 100, 70, 7);
    page_event(PageEventKind::TouchDown, 300, 90, 8);
    page_event(PageEventKind::TouchMove, 310, 90, 8);
    page_event(PageEventKind::TouchUp, 310, 90, 8);
    page_event(PageEventKind::TouchUp, 100, 70, 7);
    Message m = next();
    EXPECT_EQ(m.kind, MsgKind::LButtonDown);
    EXPECT_EQ(m.lparam, pack_point(100, 50));
    EXPECT_EQ(next().kind, MsgKind::Other);  // the first finger lifted
    EXPECT_THROW(next(), std::runtime_error) << "the second finger did nothing";

    const Rect title = platform.menu_bar(window)->title_rect(0);
    page_event(PageEventKind::TouchDown, title.left + 2, title.top + 2, 9);
    page_event(PageEventKind::TouchUp, title.left + 2, title.top + 2, 9);
    EXPECT_THROW(next(), std::runtime_error);
    ASSERT_TRUE(platform.menu_bar(window)->is_open());
    const Rect item = platform.menu_bar(window)->item_rect(0);
    page_event(PageEventKind::TouchDown, item.left + 4, item.top + 4, 10);
    page_event(PageEventKind::TouchUp, item.left + 4, item.top + 4, 10);
    m = next();
    EXPECT_EQ(m.kind, MsgKind::Command);
    EXPECT_EQ(m.wparam, 40001u);
}

TEST_F(WebPlatformTest, TheLayoutScalesInWholeDevicePixelsAndClicksStillFindTheirClientPixel) {
    // A desktop page at device pixel ratio 2: drawn three times over, shown at 892.5 CSS pixels.
    page_event(PageEventKind::Layout, 130000, 90000, 2000);
    page_event(PageEventKind::MouseDown, 3 * 100 + 2, 3 * 70 + 1, 0);
    Message m = next();
    EXPECT_EQ(page.canvas_width, 1785);
    EXPECT_EQ(page.canvas_height, 1533);
    EXPECT_DOUBLE_EQ(page.shown_width, 892.5);
    EXPECT_EQ(m.kind, MsgKind::LButtonDown);
    EXPECT_EQ(m.lparam, pack_point(100, 50));
    EXPECT_EQ(page.shown.size(), 1785u * 1533u) << "the whole window drawn anew";

    // A phone upright: drawn at scale 1 and stretched by the page to its width.
    page_event(PageEventKind::Layout, 37800, 80000, 3000);
    page_event(PageEventKind::MouseDown, 100, 70, 0);
    m = next();
    EXPECT_EQ(page.canvas_width, 595);
    EXPECT_DOUBLE_EQ(page.shown_width, 378.0);
    EXPECT_EQ(m.lparam, pack_point(100, 50));
}

TEST_F(WebPlatformTest, TheWaitYieldsToTheBrowserUntilTheTimerIsDue) {
    platform.set_timer(window, 1, 50);
    page.now += 20;
    Message m = next();
    EXPECT_EQ(m.kind, MsgKind::Timer);
    EXPECT_EQ(page.waits, std::vector<int>{30});
}

TEST_F(WebPlatformTest, AltLetterOpensTheMenuAndFocusLossReachesTheWindow) {
    page_event(PageEventKind::KeyDown, 'R', 'r', 0, MOD_ALT);
    page_event(PageEventKind::Blur);
    EXPECT_EQ(next().kind, MsgKind::KillFocus);  // the Alt+R was the menu's
    EXPECT_FALSE(platform.menu_bar(window)->is_open());  // and the focus loss closed it
}

TEST_F(WebPlatformTest, KeysBringTheCharacterTheyType) {
    page_event(PageEventKind::KeyDown, 'A', 'a', 0, MOD_CTRL);
    Message m = next();
    EXPECT_EQ(m.kind, MsgKind::KeyDown);
    EXPECT_EQ(m.lparam, 1);  // Ctrl+A types its control character
    page_event(PageEventKind::KeyDown, 222, 0x100);  // text beyond 8 bits types nothing
    EXPECT_EQ(next().lparam, 0);
}

}  // namespace
}  // namespace tovik::web
