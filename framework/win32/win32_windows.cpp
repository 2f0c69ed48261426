// Win32 backend: window classes, windows, painting and default handling.
//
// Implements: RegisterClassExA (class styles, the program's icon resource 1
// at the system's large and small icon sizes, or IDI_APPLICATION in a
// program without one, LoadCursorA(IDC_ARROW), a solid background brush made
// once per colour and kept, the class's menu name), CreateWindowExA (WS_CAPTION | WS_SYSMENU for a
// fixed window, WS_OVERLAPPEDWINDOW for a resizable one), ShowWindow
// (SW_SHOW / SW_HIDE), GetClientRect, InvalidateRect (background erased),
// BeginPaint/EndPaint, DefWindowProcA with the message being handled, and the
// one native window procedure of every class.  Sizes, positions and points
// that the core sees are those of 96 DPI (win32_dpi.cpp).
// Known limits: the show mode the program was started with reaches the first
// ShowWindow through the start-up information only (the core asks to show or
// hide, and Windows applies the start-up mode to the first show itself).
#include <string>

#include "win32/win32_platform.h"

#ifndef WM_DPICHANGED
#define WM_DPICHANGED 0x02E0
#endif

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
    switch (message) {
    case WM_DPICHANGED:
        // Scaling is the backend's own business: the core never sees it.
        self->follow_dpi_change(hwnd, HIWORD(wparam), *reinterpret_cast<const RECT*>(lparam));
        return 0;
    case WM_LBUTTONDOWN:
        lparam = self->to_picture_point(hwnd, lparam);
        break;
    case WM_NCDESTROY:
        // The handle may be given to another window.
        self->scales_.erase(hwnd);
        break;
    default:
        break;
    }
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

namespace {

// The program's own icon, the first in its file as Explorer shows it, at one
// of the system's icon sizes; the system's generic one when it has none.
HICON program_icon(int width_metric, int height_metric) {
    // Integer resource ids are passed as pointers; the casts keep them ANSI in any build.
    auto* icon = static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), reinterpret_cast<LPCSTR>(1),
                                               IMAGE_ICON, GetSystemMetrics(width_metric),
                                               GetSystemMetrics(height_metric), LR_SHARED));
    return icon != nullptr ? icon : LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION));
}

}  // namespace

bool Win32Platform::register_class(const WindowClassInfo& info) {
    WNDCLASSEXA window_class{};
    window_class.cbSize = sizeof window_class;
    window_class.style = ((info.style & CLASS_HREDRAW) != 0 ? CS_HREDRAW : 0u) |
                         ((info.style & CLASS_VREDRAW) != 0 ? CS_VREDRAW : 0u);
    window_class.lpfnWndProc = window_procedure;
    window_class.cbClsExtra = 0;
    window_class.cbWndExtra = 0;
    window_class.hInstance = GetModuleHandleA(nullptr);
    window_class.hIcon = program_icon(SM_CXICON, SM_CYICON);
    window_class.hIconSm = program_icon(SM_CXSMICON, SM_CYSMICON);
    window_class.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    window_class.hbrBackground = background_brush(info.background);
    window_class.lpszMenuName = info.menu_name;
    window_class.lpszClassName = info.name;
    const ATOM atom = RegisterClassExA(&window_class);
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
    const int scale = system_scale();
    // Creation sends WM_CREATE and then WM_SIZE to the handler before it returns.
    HWND hwnd = CreateWindowExA(0, info.class_name, info.title, style, info.x * scale,
                                info.y * scale, info.outer_width, info.outer_height, nullptr,
                                nullptr, GetModuleHandleA(nullptr), nullptr);
    if (hwnd == nullptr) {
        remember_error();
        return 0;
    }
    // After WM_CREATE, so that the frame is reckoned with the menu bar the core gave it.
    fit_to_dpi(hwnd, info.outer_width, info.outer_height);
    return handle_of(hwnd);
}

bool Win32Platform::show_window(WindowHandle window, bool show) {
    return ShowWindow(hwnd_of(window), show ? SW_SHOW : SW_HIDE) != FALSE;
}

Rect Win32Platform::client_rect(WindowHandle window) {
    RECT r{};
    if (!GetClientRect(hwnd_of(window), &r)) return {};
    const int scale = scale_of(hwnd_of(window));
    return {static_cast<int>(r.left) / scale, static_cast<int>(r.top) / scale,
            static_cast<int>(r.right) / scale, static_cast<int>(r.bottom) / scale};
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
