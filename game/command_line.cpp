#include "command_line.h"

#include <string_view>

namespace {

constexpr const char* USAGE =
    "Usage: tovik [--help | --version]\n"
    "A night-scene arcade game: click the monkeys that drop from the sky to blow\n"
    "them up.  It takes no options; other arguments are ignored.\n"
    "\n"
    "Keys (the Run menu of \"TOVIK Graphics\"; they work in \"TOVIK Text\" too):\n"
    "  Ctrl+A  animate                 Ctrl+R  record a script (again: stop)\n"
    "  Ctrl+H  halt the animation      Ctrl+P  play the script back (again: stop)\n"
    "  Ctrl+F  advance one frame       Ctrl+O  play one event of the script\n"
    "  Ctrl+L  logging on or off       Ctrl+Q  quit\n"
    "  F11     full screen on or off\n"
    "\n"
    "The script, TOVIK.SCR, is read and written in the working directory.\n"
    "\n"
    "  --help     print this and exit\n"
    "  --version  print the version and exit\n";

int print(std::FILE* out, const char* text) {
    const bool written = std::fputs(text, out) >= 0 && std::fflush(out) == 0;
    if (written) return 0;
    std::fputs("tovik: cannot write the answer to standard output\n", stderr);
    return 1;
}

}  // namespace

std::optional<int> answer_command_line(const char* command_line, std::FILE* out) {
    std::string_view rest = command_line == nullptr ? "" : command_line;
    constexpr std::string_view blanks = " \t\r\n";
    while (!rest.empty()) {
        const std::size_t start = rest.find_first_not_of(blanks);
        if (start == std::string_view::npos) break;
        rest.remove_prefix(start);
        const std::string_view word = rest.substr(0, rest.find_first_of(blanks));
        rest.remove_prefix(word.size());
        if (word == "--help") return print(out, USAGE);
        if (word == "--version") return print(out, "tovik " TOVIK_VERSION "\n");
    }
    return std::nullopt;
}
