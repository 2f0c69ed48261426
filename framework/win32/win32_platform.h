// The native Windows backend: the platform boundary on real USER and GDI.
//
// Supports (the same list, in the same order, in every backend):
//   [x] windows: fixed and resizable, titles, positions, show and hide
//   [x] the close box
//   [x] menu bar and drop-downs: the platform's own menus
//   [x] keys: the platform's virtual-key codes and its own translation
//   [x] mouse: left-button clicks, other buttons, motion, the wheel
//   [x] focus loss
//   [x] the program's icon: its icon resource 1, large and small
//   [x] timers: the platform's timer messages
//   [x] exposure and resizing: the platform's paint and size messages
//   [x] the system asking the program to end: logging off and shutting down
//       (WM_ENDSESSION, the script file written out before the process ends),
//       a console's close, Ctrl+C and Ctrl+Break (win32_session.cpp)
//   [x] pictures on screen: one BitBlt of the whole image
//   [x] display scaling: whole-number scales from the DPI (win32_dpi.cpp)
//   [ ] full screen
//   [ ] touch
//
// Implements the whole Platform interface, one native call per operation
// (the .cpp files beside this one list theirs).  Window handlers are the
// core's; one native window procedure serves every class and translates
// WM_* messages into the neutral kinds, keeping the native message so that
// default handling, translation and dispatch see the real one.
// Known limits: one Win32Platform per process (the native window procedure
// finds it through a static pointer); messages the core does not know arrive
// as MsgKind::Other and reach DefWindowProcA unchanged only while they are
// being handled, so posting one of them sends WM_NULL.
#pragma once

#include <windows.h>

#include <map>
#include <string>

#include "canvas.h"
#include "platform.h"

namespace tovik {

namespace win32 {

inline HWND hwnd_of(WindowHandle window) { return reinterpret_cast<HWND>(window); }
inline WindowHandle handle_of(HWND hwnd) { return reinterpret_cast<WindowHandle>(hwnd); }
inline HMENU hmenu_of(MenuHandle menu) { return reinterpret_cast<HMENU>(menu); }
inline HDC hdc_of(ContextHandle context) { return reinterpret_cast<HDC>(context); }

// WM_* to the neutral kind, and back (Other becomes WM_NULL).
MsgKind kind_of(UINT message);
UINT message_of(MsgKind kind);

// Console events as the quit request of the calling thread's loop, or not.
void watch_console(bool on);

}  // namespace win32

class Win32Platform final : public Platform {
public:
    Win32Platform();
    ~Win32Platform() override;
    Win32Platform(const Win32Platform&) = delete;
    Win32Platform& operator=(const Win32Platform&) = delete;

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
    std::string last_error() override;

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
    // The message a window procedure is handling, innermost first.
    struct Handling {
        HWND hwnd = nullptr;
        UINT message = WM_NULL;
    };

    static LRESULT CALLBACK window_procedure(HWND hwnd, UINT message, WPARAM wparam,
                                             LPARAM lparam);
    WindowProc handler_of(HWND hwnd) const;
    HBRUSH background_brush(Colour colour);
    // The native message behind a neutral one: the one get_message returned
    // when it is that one, else one rebuilt from the kind.
    MSG native_message(const Message& message) const;
    void remember_error();

    // Display scaling (win32_dpi.cpp).
    int scale_of(HWND hwnd) const;
    int system_scale() const;
    void fit_to_dpi(HWND hwnd, int outer_width, int outer_height);
    void scale_client(HWND hwnd, int width, int height, UINT dpi);
    void follow_dpi_change(HWND hwnd, UINT dpi, const RECT& suggested);
    LPARAM to_picture_point(HWND hwnd, LPARAM lparam) const;

    static Win32Platform* instance_;

    std::map<ATOM, WindowProc> handlers_;       // by window class
    std::map<Colour, HBRUSH> background_brushes_; // made once, kept for the process
    std::map<HWND, PAINTSTRUCT> paints_;        // begun, not yet ended
    std::map<HWND, int> scales_;                // windows shown above scale 1
    Handling handling_;
    MSG last_message_{};
    DWORD last_error_ = 0;
};

}  // namespace tovik
