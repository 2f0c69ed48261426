// The framework on the SDL platform under SDL's offscreen video driver, with
// events injected into SDL's queue as the window system would send them.
#pragma once

#include <gtest/gtest.h>

#include <SDL.h>

#include <atomic>
#include <cstdlib>
#include <memory>
#include <string>

#include "core/framework_state.h"
#include "core/internal.h"
#include "sdl/sdl_platform.h"
#include "tovik.h"

namespace tovik::testing {

// Pushes an event of the window system itself (SDL_SYSWMEVENT), such as X11
// sends alongside input.  In a file of its own: the window system's headers
// define names that clash with ours.
void push_window_system_event();

class SdlTest : public ::testing::Test {
protected:
    SdlTest() {
        // Always the offscreen driver, whatever display the test runs under.
        setenv("SDL_VIDEODRIVER", "offscreen", 1);
        SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
        if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_TIMER) != 0) {
            ADD_FAILURE() << "SDL_Init: " << SDL_GetError();
            return;
        }
        reset_framework();
        platform = std::make_unique<sdl::SdlPlatform>();
        set_platform(platform.get());
    }
    ~SdlTest() override {
        reset_framework();
        set_platform(nullptr);
        platform.reset();
        SDL_Quit();
    }

    void start() { TOVIK_start(nullptr, nullptr, "", 1); }

    // TOVIK_wait_event, bounded: if nothing ends the wait within 20 s (the
    // timer and every injected event are much quicker), a quit request ends it
    // and the test fails instead of hanging.
    EventKind wait() {
        static std::atomic<bool> fired;
        fired = false;
        const SDL_TimerID watchdog = SDL_AddTimer(
            20000,
            [](Uint32, void*) -> Uint32 {
                fired = true;
                SDL_Event quit{};
                quit.type = SDL_QUIT;
                SDL_PushEvent(&quit);
                return 0;
            },
            nullptr);
        const EventKind kind = TOVIK_wait_event(&x, &y, &typed);
        SDL_RemoveTimer(watchdog);
        EXPECT_FALSE(fired) << "the wait had to be ended by the watchdog";
        return kind;
    }

    // Handles everything injected so far, as waits do, without waiting for an event.
    void pump() {
        while (SDL_PeepEvents(nullptr, 0, SDL_PEEKEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) > 0 ||
               platform->queued() > 0) {
            pump_message();
        }
    }

    // Handles messages until the timer ticks: every paint asked for is done then.
    void settle() {
        Message message;
        do {
            ASSERT_TRUE(platform->get_message(message));
            platform->translate_message(message);
            platform->dispatch_message(message);
        } while (message.kind != MsgKind::Timer);
    }

    WindowHandle graphics() const { return fw.graphics_window; }
    WindowHandle text() const { return fw.text_window; }
    SDL_Window* sdl_window(WindowHandle window) const { return platform->sdl_window(window); }
    Uint32 window_id(WindowHandle window) const { return SDL_GetWindowID(sdl_window(window)); }

    // --- injected input: positions are window pixels ---------------------------

    void mouse_button(Uint32 type, int wx, int wy, Uint8 button = SDL_BUTTON_LEFT,
                      WindowHandle window = 0) {
        SDL_Event event{};
        event.type = type;
        event.button.windowID = window_id(window != 0 ? window : graphics());
        event.button.button = button;
        event.button.state = type == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
        event.button.clicks = 1;
        event.button.x = wx;
        event.button.y = wy;
        SDL_PushEvent(&event);
    }
    void click(int wx, int wy, Uint8 button = SDL_BUTTON_LEFT, WindowHandle window = 0) {
        mouse_button(SDL_MOUSEBUTTONDOWN, wx, wy, button, window);
        mouse_button(SDL_MOUSEBUTTONUP, wx, wy, button, window);
    }
    void click_centre_of(const Rect& r) { click((r.left + r.right) / 2, (r.top + r.bottom) / 2); }

    void key(Uint32 type, SDL_Keycode sym, SDL_Scancode scancode, Uint16 mod,
             WindowHandle window = 0) {
        SDL_Event event{};
        event.type = type;
        event.key.windowID = window_id(window != 0 ? window : graphics());
        event.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
        event.key.keysym.sym = sym;
        event.key.keysym.scancode = scancode;
        event.key.keysym.mod = mod;
        SDL_PushEvent(&event);
    }
    void text_input(const char* utf8, WindowHandle window = 0) {
        SDL_Event event{};
        event.type = SDL_TEXTINPUT;
        event.text.windowID = window_id(window != 0 ? window : graphics());
        SDL_strlcpy(event.text.text, utf8, sizeof event.text.text);
        SDL_PushEvent(&event);
    }
    // A key pressed and released, with the text it types ("" for none).
    void press(SDL_Keycode sym, SDL_Scancode scancode, const char* text = "", Uint16 mod = 0,
               WindowHandle window = 0) {
        key(SDL_KEYDOWN, sym, scancode, mod, window);
        if (*text != '\0') text_input(text, window);
        key(SDL_KEYUP, sym, scancode, mod, window);
    }
    void window_event(Uint8 kind, WindowHandle window) {
        SDL_Event event{};
        event.type = SDL_WINDOWEVENT;
        event.window.windowID = window_id(window);
        event.window.event = kind;
        SDL_PushEvent(&event);
    }

    // The colour of a pixel of a window as shown, 0x00RRGGBB.
    std::uint32_t shown_pixel(WindowHandle window, int wx, int wy) const {
        SDL_Surface* surface = SDL_GetWindowSurface(sdl_window(window));
        const auto* row = static_cast<const std::uint8_t*>(surface->pixels) + wy * surface->pitch;
        std::uint32_t raw = 0;
        SDL_memcpy(&raw, row + wx * surface->format->BytesPerPixel, surface->format->BytesPerPixel);
        Uint8 r = 0, g = 0, b = 0;
        SDL_GetRGB(raw, surface->format, &r, &g, &b);
        return (std::uint32_t{r} << 16) | (std::uint32_t{g} << 8) | b;
    }

    std::unique_ptr<sdl::SdlPlatform> platform;
    // What the last wait handed back.
    std::int32_t x = 0;
    std::int32_t y = 0;
    signed char typed = 0;
};

}  // namespace tovik::testing
