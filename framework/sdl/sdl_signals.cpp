#include "sdl/sdl_signals.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <iterator>

namespace tovik::sdl {

namespace {

constexpr char SIGNAL_BYTE = 's';
constexpr char STOP_BYTE = 'x';
constexpr int CAUGHT[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};

// Whether a signal ignored at start is left so.
bool keeps_ignored(int signal) { return signal == SIGHUP || signal == SIGQUIT; }

volatile std::sig_atomic_t signal_pipe = -1;  // the write end, read by the handler

void on_signal(int) {
    const int saved_errno = errno;
    const int fd = signal_pipe;
    if (fd >= 0) {
        const char byte = SIGNAL_BYTE;
        // Nothing to do if it fails: the pipe is full of requests already.
        [[maybe_unused]] const ssize_t written = write(fd, &byte, 1);
    }
    errno = saved_errno;
}

Uint32 quit_event_type() {
    static const Uint32 type = SDL_RegisterEvents(1);
    return type;
}

bool set_flags(int fd, int fd_flags, int status_flags) {
    const int fd_now = fcntl(fd, F_GETFD);
    const int status_now = fcntl(fd, F_GETFL);
    return fd_now >= 0 && status_now >= 0 && fcntl(fd, F_SETFD, fd_now | fd_flags) == 0 &&
           fcntl(fd, F_SETFL, status_now | status_flags) == 0;
}

}  // namespace

SignalWatcher::SignalWatcher() {
    quit_event_type();  // registered before the thread can use it
    if (pipe(pipe_) != 0) return;  // no watcher: signals keep their old effect
    // A full pipe must never block the handler.
    if (!set_flags(pipe_[0], FD_CLOEXEC, 0) || !set_flags(pipe_[1], FD_CLOEXEC, O_NONBLOCK)) {
        close(pipe_[0]);
        close(pipe_[1]);
        pipe_[0] = pipe_[1] = -1;
        return;
    }
    thread_ = std::thread(&SignalWatcher::watch, this);
    signal_pipe = pipe_[1];

    struct sigaction action {};
    action.sa_handler = on_signal;
    sigemptyset(&action.sa_mask);
    // Only the first of each is caught: should the program no longer answer,
    // the second one ends it the ordinary way.
    action.sa_flags = SA_RESTART | SA_RESETHAND;
    for (std::size_t i = 0; i < std::size(CAUGHT); ++i) {
        sigaction(CAUGHT[i], nullptr, &old_[i]);
        if (keeps_ignored(CAUGHT[i]) && old_[i].sa_handler == SIG_IGN) continue;
        sigaction(CAUGHT[i], &action, nullptr);
    }
}

SignalWatcher::~SignalWatcher() {
    if (!thread_.joinable()) return;
    for (std::size_t i = 0; i < std::size(CAUGHT); ++i) sigaction(CAUGHT[i], &old_[i], nullptr);
    signal_pipe = -1;
    const char stop = STOP_BYTE;
    // The watcher drains the pipe, so a full one makes room soon.
    while (write(pipe_[1], &stop, 1) != 1 && (errno == EINTR || errno == EAGAIN)) {
    }
    thread_.join();
    close(pipe_[0]);
    close(pipe_[1]);
}

void SignalWatcher::watch() {
    for (;;) {
        char byte = 0;
        const ssize_t got = read(pipe_[0], &byte, 1);
        if (got < 0 && errno == EINTR) continue;
        if (got != 1 || byte == STOP_BYTE) return;
        SDL_Event event{};
        event.type = quit_event_type();
        SDL_PushEvent(&event);
    }
}

bool SignalWatcher::is_quit_event(const SDL_Event& event) {
    return event.type == quit_event_type();
}

}  // namespace tovik::sdl
