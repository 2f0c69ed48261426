#include "core/framework_state.h"

#include <cstdio>
#include <cstdlib>
#include <utility>

namespace tovik {

FrameworkState fw;

namespace {
Platform* current_platform = nullptr;
Platform* (*platform_maker)() = nullptr;
}  // namespace

void reset_framework() { fw = FrameworkState{}; }

void set_platform(Platform* platform) {
    current_platform = platform;
    platform_maker = nullptr;
}

void set_platform_maker(Platform* (*maker)()) {
    current_platform = nullptr;
    platform_maker = maker;
}

Platform& platform() {
    if (current_platform == nullptr && platform_maker != nullptr) {
        current_platform = std::exchange(platform_maker, nullptr)();
    }
    if (current_platform == nullptr) {
        std::fputs("tovik: no platform installed before the framework was used\n", stderr);
        std::abort();
    }
    return *current_platform;
}

}  // namespace tovik
