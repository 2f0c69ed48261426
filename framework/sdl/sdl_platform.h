// The platform on SDL2 (Linux, macOS): the shared window system on SDL's
// windows, events and window surfaces.
//
// Supports (the same list, in the same order, in every backend):
//   [x] windows: fixed and resizable, titles, positions (of the client area
//       where the window manager allows it; decorations are its own)
//   [x] the close box, and on X11 a window another client destroys (sdl_x11.h)
//   [x] menu bar and drop-downs (drawn by the window system)
//   [x] keys: virtual-key codes (letters by layout, other keys by position),
//       typed text as 8-bit characters (code points above 255 are dropped)
//   [x] mouse: left-button clicks, other buttons, motion, the wheel
//   [x] focus loss
//   [x] the program's icon on both windows (sdl_icon.cpp); Wayland shows the
//       desktop entry's instead, which SDL 2 cannot set
//   [x] timers: SDL's wait for events sleeps until the nearest deadline
//   [x] exposure and resizing
//   [x] the system asking the program to end: SIGINT, SIGTERM, SIGHUP, SIGQUIT
//       (sdl_signals.h), SDL's quit event
//   [x] pictures on screen: the changed rows, through the window surface (no GPU)
//   [x] display scaling: GDK_SCALE, or Xft.dpi on X11 (not yet Wayland's
//       output scale)
//   [x] full screen (F11, the desktop's resolution)
//   [ ] touch
// Known limits: pressing and releasing Alt alone does not select the menu
// bar; a right-hand Alt that a layout uses as AltGr counts as Alt.
//
// SDL must be initialised (video and timer) before an SdlPlatform is made and
// stay so until it is gone; the program's entry does that.
#pragma once

#include <SDL.h>

#include <optional>
#include <string>
#include <vector>

#include "sdl/sdl_signals.h"
#include "window_system/window_system.h"

namespace tovik::sdl {

class SdlPlatform final : public WindowSystem {
public:
    SdlPlatform();
    ~SdlPlatform() override;

    // Inspection, for tests.
    SDL_Window* sdl_window(WindowHandle window) const;
    bool signals_watched() const { return signals_.active(); }

    int screen_height() override;
    void set_window_icon(WindowHandle window, int size, const std::uint32_t* pixels) override;

private:
    struct Native {
        SDL_Window* sdl = nullptr;  // null once closed
        Uint32 id = 0;
        unsigned long x_window = 0;  // on X11
        // The window surface shows the picture as last put, at this size: a
        // put then needs only the rows that changed.
        bool surface_current = false;
        int surface_width = 0;
        int surface_height = 0;
    };

    Native* native(WindowHandle window);
    WindowHandle handle_of(Uint32 sdl_id) const;
    WindowHandle handle_of_x_window(unsigned long x_window) const;

    bool open_native(WindowHandle window, NativeWindow& info) override;
    void close_native(WindowHandle window) override;
    void show_native(WindowHandle window, bool show) override;
    bool poll_native(bool ask) override;
    Wait wait_native(int timeout_ms) override;
    void put_rows(WindowHandle window, const FrameView& picture, std::span<const RowRun> rows) override;
    DisplayInfo display() override;
    bool full_screen_native(WindowHandle window, bool on) override;

    // Event translation (sdl_events.cpp).
    void translate_event(const SDL_Event& event);
    void on_window_event(const SDL_WindowEvent& event);
    void on_key(const SDL_KeyboardEvent& event);
    std::string take_paired_text();

    std::vector<Native> natives_;  // handle h is natives_[h - 1]
    std::vector<SDL_Rect> rects_;  // put_rows', kept between frames
    std::optional<double> desktop_scale_;  // display()'s, once known
    // Under Wayland the compositor scales each output, and SDL draws the
    // window's picture into a buffer at the output's scale.
    bool wayland_ = false;
    SignalWatcher signals_;
};

}  // namespace tovik::sdl
