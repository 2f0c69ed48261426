#include "sdl/sdl_timers.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cstdint>

namespace tovik::sdl {

namespace {

// The flags live as long as the process: SDL may still be running a callback
// when SDL_RemoveTimer returns, so a callback must never reach memory that a
// kill frees.  Slots are handed out on the message loop's thread only.
constexpr std::size_t SLOT_COUNT = 16;
std::array<std::atomic<bool>, SLOT_COUNT> tick_pending{};
std::array<bool, SLOT_COUNT> slot_in_use{};

Uint32 wake_event_type() {
    static const Uint32 type = SDL_RegisterEvents(1);
    return type;
}

Uint32 on_expiry(Uint32 interval, void* param) {
    const auto slot = reinterpret_cast<std::uintptr_t>(param);
    if (!tick_pending[slot].exchange(true)) {
        SDL_Event event{};
        event.type = wake_event_type();
        SDL_PushEvent(&event);  // safe from any thread
    }
    return interval;
}

}  // namespace

Timers::~Timers() { clear(); }

void Timers::clear() {
    while (!entries_.empty()) remove(entries_.size() - 1);
}

bool Timers::set(WindowHandle window, unsigned id, unsigned period_ms) {
    kill(window, id);
    const auto free_slot = std::find(slot_in_use.begin(), slot_in_use.end(), false);
    if (free_slot == slot_in_use.end()) return false;
    const auto slot = static_cast<std::size_t>(free_slot - slot_in_use.begin());
    wake_event_type();  // registered here, on the loop's thread, before any callback
    tick_pending[slot] = false;
    // SDL treats a zero interval as "stop"; the native timer runs as fast as it can.
    const Uint32 interval = std::max(period_ms, 1u);
    const SDL_TimerID timer =
        SDL_AddTimer(interval, on_expiry, reinterpret_cast<void*>(static_cast<std::uintptr_t>(slot)));
    if (timer == 0) return false;
    slot_in_use[slot] = true;
    entries_.push_back({window, id, slot, timer});
    return true;
}

void Timers::kill(WindowHandle window, unsigned id) {
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        if (entries_[i].window == window && entries_[i].id == id) {
            remove(i);
            return;
        }
    }
}

void Timers::kill_all(WindowHandle window) {
    for (std::size_t i = entries_.size(); i-- > 0;) {
        if (entries_[i].window == window) remove(i);
    }
}

bool Timers::running(WindowHandle window, unsigned id) const {
    return std::any_of(entries_.begin(), entries_.end(),
                       [&](const Entry& e) { return e.window == window && e.id == id; });
}

void Timers::remove(std::size_t index) {
    const Entry entry = entries_[index];
    SDL_RemoveTimer(entry.sdl_timer);
    tick_pending[entry.slot] = false;
    slot_in_use[entry.slot] = false;
    entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(index));
}

std::optional<Timers::Tick> Timers::take_tick() {
    for (std::size_t n = 0; n < entries_.size(); ++n) {
        const Entry& entry = entries_[(next_ + n) % entries_.size()];
        if (tick_pending[entry.slot].exchange(false)) {
            next_ = (next_ + n + 1) % entries_.size();
            return Tick{entry.window, entry.id};
        }
    }
    return std::nullopt;
}

bool Timers::is_wake_event(const SDL_Event& event) { return event.type == wake_event_type(); }

}  // namespace tovik::sdl
