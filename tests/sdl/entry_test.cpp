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
    std::string output;
    std::string error_output;
};

// Runs the program with `arguments`, its standard output to `output_to` (a
// file) or else read, and DISPLAY, WAYLAND_DISPLAY and SDL_VIDEODRIVER
// removed from the environment; a program still running after 30 s is stopped.
Outcome run_without_display(std::vector<std::string> arguments = {},
                            const char* output_to = nullptr) {
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
    int error_fds[2];
    int output_fds[2];
    if (pipe(error_fds) != 0) return outcome;
    if (pipe(output_fds) != 0) {
        close(error_fds[0]);
        close(error_fds[1]);
        return outcome;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, error_fds[1], STDERR_FILENO);
    if (output_to != nullptr) {
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, output_to, O_WRONLY, 0);
    } else {
        posix_spawn_file_actions_adddup2(&actions, output_fds[1], STDOUT_FILENO);
    }
    for (const int fd : {error_fds[0], error_fds[1], output_fds[0], output_fds[1]}) {
        posix_spawn_file_actions_addclose(&actions, fd);
    }
    std::string program = TOVIK_PROGRAM;
    std::vector<char*> argv{program.data()};
    for (std::string& argument : arguments) argv.push_back(argument.data());
    argv.push_back(nullptr);
    pid_t child = 0;
    const int spawned =
        posix_spawn(&child, program.c_str(), &actions, nullptr, argv.data(), env.data());
    posix_spawn_file_actions_destroy(&actions);
    close(error_fds[1]);
    close(output_fds[1]);
    if (spawned != 0) {
        close(error_fds[0]);
        close(output_fds[0]);
        return outcome;
    }

    // Read what it says until it closes both ends: when it ends.
    pollfd watch[2] = {{error_fds[0], POLLIN, 0}, {output_fds[0], POLLIN, 0}};
    std::string* text[2] = {&outcome.error_output, &outcome.output};
    int open_ends = 2;
    while (open_ends > 0) {
        if (poll(watch, 2, 30000) <= 0) break;
        for (int i = 0; i < 2; ++i) {
            if (watch[i].fd < 0 || watch[i].revents == 0) continue;
            char buffer[256];
            const ssize_t got = read(watch[i].fd, buffer, sizeof buffer);
            if (got <= 0) {
                close(watch[i].fd);
                watch[i].fd = -1;  // poll passes it over from now on
                --open_ends;
                continue;
            }
            text[i]->append(buffer, static_cast<std::size_t>(got));
        }
    }
    outcome.finished = open_ends == 0;
    for (const pollfd& end : watch) {
        if (end.fd >= 0) close(end.fd);
    }
    if (!outcome.finished) kill(child, SIGKILL);
    waitpid(child, &outcome.status, 0);
    return outcome;
}

// An argument the program does not know changes nothing.
TEST(SdlEntry, WithoutADisplayTheProgramSaysSoInOneLineAndFails) {
    const Outcome outcome = run_without_display({"--helpful"});
    ASSERT_TRUE(outcome.finished) << "the program waited instead of giving up";
    ASSERT_TRUE(WIFEXITED(outcome.status));
    EXPECT_NE(WEXITSTATUS(outcome.status), 0);
    EXPECT_TRUE(outcome.error_output.starts_with("tovik: cannot open a display: "))
        << outcome.error_output;
    EXPECT_EQ(outcome.error_output.find('\n'), outcome.error_output.size() - 1)
        << outcome.error_output;
}

// Both answers come without a display: SDL's video is never started for them.
TEST(SdlEntry, HelpAndVersionAnswerWithoutADisplayAndSucceed) {
    const Outcome help = run_without_display({"-x", "--help", "--version"});
    ASSERT_TRUE(help.finished);
    ASSERT_TRUE(WIFEXITED(help.status));
    EXPECT_EQ(WEXITSTATUS(help.status), 0);
    EXPECT_EQ(help.error_output, "");
    EXPECT_TRUE(help.output.starts_with("Usage: tovik [--help | --version]\n")) << help.output;
    for (const char* told : {"Ctrl+A", "Ctrl+H", "Ctrl+F", "Ctrl+L", "Ctrl+R", "Ctrl+P", "Ctrl+O",
                             "Ctrl+Q", "F11", "TOVIK.SCR"}) {
        EXPECT_NE(help.output.find(told), std::string::npos) << told;
    }

    const Outcome version = run_without_display({"--version"});
    ASSERT_TRUE(version.finished);
    ASSERT_TRUE(WIFEXITED(version.status));
    EXPECT_EQ(WEXITSTATUS(version.status), 0);
    EXPECT_EQ(version.output, "tovik " TOVIK_VERSION "\n");
    EXPECT_EQ(version.error_output, "");
}

TEST(SdlEntry, AnAnswerThatCannotBeWrittenIsAFailure) {
    const Outcome outcome = run_without_display({"--version"}, "/dev/full");
    ASSERT_TRUE(outcome.finished);
    ASSERT_TRUE(WIFEXITED(outcome.status));
    EXPECT_NE(WEXITSTATUS(outcome.status), 0);
    EXPECT_TRUE(outcome.error_output.starts_with("tovik: cannot write")) << outcome.error_output;
}

}  // namespace
