// The fake platform: windows without a display, messages from a script.
//
// Implements the whole boundary in memory for tests and the headless tools:
//   - windows with the native decorations' sizes (frame 3, caption 23, menu 20),
//     so the graphics window's client area is 595 x 491 as on the real platform;
//   - a message queue filled by the test, delivered in the native order:
//     posted messages, then the quit request, then paint, then the timer;
//   - timers that fire whenever the queue is otherwise empty (switchable);
//   - menus kept as item lists that a test can read;
//   - images on the software canvas (the GDI canvas in Windows builds without
//     it); copies to a window are counted and can be watched.
// A get_message that could only block forever aborts with a message: in a
// test that is a hang turned into a failure.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "platform.h"

namespace tovik {

class FakePlatform final : public Platform {
public:
    static constexpr int FRAME = 3;
    static constexpr int CAPTION = 23;
    static constexpr int MENU_BAR = 20;

    struct Window {
        std::string class_name;
        std::string title;
        WindowStyle style = WindowStyle::Fixed;
        int x = 0, y = 0, outer_width = 0, outer_height = 0;
        Rect client;
        bool visible = false;
        bool invalid = false;
        bool destroyed = false;
        MenuHandle menu = 0;
        int paints = 0;
    };
    struct MenuItem {
        std::uint32_t flags = 0;
        std::uintptr_t id_or_popup = 0;
        std::string label;
    };

    explicit FakePlatform(int screen_height = 768);
    ~FakePlatform() override;

    // Scripting input.  Clicks and keys go to the graphics window unless a
    // window is given; positions are client pixels.
    void queue(const Message& message);
    void click(int client_x, int client_y, WindowHandle window = 0);
    void key_down(std::uintptr_t virtual_key, char typed = 0, WindowHandle window = 0);
    void key_up(std::uintptr_t virtual_key, WindowHandle window = 0);
    void type_char(unsigned char code, WindowHandle window = 0);
    void command(unsigned id);
    void timer(WindowHandle window = 0);
    void lose_focus(WindowHandle window = 0);
    // Destroys the window as its close box does.
    void close_window(WindowHandle window);

    // Timers fire on their own when nothing else is queued (default on).
    bool auto_timer = true;
    // Called when get_message finds nothing at all to deliver; it may queue
    // messages or post the quit request.  Without one, that is a fatal error.
    std::function<void()> on_idle;
    // Makes the images of create_image; the software canvas unless replaced.
    std::function<std::unique_ptr<Canvas>(int width, int height)> image_factory;
    // Called on every copy of an image to a window.
    std::function<void(WindowHandle, const Canvas&, int width, int height)> on_copy_image;

    // Inspection.
    WindowHandle find_window(std::string_view title) const;
    WindowHandle graphics_window() const;
    const Window& window(WindowHandle handle) const;
    const std::vector<MenuItem>& menu_items(MenuHandle menu) const;
    bool timer_running(WindowHandle window, unsigned id) const;
    unsigned timer_period(WindowHandle window, unsigned id) const;
    std::size_t queued() const { return queue_.size(); }
    int copies() const { return copies_; }
    int registered_classes() const { return static_cast<int>(classes_.size()); }
    int released_contexts() const { return released_contexts_; }
    bool quit_posted() const { return quit_posted_; }
    // Changes a window's client size and sends it Size, as a resize does.
    void resize_client(WindowHandle window, int width, int height);

    // Platform.
    bool register_class(const WindowClassInfo& info) override;
    WindowHandle create_window(const WindowInfo& info) override;
    bool show_window(WindowHandle window, bool show) override;
    Rect client_rect(WindowHandle window) override;
    void invalidate(WindowHandle window) override;
    void begin_paint(WindowHandle window) override;
    void end_paint(WindowHandle window) override;
    int screen_height() override { return screen_height_; }
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
    struct Timer {
        WindowHandle window;
        unsigned id;
        unsigned period_ms;
    };
    Window& window_mut(WindowHandle handle);
    WindowHandle target(WindowHandle window) const;
    WindowProc proc_of(WindowHandle window) const;
    std::intptr_t send(WindowHandle window, MsgKind kind, std::uintptr_t wparam = 0,
                       std::intptr_t lparam = 0);

    int screen_height_;
    std::map<std::string, WindowClassInfo, std::less<>> classes_;
    std::vector<Window> windows_;  // handle h is windows_[h - 1]
    std::vector<std::vector<MenuItem>> menus_;  // handle m is menus_[m - 1]
    std::deque<Message> queue_;
    std::vector<Timer> timers_;
    std::size_t next_timer_ = 0;
    bool quit_posted_ = false;
    int copies_ = 0;
    int released_contexts_ = 0;
    std::string last_error_;
};

}  // namespace tovik
