// The window system that backends without a native one share: everything the
// platform's own window system does for the core, written once.
//
//   - windows: classes and their handlers, create (Create, then Size, before
//     it returns), destroy, show and hide, client rectangles, titles,
//     invalidation and paint;
//   - messages in the native order: posted and input messages, then the quit
//     request, then one Paint per invalidated window, then timer ticks;
//     translate_message makes the Char of a KeyDown that types one;
//   - timers as deadlines: a tick only when nothing else is queued, at most
//     one pending; get_message sleeps in the backend until the next native
//     event or the nearest deadline, with no thread of its own;
//   - the menu bar and its drop-downs, drawn in a strip above the client
//     area, with all key and mouse routing to them (Alt+letter, F10, Esc,
//     arrows, Enter, clicks in the strip, closing on focus loss);
//   - the picture each window shows (menu strip, client image, open
//     drop-down) and which of its rows changed since they were last put on
//     the screen;
//   - display scaling and full screen: each window is shown at the integer
//     scale nearest to the desktop's, with square pixels, and a fixed-size
//     window goes full screen with F11, scaled as far as it fits and centred
//     on black; a native window of another size than the picture shows the
//     picture whole and in place.  Clicks are mapped back: the core sees
//     every pixel and position as at scale 1.
//
// A backend derives from this class, turns native input into the input calls
// below, and implements the hooks under "What a backend implements":
// docs/porting.md tells how.  Nothing here knows SDL, the DOM or X11.
#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform.h"
#include "window_system/keyboard.h"
#include "window_system/menu_bar.h"
#include "window_system/menu_store.h"
#include "window_system/picture.h"
#include "window_system/timers.h"
#include "window_system/view.h"

namespace tovik {

class WindowSystem : public Platform {
public:
    using MenuBar = window_system::MenuBar;
    using MenuStore = window_system::MenuStore;
    using KeyState = window_system::KeyState;

    // A window as the window system keeps it.  Its native window is the outer
    // size less the native frame and caption: the menu strip, if the window
    // has a menu, then the client area.
    struct Window {
        std::string class_name;
        std::string title;
        WindowStyle style = WindowStyle::Fixed;
        int x = 0, y = 0, outer_width = 0, outer_height = 0;
        WindowProc proc = nullptr;
        std::uint32_t background = 0;  // 0x00RRGGBB
        bool visible = false;
        bool invalid = false;
        bool created = false;    // Create and the first Size have been delivered
        bool destroyed = false;  // kept as a record; no longer a window
        MenuHandle menu = 0;     // the menu bar attached, 0 if none
        std::unique_ptr<MenuBar> menu_bar;
        window_system::Picture picture;
        int scale = 1;  // the desktop's, as this window is shown when it can be
        bool full_screen = false;
        int native_width = 0, native_height = 0;
        window_system::View view;          // how the picture stands on the native window
        window_system::NativeFrame native;  // the scaled frame, unless the view is direct
    };

    using FrameView = window_system::FrameView;
    using RowRun = window_system::RowRun;

    // `make_canvas` makes the canvases of create_image and of the window
    // system's own drawing (the menu); null when one cannot be made.
    explicit WindowSystem(window_system::CanvasFactory make_canvas);
    ~WindowSystem() override;
    WindowSystem(const WindowSystem&) = delete;
    WindowSystem& operator=(const WindowSystem&) = delete;

    // --- Platform ------------------------------------------------------------
    bool register_class(const WindowClassInfo& info) override;
    WindowHandle create_window(const WindowInfo& info) override;
    bool show_window(WindowHandle window, bool show) override;
    Rect client_rect(WindowHandle window) override;
    void invalidate(WindowHandle window) override;
    void begin_paint(WindowHandle window) override;
    void end_paint(WindowHandle window) override;
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
    ContextHandle get_dc(WindowHandle window) override { return window; }
    void release_dc(WindowHandle, ContextHandle) override {}
    std::unique_ptr<Canvas> create_image(int width, int height) override;
    void copy_image(WindowHandle window, ContextHandle context, const Canvas& image, int width,
                    int height) override;

    // --- Native input, as a backend's translation hands it over ----------------
    // Positions are pixels of the native window (the menu strip, then the
    // client area); text is 8-bit characters.  Input for a window that is not
    // (or no longer) there is dropped.
    void mouse_button(WindowHandle window, int x, int y, bool left, bool down);
    void mouse_move(WindowHandle window, int x, int y);
    // A finger put down, moved or lifted.  The first finger down is the left
    // button until it lifts; others meanwhile do nothing, so that a touch of
    // several fingers is one click, never several.
    enum class Touch : std::uint8_t { Down, Move, Up };
    void touch(WindowHandle window, std::int64_t finger, int x, int y, Touch phase);
    // Input the core sees only as Other (the wheel, a system key's release, ...).
    void other_input(WindowHandle window);
    // A key pressed, with the text the native keyboard gave it ("" for none).
    void key_down(WindowHandle window, std::uintptr_t virtual_key, KeyState state,
                  std::string_view text);
    void key_up(WindowHandle window, std::uintptr_t virtual_key, KeyState state);
    // Text that came without a key of its own (an input method's).
    void text_input(WindowHandle window, std::string_view text);
    void focus_lost(WindowHandle window);
    // The close box, or the window destroyed from outside: Destroy reaches its handler.
    void close_window(WindowHandle window);
    // The native window must be shown again whole (it was uncovered).
    void exposed(WindowHandle window);
    // The native window's new size in its own pixels.
    void resized(WindowHandle window, int width, int height);
    // The window shown at another scale (the page's layout or the desktop's
    // changed): its native window is now its picture times `scale`, and is
    // drawn anew.  The picture, and all the core sees, stays as it is.
    void rescaled(WindowHandle window, int scale);
    // Full screen for a fixed-size window (F11 does it), or back; false if
    // the window cannot.
    bool set_full_screen(WindowHandle window, bool on);

