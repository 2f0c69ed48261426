// Recording: the lines that the events of a run leave in the script file.
#include <climits>
#include <csignal>

#include <cerrno>
#include <cstring>

#if !defined(_WIN32)
#include <sys/resource.h>
#endif

#include "script/script_fixture.h"

namespace tovik::test {
namespace {

class RecordingTest : public ScriptFixture {
protected:
    void SetUp() override {
        ScriptFixture::SetUp();
        start();
    }

    // Ends a wait that handles `command` while halted, with a live click.
    void command_then_click(unsigned command) {
        fake.command(command);
        click_at(0, 0);
        EXPECT_EQ(next_event().kind, TOVIK_MOUSE);
    }
};

TEST_F(RecordingTest, ExampleRunGivesFourLinesEachOnDiscAsSoonAsItsEventIsReturned) {
    fake.command(CMD_RECORD);
    for (int i = 0; i < 3; ++i) ASSERT_EQ(periodic().kind, TOVIK_PERIODIC);
    EXPECT_TRUE(checked(CMD_RECORD));
    click_at(10, -20);
    EXPECT_EQ(next_event(), (Event{TOVIK_MOUSE, 10, -20, 0}));
    EXPECT_EQ(script(), "TOVIK_PERIODIC(3);\nTOVIK_MOUSE(10, -20);\n");
    fake.type_char('a');
    EXPECT_EQ(next_event(), (Event{TOVIK_KBD, 0, 0, 97}));
    EXPECT_EQ(script(), "TOVIK_PERIODIC(3);\nTOVIK_MOUSE(10, -20);\nTOVIK_KBD(97);\n");
    for (int i = 0; i < 2; ++i) ASSERT_EQ(periodic().kind, TOVIK_PERIODIC);

    command_then_click(CMD_RECORD);  // that click is not recorded
    EXPECT_EQ(script(),
              "TOVIK_PERIODIC(3);\nTOVIK_MOUSE(10, -20);\nTOVIK_KBD(97);\nTOVIK_PERIODIC(2);\n");
    EXPECT_FALSE(checked(CMD_RECORD));
    EXPECT_FALSE(fw.script_file);
    EXPECT_EQ(fw.periodic_count, 0);
}

TEST_F(RecordingTest, PeriodicOnlyRunOpensTheFileWhenStopped) {
    write_script("precious\n");
    fake.command(CMD_RECORD);
    for (int i = 0; i < 4; ++i) ASSERT_EQ(periodic().kind, TOVIK_PERIODIC);
    EXPECT_EQ(script(), "precious\n") << "nothing written yet";
    command_then_click(CMD_RECORD);
    EXPECT_EQ(script(), "TOVIK_PERIODIC(4);\n");
}

TEST_F(RecordingTest, RecordTwiceWithNothingBetweenLeavesTheFileAsItWas) {
    write_script("precious\n");
    fake.command(CMD_RECORD);
    command_then_click(CMD_RECORD);
    EXPECT_EQ(script(), "precious\n");
    EXPECT_EQ(fw.recording, 0);
}

TEST_F(RecordingTest, QuitWritesThePendingRunAndNothingForItself) {
    fake.command(CMD_RECORD);
    for (int i = 0; i < 2; ++i) ASSERT_EQ(periodic().kind, TOVIK_PERIODIC);
    fake.command(CMD_QUIT);
    EXPECT_EQ(next_event().kind, TOVIK_QUIT);
    EXPECT_EQ(script(), "TOVIK_PERIODIC(2);\n");
}

TEST_F(RecordingTest, RecordingOfAQuitAloneLeavesAnEmptyFile) {
    write_script("precious\n");
    fake.command(CMD_RECORD);
    fake.command(CMD_QUIT);
    EXPECT_EQ(next_event().kind, TOVIK_QUIT);
    EXPECT_TRUE(script_exists());
    EXPECT_EQ(script(), "");
}

TEST_F(RecordingTest, FinishKeepsThePendingRun) {
    fake.command(CMD_RECORD);
    for (int i = 0; i < 2; ++i) ASSERT_EQ(periodic().kind, TOVIK_PERIODIC);
    TOVIK_finish();
    EXPECT_EQ(script(), "TOVIK_PERIODIC(2);\n");
}

TEST_F(RecordingTest, RunLongerThanTheCounterIsWrittenInPieces) {
    fake.command(CMD_RECORD);
    ASSERT_EQ(periodic().kind, TOVIK_PERIODIC);
    fw.periodic_count = INT32_MAX - 1;  // as if the run had gone on that long
    ASSERT_EQ(periodic().kind, TOVIK_PERIODIC);
    ASSERT_EQ(periodic().kind, TOVIK_PERIODIC);
    command_then_click(CMD_RECORD);
    EXPECT_EQ(script(), "TOVIK_PERIODIC(2147483647);\nTOVIK_PERIODIC(1);\n");
}

TEST_F(RecordingTest, FileThatCannotBeOpenedIsReportedAtEveryLineAndRecordingGoesOn) {
#if defined(_WIN32)
    std::filesystem::create_directory(SCRIPT_FILE_NAME);  // which Windows does not open
#else
    // A link into a directory that does not exist: nothing can be created there.
    std::filesystem::create_symlink("missing/TOVIK.SCR", SCRIPT_FILE_NAME);
#endif
    fake.command(CMD_RECORD);
    click_at(1, 1);
    EXPECT_EQ(next_event().kind, TOVIK_MOUSE);
    fake.type_char('b');
    EXPECT_EQ(next_event().kind, TOVIK_KBD);
    const std::vector<std::string> all = messages();
    ASSERT_EQ(all.size(), 2u);
    EXPECT_EQ(all[0], "Cannot open script file TOVIK.SCR for writing");
    EXPECT_EQ(all[1], "Cannot open script file TOVIK.SCR for writing");
    EXPECT_EQ(fw.recording, 1);
    EXPECT_TRUE(checked(CMD_RECORD));
}

#if !defined(_WIN32)

// A file size limit fails a write past it with EFBIG after a short write, as a
// full disc does with ENOSPC.  The limit is the process's: it is lifted before
// anything is checked.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) : old_handler_(std::signal(SIGXFSZ, SIG_IGN)) {
        getrlimit(RLIMIT_FSIZE, &old_);
        rlimit limit = old_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() { lift(); }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;
    void lift() {
        setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, old_handler_);
    }

private:
    rlimit old_{};
    void (*old_handler_)(int);
};

