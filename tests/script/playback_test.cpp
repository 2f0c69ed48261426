// Playback through the wait: recordings coming back as they were, Play One,
// scripted events replacing live input, and recording and playback keeping
// out of each other's way.
#include <climits>

#include "script/script_fixture.h"

namespace tovik::test {
namespace {

constexpr Event TICK{TOVIK_PERIODIC, 0, 0, 0};

class PlaybackTest : public ScriptFixture {
protected:
    void SetUp() override {
        ScriptFixture::SetUp();
        start();
    }

    // The next scripted event of a running playback: any message gives one.
    Event scripted() {
        fake.timer();
        return next_event();
    }

    Event command_event(unsigned command) {
        fake.command(command);
        return next_event();
    }

    // Live input goes on once the script has ended: a click comes through.
    void expect_live_click() {
        fake.timer();
        click_at(5, 6);
        EXPECT_EQ(next_event(), (Event{TOVIK_MOUSE, 5, 6, 0}));
    }
};

TEST_F(PlaybackTest, RecordingOfEveryKindOfEventAndEveryKeyComesBackAsItWas) {
    fake.command(CMD_RECORD);
    std::vector<Event> recorded;
    recorded.push_back(periodic());
    recorded.push_back(periodic());
    for (int code = 0; code < 256; ++code) {
        fake.type_char(static_cast<unsigned char>(code));
        recorded.push_back(next_event());
        if (code % 64 == 0) {
            click_at(code - 297, 245 - code);
            recorded.push_back(next_event());
            recorded.push_back(periodic());
        }
    }
    click_at(297, -245);
    recorded.push_back(next_event());
    for (int i = 0; i < 3; ++i) recorded.push_back(periodic());
    fake.command(CMD_RECORD);
    click_at(0, 0);
    next_event();
    const std::string written = script();

    ASSERT_EQ(command_event(CMD_PLAYBACK), recorded[0]);
    for (std::size_t i = 1; i < recorded.size(); ++i) {
        ASSERT_EQ(scripted(), recorded[i]) << "event " << i;
    }
    expect_live_click();
    EXPECT_EQ(last_message(), "EOF encountered in script file TOVIK.SCR");
    EXPECT_FALSE(checked(CMD_PLAYBACK));
    EXPECT_EQ(script(), written) << "playing back writes nothing";
}

// A long run of empty lines is passed over a stretch per handled message, so
// painting and input go on meanwhile; Play One still gets its one event.
TEST_F(PlaybackTest, LongRunOfEmptyLinesIsPassedOverAStretchPerHandledMessage) {
    write_script(std::string(200000, '\n') + "TOVIK_KBD(9);\n");
    fake.command(CMD_PLAY_ONE);
    for (int i = 0; i < 10; ++i) fake.timer();
    EXPECT_EQ(next_event(), (Event{TOVIK_KBD, 0, 0, 9}));
    // 65,536 empty lines a message: the command's and three timer messages.
    EXPECT_EQ(fake.queued(), 7u);
}

TEST_F(PlaybackTest, ExtremeValuesComeBackAsWritten) {
    write_script_event(TOVIK_MOUSE, INT32_MIN, INT32_MAX, 0);
    write_script_event(TOVIK_MOUSE, INT32_MAX, INT32_MIN, 0);
    write_script_event(TOVIK_KBD, 0, 0, -128);
    write_script_event(TOVIK_KBD, 0, 0, 127);
    close_script();

    EXPECT_EQ(command_event(CMD_PLAYBACK), (Event{TOVIK_MOUSE, INT32_MIN, INT32_MAX, 0}));
    EXPECT_EQ(scripted(), (Event{TOVIK_MOUSE, INT32_MAX, INT32_MIN, 0}));
    EXPECT_EQ(scripted(), (Event{TOVIK_KBD, 0, 0, -128}));
    EXPECT_EQ(scripted(), (Event{TOVIK_KBD, 0, 0, 127}));
}

TEST_F(PlaybackTest, PlaybackHaltsTheAnimationAndLeavesItHalted) {
    write_script("TOVIK_PERIODIC(1);\n");
    TOVIK_set_animation(ANIM_RUN);
    EXPECT_EQ(command_event(CMD_PLAYBACK), TICK);
    EXPECT_EQ(fw.animating, 0);
    expect_live_click();  // halted: the timer before the click gave nothing
}

TEST_F(PlaybackTest, PlayOneGivesOneScriptedEventPerCommand) {
    write_script("TOVIK_PERIODIC(2);\nTOVIK_KBD(9);\n");
    TOVIK_set_animation(ANIM_RUN);
    EXPECT_EQ(command_event(CMD_PLAY_ONE), TICK);
    EXPECT_EQ(fw.animating, 0);
    EXPECT_FALSE(checked(CMD_PLAYBACK));

    // Between commands the wait has live input only.
    fake.timer();
    fake.timer();
    click_at(1, 2);
    EXPECT_EQ(next_event(), (Event{TOVIK_MOUSE, 1, 2, 0}));

    EXPECT_EQ(command_event(CMD_PLAY_ONE), TICK);
    EXPECT_EQ(command_event(CMD_PLAY_ONE), (Event{TOVIK_KBD, 0, 0, 9}));
    fake.command(CMD_PLAY_ONE);
    expect_live_click();
    EXPECT_EQ(last_message(), "EOF encountered in script file TOVIK.SCR");
}

TEST_F(PlaybackTest, ScriptedEventReplacesTheLiveOneOfItsWait) {
    write_script("TOVIK_KBD(9);\nTOVIK_MOUSE(1, 2);\n");
    EXPECT_EQ(command_event(CMD_PLAYBACK), (Event{TOVIK_KBD, 0, 0, 9}));
    click_at(50, 60);
    EXPECT_EQ(next_event(), (Event{TOVIK_MOUSE, 1, 2, 0}));
    fake.type_char('z');  // the script has ended: this one counts
    EXPECT_EQ(next_event(), (Event{TOVIK_KBD, 0, 0, 'z'}));
}

// The live event's position or key must not show through the scripted one.
TEST_F(PlaybackTest, ScriptedEventCarriesNothingOfTheLiveOneItReplaces) {
    write_script("TOVIK_KBD(9);\nTOVIK_PERIODIC(1);\nTOVIK_MOUSE(1, 2);\n");
    EXPECT_EQ(command_event(CMD_PLAYBACK), (Event{TOVIK_KBD, 0, 0, 9}));
    click_at(50, 60);
    EXPECT_EQ(next_event(), (Event{TOVIK_PERIODIC, 0, 0, 0}));
    fake.type_char('z');
    EXPECT_EQ(next_event(), (Event{TOVIK_MOUSE, 1, 2, 0}));
}

TEST_F(PlaybackTest, StoppedPlaybackStartsAgainFromTheFirstLineWithoutTheRestOfItsRun) {
    write_script("TOVIK_PERIODIC(5);\nTOVIK_KBD(1);\n");
    EXPECT_EQ(command_event(CMD_PLAYBACK), TICK);
    EXPECT_EQ(scripted(), TICK);
    fake.command(CMD_PLAYBACK);
    expect_live_click();
    EXPECT_FALSE(fw.script_file);
    EXPECT_FALSE(checked(CMD_PLAYBACK));

    EXPECT_EQ(command_event(CMD_PLAYBACK), TICK);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(scripted(), TICK) << i;
    EXPECT_EQ(scripted(), (Event{TOVIK_KBD, 0, 0, 1}));
}

TEST_F(PlaybackTest, PlaybackDuringARecordingStopsTheRecordingFirst) {
    fake.command(CMD_RECORD);
    for (int i = 0; i < 3; ++i) ASSERT_EQ(periodic(), TICK);
    fake.type_char('x');
    next_event();
    for (int i = 0; i < 2; ++i) ASSERT_EQ(periodic(), TICK);

    // The recording is complete and closed before the playback reads it.
    EXPECT_EQ(command_event(CMD_PLAYBACK), TICK);
    const std::string recording = "TOVIK_PERIODIC(3);\nTOVIK_KBD(120);\nTOVIK_PERIODIC(2);\n";
    EXPECT_EQ(script(), recording);
    EXPECT_EQ(fw.recording, 0);
    EXPECT_FALSE(checked(CMD_RECORD));
    EXPECT_TRUE(checked(CMD_PLAYBACK));
    EXPECT_EQ(scripted(), TICK);
    EXPECT_EQ(scripted(), TICK);
    EXPECT_EQ(scripted(), (Event{TOVIK_KBD, 0, 0, 'x'}));
    EXPECT_EQ(scripted(), TICK);
    EXPECT_EQ(scripted(), TICK);
    expect_live_click();
    EXPECT_EQ(script(), recording);
}

TEST_F(PlaybackTest, PlayOneDuringARecordingStopsTheRecordingFirst) {
    fake.command(CMD_RECORD);
    ASSERT_EQ(periodic(), TICK);
    EXPECT_EQ(command_event(CMD_PLAY_ONE), TICK);
    EXPECT_EQ(script(), "TOVIK_PERIODIC(1);\n");
    EXPECT_EQ(fw.recording, 0);
    EXPECT_FALSE(checked(CMD_RECORD));
}

TEST_F(PlaybackTest, RecordingDuringAPlaybackStopsItAndDropsTheRestOfItsRun) {
    write_script("TOVIK_PERIODIC(5);\nTOVIK_KBD(1);\n");
    EXPECT_EQ(command_event(CMD_PLAYBACK), TICK);
    EXPECT_EQ(scripted(), TICK);
    fake.command(CMD_RECORD);
    click_at(4, 4);
    EXPECT_EQ(next_event(), (Event{TOVIK_MOUSE, 4, 4, 0}));
    EXPECT_EQ(fw.playing_back, 0);
    EXPECT_FALSE(checked(CMD_PLAYBACK));
    EXPECT_TRUE(checked(CMD_RECORD));
    EXPECT_EQ(script(), "TOVIK_MOUSE(4, 4);\n");
    ASSERT_EQ(periodic(), TICK);
    EXPECT_EQ(fw.periodic_count, 1) << "the recording counts from 0";
}

TEST_F(PlaybackTest, RecordingAfterAnUnrecognisedLineStartsAFreshFile) {
    write_script("junk line\nTOVIK_KBD(1);\n");
    fake.command(CMD_PLAYBACK);
    expect_live_click();
    EXPECT_EQ(last_message(), "Unrecognised line 1 in script file TOVIK.SCR: expected TOVIK_MOUSE, "
                              "TOVIK_KBD or TOVIK_PERIODIC");
    EXPECT_FALSE(checked(CMD_PLAYBACK));

    fake.command(CMD_RECORD);
    fake.type_char('q');
    EXPECT_EQ(next_event(), (Event{TOVIK_KBD, 0, 0, 'q'}));
    EXPECT_EQ(script(), "TOVIK_KBD(113);\n");
}

}  // namespace
}  // namespace tovik::test
