// The framework on the native backend: real windows, menus, messages and
// timers (under Wine's display-less driver in CI).  What is checked here is
// the translation, native message to core and back, not the core's logic.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "core/framework_state.h"
#include "tovik.h"
#include "win32/win32_platform.h"

namespace tovik {
namespace {

// One native platform for the process: window classes outlive a test.
Win32Platform& native_platform() {
    static Win32Platform platform;
    return platform;
}

HWND graphics() { return win32::hwnd_of(fw.graphics_window); }
HWND text() { return win32::hwnd_of(fw.text_window); }

std::string window_text(HWND hwnd) {
    char buffer[256] = "";
    GetWindowTextA(hwnd, buffer, sizeof buffer);
    return buffer;
}

std::string class_name(HWND hwnd) {
    char buffer[256] = "";
    GetClassNameA(hwnd, buffer, sizeof buffer);
    return buffer;
}

// The key data Windows gives a key press, which TranslateMessage reads.
LPARAM key_data(UINT virtual_key, bool up) {
    const UINT scan = MapVirtualKeyA(virtual_key, MAPVK_VK_TO_VSC);
    LPARAM data = 1 | static_cast<LPARAM>(scan << 16);
    if (up) data |= static_cast<LPARAM>(0xC0000000u);
    return data;
}

void press(HWND hwnd, UINT virtual_key) {
    PostMessageA(hwnd, WM_KEYDOWN, virtual_key, key_data(virtual_key, false));
    PostMessageA(hwnd, WM_KEYUP, virtual_key, key_data(virtual_key, true));
}

UINT menu_state(unsigned id) {
    return GetMenuState(win32::hmenu_of(fw.run_menu), id, MF_BYCOMMAND);
}

class Win32PlatformTest : public ::testing::Test {
protected:
    Win32PlatformTest() {
        reset_framework();
        set_platform(&native_platform());
        TOVIK_start(GetModuleHandleA(nullptr), nullptr, "", SW_SHOWNORMAL);
    }
    ~Win32PlatformTest() override {
        if (IsWindow(text())) DestroyWindow(text());
        if (IsWindow(graphics())) DestroyWindow(graphics());
        TOVIK_finish();
        // Whatever is left, the quit request of the destroyed window included,
        // must not reach the next test.
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        }
        reset_framework();
        set_platform(nullptr);
    }

    EventKind wait() { return TOVIK_wait_event(&x, &y, &key); }
    // A click at the origin ends a wait that nothing else ends.
    void click_at_origin() {
        PostMessageA(graphics(), WM_LBUTTONDOWN, 0, MAKELPARAM(fw.origin_x, fw.origin_y));
    }

    std::int32_t x = 0;
    std::int32_t y = 0;
    signed char key = 0;
};

TEST_F(Win32PlatformTest, StartMakesTheTwoNativeWindowsAsTheClassTableSays) {
    ASSERT_TRUE(IsWindow(graphics()));
    ASSERT_TRUE(IsWindow(text()));
    EXPECT_EQ(class_name(graphics()), "DrawWndClass");
    EXPECT_EQ(class_name(text()), "TextWndClass");
    EXPECT_EQ(window_text(graphics()), "TOVIK Graphics");
    EXPECT_EQ(window_text(text()), "TOVIK Text");
    EXPECT_TRUE(IsWindowVisible(graphics()));
    EXPECT_TRUE(IsWindowVisible(text()));

    const LONG fixed = GetWindowLongA(graphics(), GWL_STYLE);
    EXPECT_EQ(fixed & (WS_CAPTION | WS_SYSMENU), WS_CAPTION | WS_SYSMENU);
    EXPECT_EQ(fixed & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0);
    const LONG resizable = GetWindowLongA(text(), GWL_STYLE);
    EXPECT_EQ(resizable & WS_OVERLAPPEDWINDOW, WS_OVERLAPPEDWINDOW);

    RECT outer{};
    GetWindowRect(graphics(), &outer);
    EXPECT_EQ(outer.left, 0);
    EXPECT_EQ(outer.top, 0);
    EXPECT_EQ(outer.right - outer.left, 601);
    EXPECT_EQ(outer.bottom - outer.top, 540);
    GetWindowRect(text(), &outer);
    EXPECT_EQ(outer.left, 0);
    EXPECT_EQ(outer.top, 550);
    EXPECT_EQ(outer.right - outer.left, 601);
    EXPECT_EQ(outer.bottom - outer.top, GetSystemMetrics(SM_CYSCREEN) / 3);

    WNDCLASSA info{};
    ASSERT_TRUE(GetClassInfoA(GetModuleHandleA(nullptr), "DrawWndClass", &info));
    EXPECT_EQ(info.style, static_cast<UINT>(CS_HREDRAW | CS_VREDRAW));
    EXPECT_STREQ(info.lpszMenuName, "generic");
    EXPECT_NE(info.hIcon, nullptr);
    EXPECT_NE(info.hCursor, nullptr);
    LOGBRUSH brush{};
    ASSERT_NE(GetObjectA(info.hbrBackground, sizeof brush, &brush), 0);
    EXPECT_EQ(brush.lbStyle, static_cast<UINT>(BS_SOLID));
    EXPECT_EQ(brush.lbColor, RGB(255, 255, 255));
    WNDCLASSA text_info{};
    ASSERT_TRUE(GetClassInfoA(GetModuleHandleA(nullptr), "TextWndClass", &text_info));
    EXPECT_EQ(text_info.hbrBackground, info.hbrBackground) << "one brush, made once";
}

#ifdef TOVIK_TEST_PROGRAM_ICON
int icon_width(HICON icon) {
    ICONINFO info{};
    if (!GetIconInfo(icon, &info)) return 0;
    BITMAP bitmap{};
    GetObjectA(info.hbmColor, sizeof bitmap, &bitmap);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return bitmap.bmWidth;
}

TEST_F(Win32PlatformTest, BothClassesShowTheProgramsIconLargeAndSmall) {
    const HICON generic = LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION));
    for (const char* name : {"DrawWndClass", "TextWndClass"}) {
        WNDCLASSEXA info{};
        info.cbSize = sizeof info;
        ASSERT_TRUE(GetClassInfoExA(GetModuleHandleA(nullptr), name, &info)) << name;
        EXPECT_NE(info.hIcon, generic) << name;
        EXPECT_NE(info.hIconSm, generic) << name;
        EXPECT_EQ(icon_width(info.hIcon), GetSystemMetrics(SM_CXICON)) << name;
        EXPECT_EQ(icon_width(info.hIconSm), GetSystemMetrics(SM_CXSMICON)) << name;
    }
}
#endif

