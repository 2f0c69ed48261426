// A fresh framework on the fake platform (see support/framework_fixture.h), in
// an empty working directory of the test's own, so that script files of tests running side by side never meet.
// The fake's timer does not fire on its own: each test queues the messages it
// means, and a wait that would block forever aborts instead of hanging.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "core/internal.h"
#include "support/framework_fixture.h"

namespace tovik::test {

struct Event {
    EventKind kind = TOVIK_QUIT;
    std::int32_t x = 0;
    std::int32_t y = 0;
    signed char key = 0;
    bool operator==(const Event&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const Event& e) {
    return out << "{kind " << e.kind << ", x " << e.x << ", y " << e.y << ", key "
               << static_cast<int>(e.key) << "}";
}

class ScriptFixture : public testing::FrameworkTest {
protected:
    void SetUp() override {
        fake.auto_timer = false;
        previous_dir_ = std::filesystem::current_path();
        std::random_device random;
        for (;;) {
            work_dir_ = std::filesystem::temp_directory_path() /
                        ("tovik-test-" + std::to_string(random()));
            if (std::filesystem::create_directory(work_dir_)) break;
        }
        std::filesystem::current_path(work_dir_);
    }

    void TearDown() override {
        reset_framework();  // closes the script file before its directory goes
        std::filesystem::current_path(previous_dir_);
        std::filesystem::remove_all(work_dir_);
    }

    Event next_event() {
        Event e;
        e.kind = TOVIK_wait_event(&e.x, &e.y, &e.key);
        return e;
    }

    // A click at framework point (x, y).
    void click_at(std::int32_t x, std::int32_t y) { fake.click(fw.origin_x + x, fw.origin_y - y); }

    // One periodic event through a single step: a message that arms the wait,
    // and the tick that ends it.
    Event periodic() {
        TOVIK_set_animation(ANIM_STEP);
        fake.timer();
        fake.timer();
        return next_event();
    }

    // The messages of the text window, without their line ends.
    static std::vector<std::string> messages() {
        std::vector<std::string> out = testing::log_messages();
        for (std::string& text : out) {
            if (!text.empty() && text.back() == '\n') text.pop_back();
        }
        return out;
    }

    static std::string last_message() {
        const std::vector<std::string> all = messages();
        return all.empty() ? std::string() : all.back();
    }

    static void write_script(std::string_view content) {
        std::ofstream out(SCRIPT_FILE_NAME, std::ios::binary);
        out << content;
    }

    static bool script_exists() { return std::filesystem::exists(SCRIPT_FILE_NAME); }

    // Read as the program writes it, in text mode: lines end in CR LF on Windows.
    static std::string script() {
        std::ifstream in(SCRIPT_FILE_NAME);
        std::ostringstream content;
        content << in.rdbuf();
        return content.str();
    }

    const FakePlatform::MenuItem& menu_item(unsigned id) const {
        for (const FakePlatform::MenuItem& item : fake.menu_items(fw.run_menu)) {
            if (item.id_or_popup == id && (item.flags & MENU_SEPARATOR) == 0) return item;
        }
        ADD_FAILURE() << "no menu item " << id;
        static const FakePlatform::MenuItem none;
        return none;
    }

    bool checked(unsigned id) const { return (menu_item(id).flags & MENU_CHECKED) != 0; }

private:
    std::filesystem::path previous_dir_;
    std::filesystem::path work_dir_;
};

}  // namespace tovik::test
