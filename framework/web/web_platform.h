// The platform in a web browser, on a page that gives each window a canvas.
//
// Implements:
//   - windows: the outer size less the native frame (3) and caption (23) is the
//     canvas; a window with a menu shows the drawn 20-pixel menu strip above its
//     client area, so the 601 x 540 graphics window has a 595 x 491 client area
//     on a 595 x 511 canvas.  Windows start hidden; Create, then Size, reach the
//     handler before create_window returns.  Canvases keep their size.
//   - messages in the native order: posted and input messages, then the quit
//     request, then one Paint per invalidated window, then timer ticks.
//     get_message yields to the browser until the page has an event.
//   - presenting: the client picture, the menu strip and any open drop-down are
//     put together and reach the canvas in one copy.
// Known limits: there is no close box, and drop-downs inside drop-downs are not
// supported (they show greyed).
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "drawn_menu/menu_bar.h"
#include "drawn_menu/menu_store.h"
#include "platform.h"
#include "web/web_page.h"

namespace tovik::web {

using drawn_menu::MenuBar;
using drawn_menu::MenuStore;

class WebPlatform final : public Platform {
public:
    static constexpr int FRAME = 3;
    static constexpr int CAPTION = 23;

    // `page` must outlive the platform.
    explicit WebPlatform(Page& page) : page_(page) {}

    // Where the page's reports (a failed save or load) go besides the page.
    void set_report_sink(std::function<void(const std::string&)> sink) { report_ = std::move(sink); }

    // Inspection, for tests.
    const MenuBar* menu_bar(WindowHandle window) const;

    bool register_class(const WindowClassInfo& info) override;
    WindowHandle create_window(const WindowInfo& info) override;
    bool show_window(WindowHandle window, bool show) override;
    Rect client_rect(WindowHandle window) override;
    void invalidate(WindowHandle window) override;
    void begin_paint(WindowHandle window) override;
    void end_paint(WindowHandle window) override;
    int screen_height() override { return page_.screen_height(); }
    std::intptr_t default_proc(WindowHandle window, MsgKind kind, std::uintptr_t wparam,
                               std::intptr_t lparam) override;
    std::string last_error() override { return last_error_; }
    bool get_message(Message& out) override;
    void translate_message(const Message& message) override;
    std::intptr_t dispatch_message(const Message& message) override;
    void post_message(const Message& message) override { queue_.push_back(message); }
    void post_quit(int exit_code) override;
    void set_timer(WindowHandle window, unsigned id, unsigned period_ms) override;
    void kill_timer(WindowHandle window, unsigned id) override;
    MenuHandle create_menu() override { return menus_.create(); }
    MenuHandle create_popup_menu() override { return menus_.create(); }
    void append_menu(MenuHandle menu, std::uint32_t flags, std::uintptr_t id_or_popup,
                     const char* label) override;
    void set_menu(WindowHandle window, MenuHandle menu) override;
    void draw_menu_bar(WindowHandle window) override;
    void check_menu_item(MenuHandle menu, unsigned id, bool checked) override;
    ContextHandle get_dc(WindowHandle window) override { return window; }
    void release_dc(WindowHandle, ContextHandle) override {}
    std::unique_ptr<Canvas> create_image(int width, int height) override;
    void copy_image(WindowHandle window, ContextHandle context, const Canvas& image, int width,
                    int height) override;

private:
    struct Window {
        WindowProc proc = nullptr;
        std::uint32_t background = 0;  // 0x00RRGGBB
        bool visible = false;
        bool invalid = false;
        bool created = false;
        int width = 0;   // the canvas
        int height = 0;
        std::unique_ptr<MenuBar> menu;
        std::vector<std::uint32_t> client_pixels;  // 0x00RRGGBB, the last picture copied
        std::vector<std::uint32_t> frame;          // RGBA, what the canvas shows

        int strip_height() const { return menu ? MenuBar::HEIGHT : 0; }
        int client_height() const { return height > strip_height() ? height - strip_height() : 0; }
    };
    struct Timer {
        WindowHandle window;
        unsigned id;
        bool due;
    };

    Window* find(WindowHandle window);
    const Window* find(WindowHandle window) const;
    std::intptr_t send(WindowHandle window, MsgKind kind, std::uintptr_t wparam = 0,
                       std::intptr_t lparam = 0);
    void queue(WindowHandle window, MsgKind kind, std::uintptr_t wparam = 0, std::intptr_t lparam = 0);
    void fit_client(Window& w);
    void present(WindowHandle window);
    bool take_tick(Message& out);

    // Input translation (web_input.cpp).
    void translate(const PageEvent& event);
    void on_key_down(const PageEvent& event);
    void on_key_up(const PageEvent& event);
    void on_mouse(const PageEvent& event);
    void on_mouse_move(const PageEvent& event);
    void on_blur(const PageEvent& event);
    void on_tick(const PageEvent& event);
    void apply(WindowHandle window, const MenuBar::Result& result);

    Page& page_;
    std::function<void(const std::string&)> report_;
    struct WindowClass {
        WindowProc proc = nullptr;
        std::uint32_t background = 0;  // 0x00RRGGBB
    };
    std::map<std::string, WindowClass, std::less<>> classes_;
    std::vector<std::unique_ptr<Window>> windows_;  // handle h is windows_[h - 1]
    MenuStore menus_;
    std::deque<Message> queue_;
    std::vector<Timer> timers_;
    std::size_t next_timer_ = 0;
    bool quit_posted_ = false;
    std::string last_error_;
};

}  // namespace tovik::web
