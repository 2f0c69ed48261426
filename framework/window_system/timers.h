// Periodic timers whose expiries become Timer messages.
//
// A timer is a deadline that the message loop looks at when it has nothing
// else to deliver, as the native timer message is made when the queue is
// empty: a timer that is due gives one Timer message and its next deadline
// lies one period on, so ticks never pile up (at most one is pending per
// timer).  The loop sleeps in its wait for events until the nearest deadline,
// so a tick costs one return from that wait: no thread of its own and no
// wake-up event through the window system.
//
// Times are milliseconds of the backend's clock, passed in by the caller.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "platform.h"

namespace tovik::window_system {

class Timers {
public:
    struct Tick {
        WindowHandle window;
        unsigned id;
    };

    // Starts the timer, or restarts it with the new period if it runs.
    void set(WindowHandle window, unsigned id, unsigned period_ms, std::uint64_t now);
    void kill(WindowHandle window, unsigned id);
    void kill_all(WindowHandle window);
    void clear() { entries_.clear(); }
    bool running(WindowHandle window, unsigned id) const;
    // The period of a running timer, 0 if it does not run.
    unsigned period(WindowHandle window, unsigned id) const;

    // The next timer whose deadline has come, if any; its next deadline is
    // then one period on, or one period from now when it is further behind.
    // Timers take turns.
    std::optional<Tick> take_tick(std::uint64_t now);

    // How long a wait may sleep before a timer is due: 0 when one is due, -1
    // when none runs.
    int sleep_ms(std::uint64_t now) const;

private:
    struct Entry {
        WindowHandle window;
        unsigned id;
        std::uint64_t period;
        std::uint64_t due;
    };

    std::vector<Entry> entries_;
    std::size_t next_ = 0;
};

}  // namespace tovik::window_system
