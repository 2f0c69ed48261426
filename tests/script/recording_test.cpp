// Recording: the lines that the events of a run leave in the script file.
#include <climits>
#include <csignal>

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

TEST_F(RecordingTest, FailedWriteIsReported) {
#if defined(_WIN32)
    GTEST_SKIP() << "no file size limit to make a write fail";
#else
    // A file size limit of 0 fails every write with EFBIG, even as root.
    rlimit old_limit{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old_limit), 0);
    const auto old_handler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit = old_limit;
    limit.rlim_cur = 0;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
    fake.command(CMD_RECORD);
    click_at(1, 1);
    const EventKind kind = next_event().kind;
    setrlimit(RLIMIT_FSIZE, &old_limit);
    std::signal(SIGXFSZ, old_handler);
    EXPECT_EQ(kind, TOVIK_MOUSE);
    EXPECT_EQ(last_message(), "Cannot write to script file TOVIK.SCR");
#endif
}

}  // namespace
}  // namespace tovik::test
