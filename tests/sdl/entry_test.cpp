// The program started where there is no display.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <vector>

extern char** environ;

namespace {

struct Outcome {
    bool finished = false;
    int status = 0;
    std::string error_output;
};

// Runs the program with DISPLAY, WAYLAND_DISPLAY and SDL_VIDEODRIVER removed
// from the environment; a program still running after 30 s is stopped.
Outcome run_without_display() {
    std::vector<std::string> kept;
    for (char** variable = environ; *variable != nullptr; ++variable) {
        const std::string entry = *variable;
        if (entry.starts_with("DISPLAY=") || entry.starts_with("WAYLAND_DISPLAY=") ||
            entry.starts_with("SDL_VIDEODRIVER=")) {
            continue;
        }
        kept.push_back(entry);
    }
    std::vector<char*> env;
    for (std::string& entry : kept) env.push_back(entry.data());
    env.push_back(nullptr);

    Outcome outcome;
    int pipe_fds[2];
    if (pipe(pipe_fds) != 0) return outcome;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipe_fds[1], STDERR_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipe_fds[0]);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    std::string program = TOVIK_PROGRAM;
    char* argv[] = {program.data(), nullptr};
    pid_t child = 0;
    const int spawned = posix_spawn(&child, program.c_str(), &actions, nullptr, argv, env.data());
    posix_spawn_file_actions_destroy(&actions);
    close(pipe_fds[1]);
    if (spawned != 0) {
        close(pipe_fds[0]);
        return outcome;
    }

    // Read what it says until it closes its end: when it ends.
    pollfd watch{pipe_fds[0], POLLIN, 0};
    for (;;) {
        if (poll(&watch, 1, 30000) <= 0) break;
        char buffer[256];
        const ssize_t got = read(pipe_fds[0], buffer, sizeof buffer);
        if (got <= 0) {
            outcome.finished = true;
            break;
        }
        outcome.error_output.append(buffer, static_cast<std::size_t>(got));
    }
    close(pipe_fds[0]);
    if (!outcome.finished) kill(child, SIGKILL);
    waitpid(child, &outcome.status, 0);
    return outcome;
}

TEST(SdlEntry, WithoutADisplayTheProgramSaysSoInOneLineAndFails) {
    const Outcome outcome = run_without_display();
    ASSERT_TRUE(outcome.finished) << "the program waited instead of giving up";
    ASSERT_TRUE(WIFEXITED(outcome.status));
    EXPECT_NE(WEXITSTATUS(outcome.status), 0);
    EXPECT_TRUE(outcome.error_output.starts_with("tovik: cannot open a display: "))
        << outcome.error_output;
    EXPECT_EQ(outcome.error_output.find('\n'), outcome.error_output.size() - 1)
        << outcome.error_output;
}

}  // namespace
