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

// The platform and the started framework, made once for the process: a start
// for every input (two windows' pictures and screens and the image, megabytes
// that the sanitizer's allocator maps and clears afresh) took nearly all of
// an input's time.  restart() puts back all that a run can change, so that
// every run begins as one right after TOVIK_start.
class Framework {
public:
    // A small screen, so a small text window (a third of the screen's
    // height): it is painted after every message, scrolling once per line.
    static constexpr int SCREEN_HEIGHT = 300;

    Framework() {
        fake.auto_timer = false;
        // A wait that finds nothing gets a tick and a click, so that it ends.
        fake.on_idle = [this] {
            fake.timer();
            fake.click(1, 1);
        };
        set_platform(&fake);
        TOVIK_start(nullptr, nullptr, "", 1);
    }

    void restart() {
        // What the last run left queued goes, the quit request too.
        Message dropped;
        while (fake.queued() > 0 || fake.quit_posted()) fake.get_message(dropped);

        // The core's state back to its defaults, but for what the start-up
        // took from the platform and the text window's image, which every
        // painting draws whole; the script file is closed.
        const WindowHandle graphics = fw.graphics_window;
        const WindowHandle text = fw.text_window;
        const MenuHandle menu = fw.run_menu;
        const std::int32_t origin_x = fw.origin_x;
        const std::int32_t origin_y = fw.origin_y;
        std::unique_ptr<Canvas> image = std::move(fw.offscreen_image);
        std::unique_ptr<Canvas> text_image = std::move(fw.text_image);
        reset_framework();
        fw.graphics_window = graphics;
        fw.text_window = text;
        fw.run_menu = menu;
        fw.origin_x = origin_x;
        fw.origin_y = origin_y;
        fw.offscreen_image = std::move(image);
        fw.text_image = std::move(text_image);
        fw.screen_context = fake.get_dc(graphics);

        // The marks as the menu was built, and both windows waiting for their first paint.
        fake.check_menu_item(menu, CMD_LOGGING, true);
        fake.check_menu_item(menu, CMD_RECORD, false);
        fake.check_menu_item(menu, CMD_PLAYBACK, false);
        fake.invalidate(graphics);
        fake.invalidate(text);
    }

    FakePlatform fake{SCREEN_HEIGHT};
};

class Run {
public:
    // The framework as the start-up leaves it, and so it is left.
    explicit Run(Framework& framework) : framework_(framework), fake_(framework.fake) {}
    ~Run() { framework_.restart(); }
    Run(const Run&) = delete;
    Run& operator=(const Run&) = delete;

    // One step of the input; false once the program has quit.
    bool step(std::uint8_t op, std::uint8_t a, std::uint8_t b) {
        switch (op % 8) {
        case 0: fake_.command(CMD_RECORD); break;
        case 1: fake_.command(CMD_PLAYBACK); break;
        case 2: fake_.command(CMD_PLAY_ONE); break;
        case 3: fake_.command(CMD_QUIT); break;
        case 4: fake_.click(a, b); break;
        case 5: fake_.type_char(a); break;
        case 6: fake_.command(CMD_STEP); break;
        default: fake_.timer(); break;
        }
        // Drain what was queued; every wait takes at least one message.
        while (fake_.queued() > 0) {
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
        framework_.restart();
        fake_.command(CMD_PLAYBACK);
        std::vector<Event> played;
        for (;;) {
            const Event e = next_event();
            if (fw.playing_back == 0) return played;  // the end: that one was live
            played.push_back(e);
        }
    }

private:
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
        for (const FakePlatform::MenuItem& item : fake_.menu_items(fw.run_menu)) {
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

    Framework& framework_;
    FakePlatform& fake_;
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

    static Framework* const framework = new Framework;  // for the life of the process
    Run run(*framework);
    bool running = true;
    for (; running && size >= 3; data += 3, size -= 3) running = run.step(data[0], data[1], data[2]);
    if (running) run.finish();
    if (const auto& recorded = run.completed_recording()) {
        const std::vector<Event> played = run.play_back();
        if (played != *recorded) fail("the recording played back differs from what was recorded");
    }
    return 0;
}
