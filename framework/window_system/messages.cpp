// The message queue in the native order, and the timers.
#include "window_system/window_system.h"

namespace tovik {

void WindowSystem::queue(WindowHandle window, MsgKind kind, std::uintptr_t wparam,
                         std::intptr_t lparam) {
    queue_.push_back({window, kind, wparam, lparam});
}

// The first shown window that asks to be painted, 0 if none.
WindowHandle WindowSystem::window_to_paint() const {
    for (std::size_t i = 0; i < windows_.size(); ++i) {
        const Window* w = find(i + 1);
        if (w != nullptr && w->invalid && w->visible) return i + 1;
    }
    return 0;
}

bool WindowSystem::get_message(Message& out) {
    // Input comes before what the window system makes itself (quit, paint,
    // timer), so the backend is asked for news before one of those is handed
    // out: unless this call has done so already, or slept its whole time,
    // which says that nothing came.  Asking costs system calls; a tick needs none.
    bool up_to_date = false;
    for (;;) {
        if (!queue_.empty()) {
            out = queue_.front();
            queue_.pop_front();
            return true;
        }
        if (poll_native(false)) continue;
        const std::uint64_t now = now_ms();
        const int sleep = timers_.sleep_ms(now);
        const WindowHandle to_paint = window_to_paint();
        if (!up_to_date && (quit_posted_ || to_paint != 0 || sleep == 0)) {
            poll_native(true);
            up_to_date = true;
            continue;
        }
        if (quit_posted_) {
            quit_posted_ = false;
            return false;
        }
        if (to_paint != 0) {
            out = {to_paint, MsgKind::Paint, 0, 0};
            return true;
        }
        if (const std::optional<window_system::Timers::Tick> tick = timers_.take_tick(now)) {
            out = {tick->window, MsgKind::Timer, tick->id, 0};
            return true;
        }
        // Nothing more can come: end the way a quit does, so that nothing is lost.
        if (wait_native(sleep) == Wait::Broken) return false;
        up_to_date = true;
    }
}

void WindowSystem::translate_message(const Message& message) {
    if (message.kind == MsgKind::KeyDown && message.lparam != 0) {
        queue_.push_front({message.window, MsgKind::Char,
                           static_cast<std::uintptr_t>(message.lparam & 0xFF), 0});
    }
}

std::intptr_t WindowSystem::dispatch_message(const Message& message) {
    return send(message.window, message.kind, message.wparam, message.lparam);
}

void WindowSystem::post_message(const Message& message) { queue_.push_back(message); }

void WindowSystem::post_quit(int) { quit_posted_ = true; }

void WindowSystem::set_timer(WindowHandle window, unsigned id, unsigned period_ms) {
    if (find(window) == nullptr) return;
    timers_.set(window, id, period_ms, now_ms());
}

void WindowSystem::kill_timer(WindowHandle window, unsigned id) { timers_.kill(window, id); }

}  // namespace tovik
