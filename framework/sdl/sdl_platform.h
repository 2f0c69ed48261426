// The platform on SDL2 (Linux, macOS).
//
// SDL must be initialised (video and timer) before an SdlPlatform is made and
// stay so until it is gone; the program's entry does that.
#pragma once

#include <SDL.h>

#include <deque>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "drawn_menu/menu_bar.h"
#include "drawn_menu/menu_store.h"
#include "platform.h"
#include "sdl/sdl_signals.h"
#include "sdl/sdl_timers.h"

namespace tovik::sdl {

using drawn_menu::MenuBar;
using drawn_menu::MenuStore;

class SdlPlatform final : public Platform {
public:
    // The native decorations that a window's outer size includes.
    static constexpr int FRAME = 3;
    static constexpr int CAPTION = 23;

    SdlPlatform();
    SdlPlatform(const SdlPlatform&) = delete;
    SdlPlatform& operator=(const SdlPlatform&) = delete;
    ~SdlPlatform() override;

    // Inspection, for tests.
    SDL_Window* sdl_window(WindowHandle window) const;
    const MenuBar* menu_bar(WindowHandle window) const;
    const MenuStore& menus() const { return menus_; }
    bool timer_running(WindowHandle window, unsigned id) const { return timers_.running(window, id); }
    bool signals_watched() const { return signals_.active(); }
    std::size_t queued() const { return queue_.size(); }

    // Platform.
    bool register_class(const WindowClassInfo& info) override;
    WindowHandle create_window(const WindowInfo& info) override;
    bool show_window(WindowHandle window, bool show) override;
    Rect client_rect(WindowHandle window) override;
    void invalidate(WindowHandle window) override;
    void begin_paint(WindowHandle window) override;
    void end_paint(WindowHandle window) override;
    int screen_height() override;
    std::intptr_t default_proc(WindowHandle window, MsgKind kind, std::uintptr_t wparam,
                               std::intptr_t lparam) override;
    std::string last_error() override { return last_error_; }
    bool get_message(Message& out) override;
    void translate_message(const Message& message) override;
    std::intptr_t dispatch_message(const Message& message) override;
    void post_message(const Message& message) override;
    void post_quit(int exit_code) override;
    void set_timer(WindowHandle window, unsigned id, unsigned period_ms) override;
    void kill_timer(WindowHandle window, unsigned id) override;
    MenuHandle create_menu() override;
    MenuHandle create_popup_menu() override;
    void append_menu(MenuHandle menu, std::uint32_t flags, std::uintptr_t id_or_popup,
                     const char* label) override;
    void set_menu(WindowHandle window, MenuHandle menu) override;
    void draw_menu_bar(WindowHandle window) override;
    void check_menu_item(MenuHandle menu, unsigned id, bool checked) override;
    ContextHandle get_dc(WindowHandle window) override;
    void release_dc(WindowHandle window, ContextHandle context) override;
    std::unique_ptr<Canvas> create_image(int width, int height) override;
    void copy_image(WindowHandle window, ContextHandle context, const Canvas& image, int width,
                    int height) override;

private:
    struct WindowClass {
        WindowProc proc = nullptr;
        std::uint32_t background = 0;  // 0x00RRGGBB
    };
    struct Window {
        SDL_Window* sdl = nullptr;
        Uint32 sdl_id = 0;
        unsigned long x_window = 0;  // on X11
        WindowProc proc = nullptr;
        std::uint32_t background = 0;  // 0x00RRGGBB
        bool visible = false;
        bool invalid = false;
        bool created = false;  // Create and the first Size have been delivered
        // The SDL window is the outer window less frame and caption: the menu
        // strip, if the window has a menu, above the client area.
        int client_width = 0;
        int client_height = 0;
        std::unique_ptr<MenuBar> menu;
        // The last picture copied to the client area, kept to show again over
        // what a drop-down covered.
        std::vector<std::uint32_t> client_pixels;
        // The window surface shows the menu bar and client_pixels as they are,
        // nothing over them, at this size: a copy then only puts the rows
        // that differ.
        bool surface_current = false;
        int surface_width = 0;
        int surface_height = 0;

        int strip_height() const { return menu ? MenuBar::HEIGHT : 0; }
    };

    // Window bookkeeping.
    Window* find(WindowHandle window);
    const Window* find(WindowHandle window) const;
    WindowHandle handle_of(Uint32 sdl_id) const;
    WindowHandle handle_of_x_window(unsigned long x_window) const;
    std::intptr_t send(WindowHandle window, MsgKind kind, std::uintptr_t wparam = 0,
                       std::intptr_t lparam = 0);
    void queue(WindowHandle window, MsgKind kind, std::uintptr_t wparam = 0,
               std::intptr_t lparam = 0);
    void resize_client(Window& w, int width, int height);
    void destroy(WindowHandle window);
    void present(WindowHandle window);
    WindowHandle window_to_paint() const;
    bool copy_changed_rows(Window& w, const std::uint32_t* pixels, int stride, int width,
                           int height);

    // Event translation (sdl_events.cpp).
    void translate_event(const SDL_Event& event);
    void on_window_event(const SDL_WindowEvent& event);
    void on_key_down(const SDL_KeyboardEvent& event);
    void on_key_up(const SDL_KeyboardEvent& event);
    void on_text(const SDL_TextInputEvent& event);
    void on_mouse_button(const SDL_MouseButtonEvent& event);
    void on_mouse_motion(const SDL_MouseMotionEvent& event);
    void apply(WindowHandle window, const MenuBar::Result& result);
    std::string take_paired_text();

    std::map<std::string, WindowClass, std::less<>> classes_;
    std::vector<std::unique_ptr<Window>> windows_;  // handle h is windows_[h - 1]; null once destroyed
    MenuStore menus_;
    std::deque<Message> queue_;
    bool quit_posted_ = false;
    Timers timers_;
    std::vector<SDL_Rect> changed_rows_;  // copy_changed_rows' runs, kept between frames
    SignalWatcher signals_;
    std::string last_error_;
};

}  // namespace tovik::sdl
