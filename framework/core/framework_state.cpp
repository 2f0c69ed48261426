#include "core/framework_state.h"

#include <cstdio>
#include <cstdlib>

namespace tovik {

FrameworkState fw;

namespace {
Platform* current_platform = nullptr;
}  // namespace

void reset_framework() { fw = FrameworkState{}; }

void set_platform(Platform* platform) { current_platform = platform; }

Platform& platform() {
    if (current_platform == nullptr) {
        std::fputs("tovik: no platform installed before the framework was used\n", stderr);
        std::abort();
    }
    return *current_platform;
}

}  // namespace tovik
