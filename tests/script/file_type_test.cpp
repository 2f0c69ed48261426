// Script files that are not regular files: refused at once, whatever they are,
// so that neither a playback nor a recording can wait on them.
#include "script/script_fixture.h"

#if !defined(_WIN32)
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tovik::test {
namespace {

constexpr const char* REFUSED = "Cannot use script file TOVIK.SCR: it is not a regular file";

class FileTypeTest : public ScriptFixture {
protected:
    void SetUp() override {
        ScriptFixture::SetUp();
        start();
        // Should an open block after all, the test ends rather than hangs.
        alarm(60);
    }
    void TearDown() override {
        alarm(0);
        ScriptFixture::TearDown();
    }

    static void make_fifo() { ASSERT_EQ(mkfifo(SCRIPT_FILE_NAME, 0600), 0); }

    // A playback of whatever TOVIK.SCR is ends with the refusal and nothing
    // open, and the program still quits on Ctrl+Q.
    void expect_playback_refused() {
        fake.command(CMD_PLAYBACK);
        click_at(1, 2);
        EXPECT_EQ(next_event(), (Event{TOVIK_MOUSE, 1, 2, 0})) << "live input goes on";
        EXPECT_EQ(last_message(), REFUSED);
        EXPECT_EQ(fw.playing_back, 0);
        EXPECT_FALSE(checked(CMD_PLAYBACK));
        EXPECT_FALSE(fw.script_file);
        fake.command(CMD_QUIT);
        EXPECT_EQ(next_event().kind, TOVIK_QUIT);
    }

    // A recording into TOVIK.SCR is refused once and stops; the event is the game's still.
    void expect_recording_refused() {
        const std::size_t before = messages().size();
        fake.command(CMD_RECORD);
        click_at(3, 4);
        EXPECT_EQ(next_event(), (Event{TOVIK_MOUSE, 3, 4, 0}));
        fake.type_char('k');
        EXPECT_EQ(next_event().kind, TOVIK_KBD);
        ASSERT_EQ(messages().size(), before + 1) << "one message, not one an event";
        EXPECT_EQ(last_message(), REFUSED);
        EXPECT_EQ(fw.recording, 0);
        EXPECT_FALSE(checked(CMD_RECORD));
        EXPECT_FALSE(fw.script_file);
    }
};

TEST_F(FileTypeTest, PlaybackOfAFifoIsRefusedWithoutWaitingForAWriter) {
    make_fifo();
    expect_playback_refused();
}

TEST_F(FileTypeTest, RecordingIntoAFifoIsRefusedWithOrWithoutAReader) {
    make_fifo();
    expect_recording_refused();

    // With a reader at the other end the open succeeds, and the type decides.
    const int reader = open(SCRIPT_FILE_NAME, O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    expect_recording_refused();
    char byte = 0;
    EXPECT_LE(read(reader, &byte, 1), 0) << "nothing was written into the FIFO";
    close(reader);
}

TEST_F(FileTypeTest, DeviceIsRefusedBothWays) {
    std::filesystem::create_symlink("/dev/null", SCRIPT_FILE_NAME);
    expect_recording_refused();
    expect_playback_refused();
}

// Its playback is the reader's test.
TEST_F(FileTypeTest, RecordingIntoADirectoryIsRefused) {
    std::filesystem::create_directory(SCRIPT_FILE_NAME);
    expect_recording_refused();
}

}  // namespace
}  // namespace tovik::test
#endif
