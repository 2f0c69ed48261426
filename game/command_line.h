// The program's own options, answered before any window opens.
#pragma once

#include <cstdio>
#include <optional>

// Answers --help or --version, the first of them among the blank-separated
// words of `command_line` (null counts as empty), by printing to `out`.
// Returns the program's exit code when it answered (1 if the answer could not
// be written), nothing when the game is to start: every other word is ignored.
std::optional<int> answer_command_line(const char* command_line, std::FILE* out);
