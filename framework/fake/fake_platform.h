// The fake platform: the shared window system with input from a script and
// no display, for tests and the headless tools.
//
// Supports (the same list, in the same order, in every backend):
//   [x] windows: fixed and resizable, titles, positions, show and hide
//   [x] the close box (close_window)
//   [x] menu bar and drop-downs (drawn by the window system)
//   [x] keys: virtual-key codes and the characters they type (given by the test)
//   [x] mouse: left-button presses (click), other buttons and motion
//       through the window system's input calls
//   [x] focus loss (lose_focus)
//   [x] the program's icon: kept per window for tests to read
//   [x] timers: on a clock that runs only while get_message would sleep
//   [x] exposure and resizing (resize_client)
//   [ ] the system asking the program to end: a test posts the quit request
//   [x] pictures on screen: the changed rows, kept per window for tests to read
//   [x] display scaling: the desktop a test sets
//   [x] full screen: the screen a test sets
//   [ ] touch
// Native windows have the platform's decorations' sizes, so the graphics
// window's client area is 595 x 491 as on the real platform.  A get_message
// that could only block forever aborts with a message: in a test that is a
// hang turned into a failure.
#pragma once

#include <functional>
#include <map>
#include <string_view>
#include <vector>

#include "window_system/window_system.h"

namespace tovik {

class FakePlatform final : public WindowSystem {
public:
    using MenuItem = window_system::MenuItem;

    explicit FakePlatform(int screen_height = 768);
    ~FakePlatform() override;

    // Scripting input.  Clicks and keys go to the graphics window unless a
    // window is given; positions are client pixels.
    void queue(const Message& message) { post_message(message); }
    // A press of the left button (its release is not sent).
    void click(int client_x, int client_y, WindowHandle window = 0);
    void key_down(std::uintptr_t virtual_key, char typed = 0, WindowHandle window = 0);
    void key_up(std::uintptr_t virtual_key, WindowHandle window = 0);
    void type_char(unsigned char code, WindowHandle window = 0);
    void command(unsigned id);
    // A timer message, queued behind what is queued already.
    void timer(WindowHandle window = 0);
    void lose_focus(WindowHandle window = 0);
    // Changes a window's client size, as the program's own resize does.
    void resize_client(WindowHandle window, int width, int height);
    // Changes the native window's size in its own pixels, as a window manager may.
    void resize_native(WindowHandle window, int width, int height) { resized(window, width, height); }

    // The desktop the windows are made on; the screen is what full screen fills.
    DisplayInfo desktop;
    int screen_width = 1024;

    // The window system's timers tick on their own when nothing else is
    // queued (default on); off, time stands still.
    bool auto_timer = true;
    // Called when get_message finds nothing at all to deliver; it may queue
    // messages or post the quit request.  Without one, that is a fatal error.
    std::function<void()> on_idle;
    // Makes the images of create_image; the window system's canvas unless replaced.
    std::function<std::unique_ptr<Canvas>(int width, int height)> image_factory;
    // Called on every copy of an image to a window.
    std::function<void(WindowHandle, const Canvas&, int width, int height)> on_copy_image;

    // Inspection.
    WindowHandle find_window(std::string_view title) const;
    WindowHandle graphics_window() const { return find_window("TOVIK Graphics"); }
    const Window& window(WindowHandle handle) const;
    const std::vector<MenuItem>& menu_items(MenuHandle menu) const;
    int copies() const { return copies_; }
    int released_contexts() const { return released_contexts_; }
    // What the window shows, as put on its screen: 0x00RRGGBB at native
    // window pixels (the menu strip, then the client area).
    std::uint32_t shown_pixel(WindowHandle window, int x, int y) const;
    // The rows put on screen so far.
    std::size_t rows_put() const { return rows_put_; }
    // The icon a window was given last: its pixels, size x size; none is empty.
    struct Icon {
        int size = 0;
        std::vector<std::uint32_t> pixels;
    };
    Icon icon(WindowHandle window) const;
    // What the framework told of its state, in order.
    std::vector<RunState> run_states;

    // Platform, where the fake counts.
    int screen_height() override { return screen_height_; }
    void release_dc(WindowHandle window, ContextHandle context) override;
    std::unique_ptr<Canvas> create_image(int width, int height) override;
    void set_window_icon(WindowHandle window, int size, const std::uint32_t* pixels) override;
    void run_state_changed(const RunState& state) override { run_states.push_back(state); }
    void copy_image(WindowHandle window, ContextHandle context, const Canvas& image, int width,
                    int height) override;

private:
    struct Screen {
        std::vector<std::uint32_t> pixels;
        int width = 0;
    };

    WindowHandle target(WindowHandle window) const;

    bool open_native(WindowHandle window, NativeWindow& info) override;
    void close_native(WindowHandle) override {}
    void show_native(WindowHandle, bool) override {}
    bool poll_native(bool) override { return false; }
    Wait wait_native(int timeout_ms) override;
    DisplayInfo display() override { return desktop; }
    bool full_screen_native(WindowHandle window, bool on) override;
    void put_rows(WindowHandle window, const FrameView& picture, std::span<const RowRun> rows) override;
    std::uint64_t now_ms() override { return now_; }

    int screen_height_;
    std::uint64_t now_ = 0;
    std::vector<Screen> screens_;  // handle h is screens_[h - 1]
    std::map<WindowHandle, Icon> icons_;
    int copies_ = 0;
    int released_contexts_ = 0;
    std::size_t rows_put_ = 0;
};

}  // namespace tovik
