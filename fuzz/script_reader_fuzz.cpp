// Feeds arbitrary script files to the script reader and plays each to its end.
//
// Beyond what the sanitizers catch, it checks that every read yields a known
// event kind and moves on through the file, so that a playback always ends.
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "core/framework_state.h"
#include "core/internal.h"
#include "fake/fake_platform.h"
#include "tovik.h"
#include "work_dir.h"

namespace {

void set_up() {
    static tovik::FakePlatform fake;
    tovik::set_platform(&fake);
    TOVIK_start(nullptr, nullptr, "", 1);
}

[[noreturn]] void fail(const char* what) {
    std::fprintf(stderr, "script_reader_fuzz: %s\n", what);
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tovik;
    static const bool ready = (set_up(), true);
    (void)ready;
    const fuzz::InWorkDir in_work_dir;

    close_script();
    std::FILE* file = std::fopen(SCRIPT_FILE_NAME, "wb");
    if (file == nullptr) fail("cannot write TOVIK.SCR");
    if (size > 0 && std::fwrite(data, 1, size, file) != size) fail("cannot write TOVIK.SCR");
    std::fclose(file);

    // Periodic runs are cut to three events, so a line gives at most three
    // reads; the end of the file takes one more.
    const std::size_t most_reads = 3 * size + 1;
    fw.playing_back = 1;
    for (std::size_t reads = 0;; ++reads) {
        if (reads > most_reads) fail("the playback does not move on through the file");
        fw.pending_kind = NO_EVENT;
        const int read = read_script_event();
        if (read == SCRIPT_READ_LATER) continue;  // a long run of empty lines
        if (read == 1) {
            if (fw.pending_kind != TOVIK_MOUSE && fw.pending_kind != TOVIK_KBD &&
                fw.pending_kind != TOVIK_PERIODIC) {
                fail("an event of no known kind");
            }
            if (fw.periodic_count > 2) fw.periodic_count = 2;
            continue;
        }
        if (fw.playing_back != 0) fail("the playback goes on after a read that gave nothing");
        if (!fw.script_file) break;  // the end of the file
        fw.playing_back = 1;         // an unrecognised line: go on after it
    }
    close_script();
    return 0;
}
