// Win32 backend: window classes, windows, painting and default handling.
//
// Implements: RegisterClassA (class styles, LoadIconA(IDI_APPLICATION),
// LoadCursorA(IDC_ARROW), a solid background brush made once per colour and
// kept, the class's menu name), CreateWindowExA (WS_CAPTION | WS_SYSMENU for a
// fixed window, WS_OVERLAPPEDWINDOW for a resizable one), ShowWindow
// (SW_SHOW / SW_HIDE), GetClientRect, InvalidateRect (background erased),
// BeginPaint/EndPaint, GetSystemMetrics(SM_CYSCREEN), DefWindowProcA with the
// message being handled, and the one native window procedure of every class.
// Known limits: the show mode the program was started with reaches the first
// ShowWindow through the start-up information only (the core asks to show or
// hide, and Windows applies the start-up mode to the first show itself).
#include <string>

#include "win32/win32_platform.h"

namespace tovik {

using win32::handle_of;
using win32::hwnd_of;

Win32Platform* Win32Platform::instance_ = nullptr;

Win32Platform::Win32Platform() {
    instance_ = this;
    win32::watch_console(true);
}

Win32Platform::~Win32Platform() {
    win32::watch_console(false);
    if (instance_ == this) instance_ = nullptr;
}

LRESULT CALLBACK Win32Platform::window_procedure(HWND hwnd, UINT message, WPARAM wparam,
                                                 LPARAM lparam) {
    Win32Platform* self = instance_;
    const WindowProc handler = self != nullptr ? self->handler_of(hwnd) : nullptr;
    if (handler == nullptr) return DefWindowProcA(hwnd, message, wparam, lparam);
    // Handlers may send messages that come back here (a destroy inside a
    // close), so the message being handled is kept as a stack on this one.
    const Handling outer = self->handling_;
    self->handling_ = {hwnd, message};
    const LRESULT result = handler(handle_of(hwnd), win32::kind_of(message), wparam, lparam);
    self->handling_ = outer;
    return result;
}

WindowProc Win32Platform::handler_of(HWND hwnd) const {
    const auto atom = static_cast<ATOM>(GetClassLongPtrA(hwnd, GCW_ATOM));
    const auto found = handlers_.find(atom);
    return found == handlers_.end() ? nullptr : found->second;
}

HBRUSH Win32Platform::background_brush(Colour colour) {
    const auto found = background_brushes_.find(colour);
    if (found != background_brushes_.end()) return found->second;
    HBRUSH brush = CreateSolidBrush(colour);
    background_brushes_.emplace(colour, brush);
    return brush;
}

void Win32Platform::remember_error() { last_error_ = GetLastError(); }

bool Win32Platform::register_class(const WindowClassInfo& info) {
    WNDCLASSA window_class{};
    window_class.style = ((info.style & CLASS_HREDRAW) != 0 ? CS_HREDRAW : 0u) |
                         ((info.style & CLASS_VREDRAW) != 0 ? CS_VREDRAW : 0u);
    window_class.lpfnWndProc = window_procedure;
    window_class.cbClsExtra = 0;
    window_class.cbWndExtra = 0;
    window_class.hInstance = GetModuleHandleA(nullptr);
    // The stock resources are integer ids; the casts keep them ANSI in any build.
    window_class.hIcon = LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION));
    window_class.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    window_class.hbrBackground = background_brush(info.background);
    window_class.lpszMenuName = info.menu_name;
    window_class.lpszClassName = info.name;
    const ATOM atom = RegisterClassA(&window_class);
    if (atom == 0) {
        remember_error();
        return false;
    }
    handlers_[atom] = info.proc;
    return true;
}

WindowHandle Win32Platform::create_window(const WindowInfo& info) {
    const DWORD style =
        info.style == WindowStyle::Fixed ? (WS_CAPTION | WS_SYSMENU) : WS_OVERLAPPEDWINDOW;
    // Creation sends WM_CREATE and then WM_SIZE to the handler before it returns.
    HWND hwnd = CreateWindowExA(0, info.class_name, info.title, style, info.x, info.y,
                                info.outer_width, info.outer_height, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
    if (hwnd == nullptr) {
        remember_error();
        return 0;
    }
    return handle_of(hwnd);
}

bool Win32Platform::show_window(WindowHandle window, bool show) {
    return ShowWindow(hwnd_of(window), show ? SW_SHOW : SW_HIDE) != FALSE;
}

Rect Win32Platform::client_rect(WindowHandle window) {
    RECT r{};
    if (!GetClientRect(hwnd_of(window), &r)) return {};
    return {static_cast<int>(r.left), static_cast<int>(r.top), static_cast<int>(r.right),
            static_cast<int>(r.bottom)};
}

void Win32Platform::invalidate(WindowHandle window) { InvalidateRect(hwnd_of(window), nullptr, TRUE); }

void Win32Platform::begin_paint(WindowHandle window) {
    PAINTSTRUCT paint{};
    BeginPaint(hwnd_of(window), &paint);
    paints_[hwnd_of(window)] = paint;
}

void Win32Platform::end_paint(WindowHandle window) {
    const auto found = paints_.find(hwnd_of(window));
    if (found == paints_.end()) return;
    EndPaint(found->first, &found->second);
    paints_.erase(found);
}

int Win32Platform::screen_height() { return GetSystemMetrics(SM_CYSCREEN); }

std::intptr_t Win32Platform::default_proc(WindowHandle window, MsgKind kind, std::uintptr_t wparam,
                                          std::intptr_t lparam) {
    HWND hwnd = hwnd_of(window);
    const bool handling_it = handling_.hwnd == hwnd && win32::kind_of(handling_.message) == kind;
    const UINT message = handling_it ? handling_.message : win32::message_of(kind);
    return DefWindowProcA(hwnd, message, wparam, lparam);
}

std::string Win32Platform::last_error() {
    char text[512] = "";
    const DWORD length =
        FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                       last_error_, 0, text, sizeof text, nullptr);
    std::string result = "error " + std::to_string(last_error_);
    if (length == 0) return result;
    std::string message(text, length);
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r')) message.pop_back();
    return result + ": " + message;
}

}  // namespace tovik
