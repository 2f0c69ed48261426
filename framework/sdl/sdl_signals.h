// SIGINT, SIGTERM, SIGHUP (the terminal it was started from closed) and SIGQUIT
// as the quit request, so that the program ends through its normal path (and
// the script file is closed properly).  SIGHUP and SIGQUIT stay ignored if
// they were at start, as nohup and background jobs ask.
//
// A signal handler may do almost nothing: SDL_PushEvent takes a lock and is not
// async-signal-safe.  So the handler writes one byte into a pipe (write() is
// safe), and a small thread that waits on the pipe pushes the event that wakes
// the message loop.  Unlike polling with a timeout, this costs nothing while
// no signal comes.  A second signal of the same kind ends the program the
// ordinary way, for when it no longer answers.
#pragma once

#include <SDL.h>

#include <csignal>
#include <thread>

namespace tovik::sdl {

class SignalWatcher {
public:
    // Installs the handlers; one watcher at a time per process.
    SignalWatcher();
    SignalWatcher(const SignalWatcher&) = delete;
    SignalWatcher& operator=(const SignalWatcher&) = delete;
    // Puts the previous handlers back.
    ~SignalWatcher();

    bool active() const { return thread_.joinable(); }

    // Whether an event is the quit request of a signal.
    static bool is_quit_event(const SDL_Event& event);

private:
    void watch();

    int pipe_[2] = {-1, -1};
    // The previous handlers, one for each of the signals caught.
    struct sigaction old_[4] {};
    std::thread thread_;
};

}  // namespace tovik::sdl
