#include "work_dir.h"

#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

#include <unistd.h>

namespace tovik::fuzz {

namespace {

std::filesystem::path work_dir;

void remove_work_dir() {
    std::error_code ignored;
    std::filesystem::remove_all(work_dir, ignored);
}

// In memory where the system offers it: every input writes and empties
// TOVIK.SCR, and on a disc's file system closing an emptied file starts
// writing it back.
std::filesystem::path parent_dir() {
    const std::filesystem::path memory = "/dev/shm";
    std::error_code error;
    if (std::filesystem::is_directory(memory, error) && ::access(memory.c_str(), W_OK | X_OK) == 0) {
        return memory;
    }
    return std::filesystem::temp_directory_path();
}

const std::filesystem::path& the_work_dir() {
    if (work_dir.empty()) {
        const std::filesystem::path parent = parent_dir();
        std::random_device random;
        std::filesystem::path dir;
        do {
            dir = parent / ("tovik-fuzz-" + std::to_string(random()));
        } while (!std::filesystem::create_directory(dir));
        work_dir = dir;
        std::atexit(remove_work_dir);
    }
    return work_dir;
}

}  // namespace

InWorkDir::InWorkDir() : previous_(std::filesystem::current_path()) {
    std::filesystem::current_path(the_work_dir());
}

InWorkDir::~InWorkDir() {
    std::error_code error;
    std::filesystem::current_path(previous_, error);
    if (error) {
        std::fprintf(stderr, "fuzz: cannot go back to %s\n", previous_.c_str());
        std::abort();
    }
}

}  // namespace tovik::fuzz
