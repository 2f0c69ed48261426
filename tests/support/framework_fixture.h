// A fresh framework on a fake platform for each test.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/framework_state.h"
#include "fake/fake_platform.h"
#include "tovik.h"

namespace tovik::testing {

// The messages in the log ring, oldest first.
inline std::vector<std::string> log_messages() {
    std::vector<std::string> out;
    int count = 0;
    for (int slot = fw.log_head; slot >= 0 && (slot != fw.log_tail || count == 0);
         slot = (slot + 1) % LOG_RING_SIZE, ++count) {
        out.emplace_back(fw.log_ring[static_cast<std::size_t>(slot)].get());
    }
    return out;
}

class FrameworkTest : public ::testing::Test {
protected:
    FrameworkTest() {
        reset_framework();
        set_platform(&fake);
    }
    ~FrameworkTest() override {
        reset_framework();
        set_platform(nullptr);
    }

    // Starts the framework as the game does: previous instance none, shown.
    void start() { TOVIK_start(nullptr, nullptr, "", 1); }

    EventKind wait() { return TOVIK_wait_event(&x, &y, &key); }

    FakePlatform fake;
    std::int32_t x = 0;
    std::int32_t y = 0;
    signed char key = 0;
};

}  // namespace tovik::testing
