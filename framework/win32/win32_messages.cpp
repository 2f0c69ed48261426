// Win32 backend: the message loop's steps and the timer.
//
// Implements: GetMessageA (any window, no filter), TranslateMessage and
// DispatchMessageA on the very message retrieved, PostMessageA,
// PostQuitMessage, SetTimer/KillTimer without a callback (WM_TIMER is queued
// only when nothing else is, and never piles up), and the mapping between
// WM_* messages and the neutral kinds.
// Known limits: a message handed to translate or dispatch that is not the one
// last retrieved is rebuilt from its kind, so it must be one the core knows.
#include "win32/win32_platform.h"

namespace tovik {

using win32::handle_of;
using win32::hwnd_of;

namespace win32 {

MsgKind kind_of(UINT message) {
    switch (message) {
    case WM_CREATE: return MsgKind::Create;
    case WM_DESTROY: return MsgKind::Destroy;
    case WM_SIZE: return MsgKind::Size;
    case WM_PAINT: return MsgKind::Paint;
    case WM_KEYDOWN: return MsgKind::KeyDown;
    case WM_KEYUP: return MsgKind::KeyUp;
    case WM_CHAR: return MsgKind::Char;
    case WM_COMMAND: return MsgKind::Command;
    case WM_TIMER: return MsgKind::Timer;
    case WM_LBUTTONDOWN: return MsgKind::LButtonDown;
    case WM_KILLFOCUS: return MsgKind::KillFocus;
    case WM_ENDSESSION: return MsgKind::EndSession;
    default: return MsgKind::Other;
    }
}

UINT message_of(MsgKind kind) {
    switch (kind) {
    case MsgKind::Create: return WM_CREATE;
    case MsgKind::Destroy: return WM_DESTROY;
    case MsgKind::Size: return WM_SIZE;
    case MsgKind::Paint: return WM_PAINT;
    case MsgKind::KeyDown: return WM_KEYDOWN;
    case MsgKind::KeyUp: return WM_KEYUP;
    case MsgKind::Char: return WM_CHAR;
    case MsgKind::Command: return WM_COMMAND;
    case MsgKind::Timer: return WM_TIMER;
    case MsgKind::LButtonDown: return WM_LBUTTONDOWN;
    case MsgKind::KillFocus: return WM_KILLFOCUS;
    case MsgKind::EndSession: return WM_ENDSESSION;
    case MsgKind::Other: break;
    }
    return WM_NULL;
}

}  // namespace win32

bool Win32Platform::get_message(Message& out) {
    MSG message{};
    // 0 is the quit request; -1 (an invalid filter) cannot happen without a
    // window filter, and quitting is safer than spinning on it.
    const BOOL result = GetMessageA(&message, nullptr, 0, 0);
    if (result == 0 || result == -1) return false;
    last_message_ = message;
    out = {handle_of(message.hwnd), win32::kind_of(message.message), message.wParam,
           message.lParam};
    return true;
}

MSG Win32Platform::native_message(const Message& message) const {
    const bool is_last = handle_of(last_message_.hwnd) == message.window &&
                         win32::kind_of(last_message_.message) == message.kind &&
                         last_message_.wParam == message.wparam &&
                         last_message_.lParam == message.lparam;
    if (is_last) return last_message_;
    MSG rebuilt{};
    rebuilt.hwnd = hwnd_of(message.window);
    rebuilt.message = win32::message_of(message.kind);
    rebuilt.wParam = message.wparam;
    rebuilt.lParam = message.lparam;
    return rebuilt;
}

void Win32Platform::translate_message(const Message& message) {
    const MSG native = native_message(message);
    TranslateMessage(&native);
}

std::intptr_t Win32Platform::dispatch_message(const Message& message) {
    const MSG native = native_message(message);
    return DispatchMessageA(&native);
}

void Win32Platform::post_message(const Message& message) {
    PostMessageA(hwnd_of(message.window), win32::message_of(message.kind), message.wparam,
                 message.lparam);
}

void Win32Platform::post_quit(int exit_code) { PostQuitMessage(exit_code); }

void Win32Platform::set_timer(WindowHandle window, unsigned id, unsigned period_ms) {
    SetTimer(hwnd_of(window), id, period_ms, nullptr);
}

void Win32Platform::kill_timer(WindowHandle window, unsigned id) { KillTimer(hwnd_of(window), id); }

}  // namespace tovik