TEST_F(RecordingTest, LinesTheDiscRefusesWaitInOrderAndNoPartOfOneIsLeftOnDisc) {
    fake.command(CMD_RECORD);
    fake.type_char('a');
    next_event();
    std::string while_full;
    {
        FileSizeLimit full(20);  // room for 5 bytes of the second line
        fake.type_char('b');
        next_event();
        click_at(3, 4);
        next_event();
        while_full = script();
    }
    fake.type_char('c');
    next_event();
    EXPECT_EQ(while_full, "TOVIK_KBD(97);\n");
    EXPECT_EQ(script(), "TOVIK_KBD(97);\nTOVIK_KBD(98);\nTOVIK_MOUSE(3, 4);\nTOVIK_KBD(99);\n");
    EXPECT_EQ(messages(), (std::vector<std::string>{
                              std::string("Cannot write to script file TOVIK.SCR: ") + std::strerror(EFBIG),
                              "Writing to script file TOVIK.SCR works again: no event lost"}));
}

TEST_F(RecordingTest, RecordingStoppedWhileTheDiscIsFullSaysHowManyEventsAreLost) {
    FileSizeLimit full(0);
    fake.command(CMD_RECORD);
    click_at(1, 1);
    EXPECT_EQ(next_event().kind, TOVIK_MOUSE);
    for (int i = 0; i < 3; ++i) periodic();
    command_then_click(CMD_RECORD);
    full.lift();
    EXPECT_EQ(script(), "");
    EXPECT_EQ(last_message(),
              "4 events could not be written to script file TOVIK.SCR and are lost");
    EXPECT_EQ(messages().size(), 2u) << "the failure is reported once";
}

#endif

// Someone else cut the file in the middle of a line: the next line starts
// after the last whole one.
TEST_F(RecordingTest, FileShortenedUnderTheRecordingIsCutBackToItsLastWholeLine) {
    fake.command(CMD_RECORD);
    fake.type_char('a');
    next_event();
    fake.type_char('b');
    next_event();
    std::filesystem::resize_file(SCRIPT_FILE_NAME, 20);
    fake.type_char('c');
    next_event();
    EXPECT_EQ(script(), "TOVIK_KBD(97);\nTOVIK_KBD(99);\n");
}

}  // namespace
}  // namespace tovik::test
