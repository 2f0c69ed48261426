// Periodic timers whose expiries become Timer messages.
//
// SDL runs timer callbacks on a thread of its own.  A callback only raises its
// timer's flag and, when the flag was down, wakes the message loop with an
// event; the loop turns a raised flag into one Timer message when it has
// nothing else to deliver.  So ticks never pile up: at most one is pending
// per timer, as with the native timer message.
#pragma once

#include <SDL.h>

#include <cstddef>
#include <optional>
#include <vector>

#include "platform.h"

namespace tovik::sdl {

class Timers {
public:
    struct Tick {
        WindowHandle window;
        unsigned id;
    };

    Timers() = default;
    Timers(const Timers&) = delete;
    Timers& operator=(const Timers&) = delete;
    ~Timers();

    // Starts the timer, or restarts it with the new period if it runs.
    // False when no timer can be made.
    bool set(WindowHandle window, unsigned id, unsigned period_ms);
    void kill(WindowHandle window, unsigned id);
    void kill_all(WindowHandle window);
    void clear();
    bool running(WindowHandle window, unsigned id) const;

    // The next timer whose period has passed since it was last taken, if any;
    // taking it lowers its flag.  Timers take turns.
    std::optional<Tick> take_tick();

    // Whether an event is the wake-up that a timer sends to the loop.
    static bool is_wake_event(const SDL_Event& event);

private:
    struct Entry {
        WindowHandle window;
        unsigned id;
        std::size_t slot;
        SDL_TimerID sdl_timer;
    };
    void remove(std::size_t index);

    std::vector<Entry> entries_;
    std::size_t next_ = 0;
};

}  // namespace tovik::sdl
