// The boundary between the framework's core and a platform.
//
// The core asks a platform for exactly the handful of window, message, timer,
// menu and image services it uses, in neutral terms that mirror the native
// ones.  A backend implements this class and only translates: it holds no
// event logic and no game rules.  The core never includes a platform header.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace tovik {

class Canvas;

using WindowHandle = std::uintptr_t;  // 0: no window
using MenuHandle = std::uintptr_t;    // 0: no menu
using ContextHandle = std::uintptr_t; // a window's drawing context

// The messages a window handler receives.  `wparam` and `lparam` carry what the
// native message carries:
//   Size        -
//   KeyDown/Up  wparam: virtual-key code (Ctrl is 17, letters their capital ASCII code)
//               lparam: the backend's own key data, which the core only passes on
//               (a forwarded key keeps it).  translate_message turns a KeyDown
//               that types a character into a Char message to the same window,
//               queued ahead of everything else.  The native backend keeps the
//               native key data and lets the native translation do this; the
//               fake and SDL backends put the typed character there (0 if none).
//   Char        wparam: character code (8-bit)
//   Command     wparam: command id
//   Timer       wparam: timer id
//   LButtonDown lparam: client x in the low 16 bits, client y in the next 16
//   KillFocus   the window lost the keyboard focus
//   EndSession  wparam: nonzero if the user's session ends (log off, shut down);
//               the system may end the process as soon as the handler returns
enum class MsgKind : std::uint8_t {
    Create,
    Destroy,
    Size,
    Paint,
    KeyDown,
    KeyUp,
    Char,
    Command,
    Timer,
    LButtonDown,
    KillFocus,
    EndSession,
    Other,
};

struct Message {
    WindowHandle window = 0;
    MsgKind kind = MsgKind::Other;
    std::uintptr_t wparam = 0;
    std::intptr_t lparam = 0;
};

using WindowProc = std::intptr_t (*)(WindowHandle window, MsgKind kind, std::uintptr_t wparam,
                                     std::intptr_t lparam);

constexpr std::intptr_t pack_point(int x, int y) {
    return static_cast<std::intptr_t>((static_cast<std::uint32_t>(y & 0xFFFF) << 16) |
                                      static_cast<std::uint32_t>(x & 0xFFFF));
}

// The client position of a LButtonDown: each half as an unsigned 16-bit number,
// as the native message's is read.
struct PackedPoint {
    std::int32_t x = 0, y = 0;
};
constexpr PackedPoint unpack_point(std::intptr_t lparam) {
    const auto packed = static_cast<std::uint32_t>(lparam);
    return {static_cast<std::int32_t>(packed & 0xFFFFu),
            static_cast<std::int32_t>((packed >> 16) & 0xFFFFu)};
}

// The platform's virtual-key codes that the framework names; letters and
// digits are their capital ASCII codes.  (VKEY_, not VK_: the native headers
// define those as macros.)
constexpr std::uintptr_t VKEY_BACK = 8;
constexpr std::uintptr_t VKEY_TAB = 9;
constexpr std::uintptr_t VKEY_RETURN = 13;
constexpr std::uintptr_t VKEY_SHIFT = 16;
constexpr std::uintptr_t VKEY_CONTROL = 17;
constexpr std::uintptr_t VKEY_MENU = 18;  // Alt
constexpr std::uintptr_t VKEY_ESCAPE = 27;
constexpr std::uintptr_t VKEY_LEFT = 37;
constexpr std::uintptr_t VKEY_UP = 38;
constexpr std::uintptr_t VKEY_RIGHT = 39;
constexpr std::uintptr_t VKEY_DOWN = 40;
constexpr std::uintptr_t VKEY_F10 = 121;
constexpr std::uintptr_t VKEY_F11 = 122;

// What the platform's windows take off their outer size: the frame on every
// side, the caption above, and a menu bar below the caption.  Backends that
// draw their own windows give the client area what is left, as natively.
constexpr int NATIVE_FRAME = 3;
constexpr int NATIVE_CAPTION = 23;
constexpr int MENU_BAR_HEIGHT = 20;

// Class styles.
constexpr std::uint32_t CLASS_HREDRAW = 1u << 0;
constexpr std::uint32_t CLASS_VREDRAW = 1u << 1;

struct WindowClassInfo {
    const char* name = nullptr;
    WindowProc proc = nullptr;
    std::uint32_t style = 0;
    std::uint32_t background = 0;  // colour, 0x00BBGGRR
    const char* menu_name = nullptr;
};

enum class WindowStyle : std::uint8_t {
    Fixed,      // title bar and close box only
    Resizable,  // standard overlapped window
};