TEST_F(Win32PlatformTest, TheOriginComesFromTheRealClientRectangle) {
    RECT client{};
    GetClientRect(graphics(), &client);
    EXPECT_GT(client.right, 0);
    EXPECT_GT(client.bottom, 0);
    EXPECT_EQ(fw.origin_x, client.right / 2);
    EXPECT_EQ(fw.origin_y, client.bottom / 2);
}

TEST_F(Win32PlatformTest, TheRunMenuIsANativeMenuWithItsChecksAndGreyedLines) {
    HMENU bar = GetMenu(graphics());
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(GetMenu(text()), nullptr);
    ASSERT_EQ(GetMenuItemCount(bar), 1);
    char title[32] = "";
    GetMenuStringA(bar, 0, title, sizeof title, MF_BYPOSITION);
    EXPECT_STREQ(title, "&Run");
    HMENU run = GetSubMenu(bar, 0);
    ASSERT_EQ(run, win32::hmenu_of(fw.run_menu));
    EXPECT_EQ(GetMenuItemCount(run), 16);

    char label[64] = "";
    GetMenuStringA(run, 0, label, sizeof label, MF_BYPOSITION);
    EXPECT_STREQ(label, "&Animate\tCtrl+A");
    EXPECT_NE(GetMenuState(run, 3, MF_BYPOSITION) & MF_SEPARATOR, 0u);
    EXPECT_NE(GetMenuState(run, 15, MF_BYPOSITION) & MF_GRAYED, 0u);

    // Logging starts checked; the switch and the menu command move the mark.
    EXPECT_NE(menu_state(CMD_LOGGING) & MF_CHECKED, 0u);
    TOVIK_set_logging(0);
    EXPECT_EQ(menu_state(CMD_LOGGING) & MF_CHECKED, 0u);
    PostMessageA(graphics(), WM_COMMAND, CMD_LOGGING, 0);
    click_at_origin();
    wait();
    EXPECT_EQ(fw.logging, 1);
    EXPECT_NE(menu_state(CMD_LOGGING) & MF_CHECKED, 0u);
}

TEST_F(Win32PlatformTest, AClickIsAMouseEventInFrameworkCoordinates) {
    PostMessageA(graphics(), WM_LBUTTONDOWN, MK_LBUTTON,
                 MAKELPARAM(fw.origin_x + 5, fw.origin_y - 7));
    EXPECT_EQ(wait(), TOVIK_MOUSE);
    EXPECT_EQ(x, 5);
    EXPECT_EQ(y, 7);
}

TEST_F(Win32PlatformTest, AKeyPressIsTranslatedNativelyIntoTheTypedCharacter) {
    press(graphics(), 'G');
    EXPECT_EQ(wait(), TOVIK_KBD);
    EXPECT_EQ(key, 'g');
}

TEST_F(Win32PlatformTest, KeysPressedInTheTextWindowReachTheGame) {
    press(text(), 'K');
    EXPECT_EQ(wait(), TOVIK_KBD);
    EXPECT_EQ(key, 'k');
}

TEST_F(Win32PlatformTest, CtrlWithALetterInTheTextWindowRunsTheCommandAndTypesNothing) {
    ASSERT_EQ(fw.logging, 1);
    PostMessageA(text(), WM_KEYDOWN, VK_CONTROL, key_data(VK_CONTROL, false));
    press(text(), 'L');
    // The timer's message comes only once the queue is empty, after the
    // forwarded keys and the characters they type: a single step ends the
    // wait there, unless a typed character made a key event first.
    TOVIK_set_animation(ANIM_STEP);
    EXPECT_EQ(wait(), TOVIK_PERIODIC);
    EXPECT_EQ(fw.logging, 0);
    EXPECT_EQ(menu_state(CMD_LOGGING) & MF_CHECKED, 0u);

    PostMessageA(text(), WM_KEYUP, VK_CONTROL, key_data(VK_CONTROL, true));
    press(text(), 'M');
    EXPECT_EQ(wait(), TOVIK_KBD);
    EXPECT_EQ(key, 'm');
}

