// Drives the whole script path on the fake platform: a fuzzed run of the
// Record, Playback, Play One and Quit commands with live clicks, keys and
// ticks between them, over a script file whose first content is fuzzed too.
//
// After every wait it checks that recording and playback never share the
// file and that the menu's check marks mirror the flags; at the end, that the
// last recording, played back, gives the events that were recorded.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <vector>

#include "core/framework_state.h"
#include "core/internal.h"
#include "fake/fake_platform.h"
#include "tovik.h"
#include "work_dir.h"

namespace {

using namespace tovik;

struct Event {
    EventKind kind;
    std::int32_t x, y;
    signed char key;
    bool operator==(const Event&) const = default;
};

[[noreturn]] void fail(const char* what) {
    std::fprintf(stderr, "script_path_fuzz: %s\n", what);
    std::abort();
}

class Run {
public:
    Run() { start(); }
    ~Run() {
        reset_framework();
        set_platform(nullptr);
    }
    Run(const Run&) = delete;
    Run& operator=(const Run&) = delete;

    // One step of the input; false once the program has quit.
    bool step(std::uint8_t op, std::uint8_t a, std::uint8_t b) {
        switch (op % 8) {
        case 0: fake_->command(CMD_RECORD); break;
        case 1: fake_->command(CMD_PLAYBACK); break;
        case 2: fake_->command(CMD_PLAY_ONE); break;
        case 3: fake_->command(CMD_QUIT); break;
        case 4: fake_->click(a, b); break;
        case 5: fake_->type_char(a); break;
        case 6: fake_->command(CMD_STEP); break;
        default: fake_->timer(); break;
        }
        // Drain what was queued; every wait takes at least one message.
        while (fake_->queued() > 0) {
            if (!wait()) return false;
        }
        return true;
    }

    // Ends the run as the game does; the recording in progress is complete.
    void finish() {
        if (fw.recording != 0) complete_ = recording_;
        TOVIK_finish();
    }

    const std::optional<std::vector<Event>>& completed_recording() const { return complete_; }

    // Plays the script file to its end on a fresh framework: the scripted events.
    std::vector<Event> play_back() {
        reset_framework();
        start();
        fake_->command(CMD_PLAYBACK);
        std::vector<Event> played;
        for (;;) {
            const Event e = next_event();
            if (fw.playing_back == 0) return played;  // the end: that one was live
            played.push_back(e);
        }
    }

private:
    void start() {
        fake_ = std::make_unique<FakePlatform>();
        fake_->auto_timer = false;
        // A wait that finds nothing gets a tick and a click, so that it ends.
        fake_->on_idle = [this] {
            fake_->timer();
            fake_->click(1, 1);
        };
        set_platform(fake_.get());
        TOVIK_start(nullptr, nullptr, "", 1);
    }

    Event next_event() {
        Event e{};
        e.kind = TOVIK_wait_event(&e.x, &e.y, &e.key);
        check_invariants();
        return e;
    }

    bool wait() {
        const bool was_recording = fw.recording != 0;
        const Event e = next_event();
        const bool recording = fw.recording != 0;
        if (was_recording && !recording) complete_ = recording_;
        if (recording && !was_recording) recording_.clear();
        if (e.kind == TOVIK_QUIT) {
            finish();
            return false;
        }
        if (recording) recording_.push_back(e);
        return true;
    }

    bool checked(unsigned id) const {
        for (const FakePlatform::MenuItem& item : fake_->menu_items(fw.run_menu)) {
            if (item.id_or_popup == id && (item.flags & MENU_SEPARATOR) == 0) {
                return (item.flags & MENU_CHECKED) != 0;
            }
        }
        fail("no such menu item");
    }

    void check_invariants() const {
        if (fw.recording != 0 && (fw.playing_back != 0 || fw.play_one_pending != 0)) {
            fail("recording and playback at once");
        }
        if (fw.script_file && fw.script_mode == ScriptMode::Writing && fw.recording == 0) {
            fail("the script file is open for writing without a recording");
        }
        if (fw.script_file && fw.script_mode == ScriptMode::Reading && fw.recording != 0) {
            fail("the script file is open for reading during a recording");
        }
        if (checked(CMD_RECORD) != (fw.recording != 0)) fail("Record's mark is not the flag");
        if (checked(CMD_PLAYBACK) != (fw.playing_back != 0)) fail("Playback's mark is not the flag");
    }

    std::unique_ptr<FakePlatform> fake_;
    std::vector<Event> recording_;
    std::optional<std::vector<Event>> complete_;
};

}  // namespace

// Input: a length byte, that many bytes of script file, then steps of three
// bytes (what, and two values).
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const fuzz::InWorkDir in_work_dir;
    if (size == 0) return 0;
    const std::size_t length = data[0] < size - 1 ? data[0] : size - 1;
    std::FILE* file = std::fopen(SCRIPT_FILE_NAME, "wb");
    if (file == nullptr) fail("cannot write TOVIK.SCR");
    if (length > 0 && std::fwrite(data + 1, 1, length, file) != length) fail("cannot write TOVIK.SCR");
    std::fclose(file);
    data += 1 + length;
    size -= 1 + length;

    Run run;
    bool running = true;
    for (; running && size >= 3; data += 3, size -= 3) running = run.step(data[0], data[1], data[2]);
    if (running) run.finish();
    if (const auto& recorded = run.completed_recording()) {
        const std::vector<Event> played = run.play_back();
        if (played != *recorded) fail("the recording played back differs from what was recorded");
    }
    return 0;
}