struct WindowInfo {
    const char* class_name = nullptr;
    const char* title = nullptr;
    WindowStyle style = WindowStyle::Fixed;
    int x = 0, y = 0;                    // outer frame position
    int outer_width = 0, outer_height = 0;
};

struct Rect {
    int left = 0, top = 0, right = 0, bottom = 0;
};

// Menu item flags, combined with `|`.
constexpr std::uint32_t MENU_STRING = 0;
constexpr std::uint32_t MENU_CHECKED = 1u << 0;
constexpr std::uint32_t MENU_GRAYED = 1u << 1;
constexpr std::uint32_t MENU_SEPARATOR = 1u << 2;
constexpr std::uint32_t MENU_POPUP = 1u << 3;  // id_or_popup is a MenuHandle

struct RunState {
    bool animating = false;     // periodic events flow (running, not halted)
    bool recording = false;     // input goes to the script file
    bool playing_back = false;  // input comes from the script file
    bool operator==(const RunState&) const = default;
};

class Platform {
public:
    virtual ~Platform() = default;

    // Windows.  create_window delivers Create, then Size, to the class's
    // handler before it returns; it returns 0 when the window cannot be made.
    virtual bool register_class(const WindowClassInfo& info) = 0;
    virtual WindowHandle create_window(const WindowInfo& info) = 0;
    virtual bool show_window(WindowHandle window, bool show) = 0;  // true if it was visible
    virtual Rect client_rect(WindowHandle window) = 0;
    virtual void invalidate(WindowHandle window) = 0;  // whole client area, background erased
    virtual void begin_paint(WindowHandle window) = 0; // validates the window
    virtual void end_paint(WindowHandle window) = 0;
    virtual int screen_height() = 0;
    virtual std::intptr_t default_proc(WindowHandle window, MsgKind kind, std::uintptr_t wparam,
                                       std::intptr_t lparam) = 0;
    // Why the last operation failed, for the one-line start-up error.
    virtual std::string last_error() = 0;

    // Messages.  get_message blocks; it returns false for the quit request.
    virtual bool get_message(Message& out) = 0;
    virtual void translate_message(const Message& message) = 0;
    virtual std::intptr_t dispatch_message(const Message& message) = 0;
    virtual void post_message(const Message& message) = 0;
    virtual void post_quit(int exit_code) = 0;

    // The periodic timer: a Timer message about every `period_ms`, queued
    // only when nothing else is, at most one pending.
    virtual void set_timer(WindowHandle window, unsigned id, unsigned period_ms) = 0;
    virtual void kill_timer(WindowHandle window, unsigned id) = 0;

    // Menus.
    virtual MenuHandle create_menu() = 0;
    virtual MenuHandle create_popup_menu() = 0;
    virtual void append_menu(MenuHandle menu, std::uint32_t flags, std::uintptr_t id_or_popup,
                             const char* label) = 0;
    virtual void set_menu(WindowHandle window, MenuHandle menu) = 0;
    virtual void draw_menu_bar(WindowHandle window) = 0;
    virtual void check_menu_item(MenuHandle menu, unsigned id, bool checked) = 0;

    // Images and the screen.
    virtual ContextHandle get_dc(WindowHandle window) = 0;
    virtual void release_dc(WindowHandle window, ContextHandle context) = 0;
    // An off-screen image of the screen's pixel format; null if it cannot be made.
    virtual std::unique_ptr<Canvas> create_image(int width, int height) = 0;
    // Copies width x height pixels of the image to the window's client area at (0, 0).
    virtual void copy_image(WindowHandle window, ContextHandle context, const Canvas& image,
                            int width, int height) = 0;

    // The program's icon on a window, for task bars, docks and window
    // switchers: `size` pixels square, row by row from the top, 0x00RRGGBB.
    // The pixels are the caller's; a platform keeps what it needs.  A platform
    // without window icons leaves this as it is.
    virtual void set_window_icon(WindowHandle /*window*/, int /*size*/,
                                 const std::uint32_t* /*pixels*/) {}

    // What the framework is doing, for a platform that shows it outside the
    // windows (a browser page's status line).  Told before each wait in
    // which it differs from the last time; others leave this as it is.
    virtual void run_state_changed(const RunState& /*state*/) {}
};

// The platform the core talks to; installed by the program's entry (or a test)
// before the framework starts.
void set_platform(Platform* platform);
// Or a maker of one, called when the framework first needs a platform: an
// entry can then leave the program to answer its command line (--help)
// before any display is opened.  The maker is called once and returns the
// platform, which stays installed until the next set_platform, or ends the
// process.
void set_platform_maker(Platform* (*maker)());
Platform& platform();

}  // namespace tovik
