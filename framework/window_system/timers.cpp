#include "window_system/timers.h"

#include <algorithm>
#include <limits>

namespace tovik::window_system {

void Timers::set(WindowHandle window, unsigned id, unsigned period_ms, std::uint64_t now) {
    kill(window, id);
    // The native timer runs as fast as it can for a zero period.
    const std::uint64_t period = std::max(period_ms, 1u);
    entries_.push_back({window, id, period, now + period});
}

void Timers::kill(WindowHandle window, unsigned id) {
    std::erase_if(entries_, [&](const Entry& e) { return e.window == window && e.id == id; });
}

void Timers::kill_all(WindowHandle window) {
    std::erase_if(entries_, [&](const Entry& e) { return e.window == window; });
}

bool Timers::running(WindowHandle window, unsigned id) const {
    return std::any_of(entries_.begin(), entries_.end(),
                       [&](const Entry& e) { return e.window == window && e.id == id; });
}

unsigned Timers::period(WindowHandle window, unsigned id) const {
    for (const Entry& e : entries_) {
        if (e.window == window && e.id == id) return static_cast<unsigned>(e.period);
    }
    return 0;
}

std::optional<Timers::Tick> Timers::take_tick(std::uint64_t now) {
    for (std::size_t n = 0; n < entries_.size(); ++n) {
        const std::size_t i = (next_ + n) % entries_.size();
        Entry& entry = entries_[i];
        if (entry.due > now) continue;
        entry.due += entry.period;
        if (entry.due <= now) entry.due = now + entry.period;
        next_ = (i + 1) % entries_.size();
        return Tick{entry.window, entry.id};
    }
    return std::nullopt;
}

int Timers::sleep_ms(std::uint64_t now) const {
    if (entries_.empty()) return -1;
    std::uint64_t nearest = std::numeric_limits<std::uint64_t>::max();
    for (const Entry& entry : entries_) nearest = std::min(nearest, entry.due);
    if (nearest <= now) return 0;
    return static_cast<int>(std::min<std::uint64_t>(nearest - now, std::numeric_limits<int>::max()));
}

}  // namespace tovik::window_system
