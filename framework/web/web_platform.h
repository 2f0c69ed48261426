// The platform in a web browser: the shared window system on a page that
// gives each window a canvas.
//
// Supports (the same list, in the same order, in every backend):
//   [x] windows: fixed size, titles; positions are the page's
//   [ ] the close box: the page has none
//   [x] menu bar and drop-downs (drawn by the window system)
//   [x] keys: the page's key codes, which are the virtual-key codes, and the
//       key's text as an 8-bit character (code points above 255 are dropped)
//   [x] mouse: left-button clicks, other buttons, motion
//   [x] focus loss
//   [ ] the program's icon: the page has its own
//   [x] timers: the wait yields to the browser until the nearest deadline
//   [ ] exposure and resizing: canvases keep their size and their pixels
//   [ ] the system asking the program to end: closing the page ends it at once
//   [x] pictures on screen: the changed rows, in one copy of the band they span
//   [x] display scaling: every window at one whole scale of device pixels
//       that fits the page, or stretched by the page to fill a phone's width
//   [ ] full screen
//   [x] touch: each finger handed to the window system, whose first is the
//       left button
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "web/web_page.h"
#include "window_system/window_system.h"

namespace tovik::web {

class WebPlatform final : public WindowSystem {
public:
    // `page` must outlive the platform.
    explicit WebPlatform(Page& page);

    // Where the page's reports (a failed save or load) go besides the page.
    void set_report_sink(std::function<void(const std::string&)> sink) { report_ = std::move(sink); }

    int screen_height() override { return page_.screen_height(); }
    void run_state_changed(const RunState& state) override { page_.show_state(state); }

private:
    bool open_native(WindowHandle window, NativeWindow& info) override;
    void close_native(WindowHandle window) override { page_.show_canvas(window, false); }
    void show_native(WindowHandle window, bool show) override { page_.show_canvas(window, show); }
    std::uint64_t now_ms() override { return page_.now_ms(); }
    bool poll_native(bool ask) override;
    Wait wait_native(int timeout_ms) override;
    void put_rows(WindowHandle window, const FrameView& picture, std::span<const RowRun> rows) override;
    // Windows made after a layout are made at its scale.
    DisplayInfo display() override { return {static_cast<double>(scale_), 0, 0}; }

    // Every window shown anew for the page's area (width x height layout
    // pixels, `ratio` device pixels each).
    void lay_out(double width, double height, double ratio);
    void place(WindowHandle window);

    // Input translation (web_input.cpp).
    void translate(const PageEvent& event);

    Page& page_;
    std::function<void(const std::string&)> report_;
    std::vector<std::vector<std::uint32_t>> canvases_;  // RGBA as shown; handle h is [h - 1]
    int scale_ = 1;         // device pixels per picture pixel, as drawn
    double shown_ = 1.0;    // layout pixels per picture pixel, as shown
};

}  // namespace tovik::web