    // --- Inspection --------------------------------------------------------------
    // The record of a window, destroyed or not; null for a handle never given.
    const Window* window_record(WindowHandle window) const;
    const MenuBar* menu_bar(WindowHandle window) const;
    const MenuStore& menus() const { return menus_; }
    bool timer_running(WindowHandle window, unsigned id) const { return timers_.running(window, id); }
    unsigned timer_period(WindowHandle window, unsigned id) const { return timers_.period(window, id); }
    std::size_t queued() const { return queue_.size(); }
    bool quit_posted() const { return quit_posted_; }
    int registered_classes() const { return static_cast<int>(classes_.size()); }

protected:
    // --- What a backend implements -------------------------------------------------
    // Besides these: screen_height(), and the canvas factory given to the constructor.
    struct NativeWindow {
        const char* title = "";
        int x = 0, y = 0;  // outer frame position
        // The menu strip and the client area; the backend writes back what it made.
        int width = 0, height = 0;
        bool resizable = false;
    };
    // The desktop as the backend knows it: its scale (1 is 96 dots per inch)
    // and the usable area of its screen in native pixels (0: unknown).
    struct DisplayInfo {
        double scale = 1.0;
        int usable_width = 0, usable_height = 0;
    };
    enum class Wait : std::uint8_t {
        Event,    // a native event came and was handed over
        Timeout,  // the time passed
        Broken,   // no event can ever come (said on stderr): ends like a quit
    };

    // A hidden native window for `window`; false, with set_error, if none can be had.
    virtual bool open_native(WindowHandle window, NativeWindow& info) = 0;
    virtual void close_native(WindowHandle window) = 0;
    virtual void show_native(WindowHandle window, bool show) = 0;
    // Hands the next native event that has already come to the input calls;
    // false if there is none.  With `ask`, asks the native system for news
    // first (costs system calls: done only before a quit, paint or tick).
    virtual bool poll_native(bool ask) = 0;
    // Sleeps until a native event comes (and hands it over) or `timeout_ms`
    // passes; -1 waits without limit.
    virtual Wait wait_native(int timeout_ms) = 0;
    // Puts the rows `rows` of a window's picture on its native window.
    virtual void put_rows(WindowHandle window, const FrameView& picture,
                          std::span<const RowRun> rows) = 0;
    // Milliseconds of a clock that never goes back; timers are deadlines on
    // it.  The system's steady clock unless a backend has its own.
    virtual std::uint64_t now_ms();
    // The desktop's scale and usable area; scale 1, no limit, unless a backend knows.
    virtual DisplayInfo display() { return {}; }
    // Makes the native window fill the screen, or gives it its size back, and
    // reports the new size through resized(); false if it cannot.
    virtual bool full_screen_native(WindowHandle, bool) { return false; }

    // The window resized as the program's own request would (the native
    // window follows): the picture takes the size, menu strip included.
    void resize_window(WindowHandle window, int width, int height);

    void set_error(std::string why) { last_error_ = std::move(why); }
    Window* find(WindowHandle window);
    const Window* find(WindowHandle window) const;

private:
    struct WindowClass {
        WindowProc proc = nullptr;
        std::uint32_t background = 0;  // 0x00RRGGBB
    };

    std::intptr_t send(WindowHandle window, MsgKind kind, std::uintptr_t wparam = 0,
                       std::intptr_t lparam = 0);
    void queue(WindowHandle window, MsgKind kind, std::uintptr_t wparam = 0,
               std::intptr_t lparam = 0);
    void destroy(WindowHandle window);
    WindowHandle window_to_paint() const;
    // Composes the rows the menu covers (or covered) and puts what changed.
    void present(WindowHandle window);
    // Puts the rows of a shown window's picture that changed.
    void flush(WindowHandle window);
    void apply(WindowHandle window, const MenuBar::Result& result);
    void resize_picture(WindowHandle window, Window& w, int width, int height);
    // Places the picture on the native window again after a change of either.
    void refit(Window& w);
    // A native position as a position of the picture; false outside it.
    bool to_picture(const Window& w, int& x, int& y) const;

    std::map<std::string, WindowClass, std::less<>> classes_;
    std::vector<std::unique_ptr<Window>> windows_;  // handle h is windows_[h - 1]
    MenuStore menus_;
    std::deque<Message> queue_;
    struct Finger {
        WindowHandle window;
        std::int64_t id;
    };
    std::optional<Finger> finger_;  // the touch that is the left button
    bool quit_posted_ = false;
    window_system::Timers timers_;
    window_system::CanvasFactory make_canvas_;
    std::vector<RowRun> runs_;  // flush's, kept between frames
    std::vector<RowRun> native_runs_;
    std::string last_error_;
};

}  // namespace tovik
