// The framework on the fake platform, fed native input through the window
// system's input calls as a backend's translation would: positions are
// pixels of the native window (the 20-pixel menu strip, then the client area).
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "core/internal.h"
#include "support/framework_fixture.h"

namespace tovik::testing {

class WindowSystemTest : public FrameworkTest {
protected:
    void SetUp() override {
        fake.auto_timer = false;
        start();
        pump();
    }

    WindowSystem& native() { return fake; }
    WindowHandle graphics() const { return fw.graphics_window; }

    // Handles everything queued so far and the paints asked for, as waits
    // do, without waiting for an event.
    void pump() {
        while (fake.queued() > 0 || asks_for_paint(fw.graphics_window) ||
               asks_for_paint(fw.text_window)) {
            pump_message();
        }
    }
    bool asks_for_paint(WindowHandle window) const {
        const WindowSystem::Window& w = fake.window(window);
        return w.visible && w.invalid;
    }

    // A left press and release at a pixel of the graphics window.
    void click(int wx, int wy) {
        native().mouse_button(graphics(), wx, wy, true, true);
        native().mouse_button(graphics(), wx, wy, true, false);
    }
    void click_centre_of(const Rect& r) { click((r.left + r.right) / 2, (r.top + r.bottom) / 2); }
    // A key pressed and released, with the text it types.
    void press(std::uintptr_t key, std::string_view text = "", WindowSystem::KeyState state = {}) {
        native().key_down(graphics(), key, state, text);
        native().key_up(graphics(), key, state);
    }

    std::uint32_t shown(int wx, int wy) const { return fake.shown_pixel(fw.graphics_window, wx, wy); }
    // The pixels of a rectangle of the graphics window as shown.
    std::vector<std::uint32_t> shown(const Rect& r) const {
        std::vector<std::uint32_t> pixels;
        for (int wy = r.top; wy < r.bottom; ++wy) {
            for (int wx = r.left; wx < r.right; ++wx) pixels.push_back(shown(wx, wy));
        }
        return pixels;
    }
    // Paints the off-screen image in one colour and copies it to the screen.
    void show_picture(Colour colour) {
        fw.offscreen_image->fill_rect(0, 0, 601, 540, colour);
        fw.image_changed = 1;
        present_image();
    }
};

}  // namespace tovik::testing