TEST_F(Win32PlatformTest, TheNativeTimerDrivesThePeriodicEvents) {
    TOVIK_set_animation(ANIM_RUN);
    EXPECT_EQ(wait(), TOVIK_PERIODIC);
    EXPECT_EQ(wait(), TOVIK_PERIODIC);
}

TEST_F(Win32PlatformTest, QuitFromTheMenuEndsTheWaitAndKeepsTheWindows) {
    PostMessageA(graphics(), WM_COMMAND, CMD_QUIT, 0);
    EXPECT_EQ(wait(), TOVIK_QUIT);
    EXPECT_TRUE(IsWindow(graphics()));
}

TEST_F(Win32PlatformTest, TheCloseBoxDestroysTheWindowAndEndsTheWait) {
    // WM_CLOSE is not the core's: it reaches DefWindowProcA as itself, which
    // destroys the window, whose WM_DESTROY comes back through the core.
    PostMessageA(graphics(), WM_CLOSE, 0, 0);
    EXPECT_EQ(wait(), TOVIK_QUIT);
    EXPECT_FALSE(IsWindow(graphics()));
}

// Logging off or shutting down ends the process once WM_ENDSESSION returns:
// the recording's pending run must be on disc by then.
TEST_F(Win32PlatformTest, TheSessionsEndWritesOutTheRecording) {
    PostMessageA(graphics(), WM_COMMAND, CMD_RECORD, 0);
    click_at_origin();
    EXPECT_EQ(wait(), TOVIK_MOUSE);
    TOVIK_set_animation(ANIM_RUN);
    EXPECT_EQ(wait(), TOVIK_PERIODIC);
    EXPECT_EQ(wait(), TOVIK_PERIODIC);
    SendMessageA(graphics(), WM_ENDSESSION, FALSE, 0);  // cancelled: nothing happens
    EXPECT_TRUE(fw.script_file);
    SendMessageA(graphics(), WM_ENDSESSION, TRUE, 0);
    EXPECT_FALSE(fw.script_file);

    std::string written(64, '\0');
    if (std::FILE* file = std::fopen(SCRIPT_FILE_NAME, "rb"); file != nullptr) {
        written.resize(std::fread(written.data(), 1, written.size(), file));
        std::fclose(file);
    }
    std::remove(SCRIPT_FILE_NAME);
    EXPECT_EQ(written, "TOVIK_MOUSE(0, 0);\r\nTOVIK_PERIODIC(2);\r\n");
}

TEST_F(Win32PlatformTest, ClosingTheTextWindowLeavesTheFrameworkRunning) {
    SendMessageA(text(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(text()));
    EXPECT_EQ(TOVIK_show_text_window(1), 0);
    TOVIK_print("still logging\n");
    click_at_origin();
    EXPECT_EQ(wait(), TOVIK_MOUSE);
}

TEST_F(Win32PlatformTest, MessagesTheCoreDoesNotKnowGetTheirDefaultHandling) {
    SendMessageA(graphics(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("renamed"));
    EXPECT_EQ(window_text(graphics()), "renamed");
    EXPECT_EQ(SendMessageA(graphics(), WM_GETTEXTLENGTH, 0, 0), 7);
}

TEST_F(Win32PlatformTest, PaintingValidatesTheWindows) {
    TOVIK_print("hello\n");
    UpdateWindow(text());  // sends WM_PAINT now
    EXPECT_STREQ(fw.log_ring[0].get(), "hello") << "painting took the newline off";
    EXPECT_FALSE(GetUpdateRect(text(), nullptr, FALSE));

    fw.image_changed = 1;
    InvalidateRect(graphics(), nullptr, TRUE);
    UpdateWindow(graphics());
    EXPECT_EQ(fw.image_changed, 0);
    EXPECT_FALSE(GetUpdateRect(graphics(), nullptr, FALSE));
}

TEST_F(Win32PlatformTest, TheOffscreenImageIsAGdiBitmapOfTheImageSize) {
    ASSERT_TRUE(fw.offscreen_image);
    EXPECT_EQ(fw.offscreen_image->width(), 601);
    EXPECT_EQ(fw.offscreen_image->height(), 540);
    TOVIK_clear();
    EXPECT_EQ(fw.offscreen_image->pixel(0, 0), RGB(0, 0, 0));
    EXPECT_EQ(fw.offscreen_image->pixel(300, 270), RGB(255, 255, 255));
    TOVIK_draw_circle(COLOUR_RED, 0, 0, 3);
    EXPECT_EQ(fw.offscreen_image->pixel(fw.origin_x, fw.origin_y), RGB(255, 0, 0));
}

}  // namespace
}  // namespace tovik
